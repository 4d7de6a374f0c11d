#pragma once
// A square button showing the program's own picture for its name (the main window's button
// names: "New", "Load", ..., "Pencil", ...), with a tooltip. Checkable buttons show pressed while
// checked (Play, Record, Grid, the tools).
#include <QAbstractButton>
#include <QIcon>
#include <QString>

namespace tond {

class PictureButton : public QAbstractButton {
  Q_OBJECT

 public:
  PictureButton(const QString& name, const QString& tooltip, int size, QWidget* parent = nullptr);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// The picture drawn for a button name, at `size` pixels square.
QIcon ButtonPicture(const QString& name, int size);
// The program's icon (window icon and About box).
QIcon ProgramIcon();

}  // namespace tond
