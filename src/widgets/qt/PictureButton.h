#pragma once
// A square button showing the program's own picture for its name (the main window's button
// names: "New", "Load", ..., "Pencil", ...), with a tooltip. Checkable buttons show pressed while
// checked (Play, Record, Grid, the tools). The buttons take no keyboard focus: the keys belong to
// the window that holds them (Space plays, it does not click the last button pressed).
#include <QAbstractButton>
#include <QIcon>
#include <QString>

class QPainter;

namespace tond {

class PictureButton : public QAbstractButton {
  Q_OBJECT

 public:
  PictureButton(const QString& name, const QString& tooltip, int size, QWidget* parent = nullptr);
  QSize sizeHint() const override;
  const QString& Name() const { return name_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString name_;
  int size_;
};

// The picture drawn for a button name, at `size` pixels square.
QIcon ButtonPicture(const QString& name, int size);
// Draws the picture for a button name into `box` (any size; it keeps a margin of its own).
// Returns false for a name without a picture, drawing its initials instead.
bool DrawButtonPicture(QPainter& painter, const QString& name, const QRectF& box);
// The program's icon (window icon and About box).
QIcon ProgramIcon();

}  // namespace tond
