#pragma once
// A button showing the program's own picture for its name (the main window's button names:
// "New", "Load", ..., "Pencil", ...) or a picture a window drew, with a tooltip. Checkable buttons
// show pressed while checked (Play, Record, Grid, the tools). The buttons take no keyboard focus:
// the keys belong to the window that holds them (Space plays, it does not click the last button
// pressed).
#include <QAbstractButton>
#include <QIcon>
#include <QPixmap>
#include <QString>

class QPainter;

namespace tond {

class PictureButton : public QAbstractButton {
  Q_OBJECT

 public:
  PictureButton(const QString& name, const QString& tooltip, int size, QWidget* parent = nullptr);
  // A button of a tool window with a picture of that window's own drawing (the range keys of the
  // scale window, the kit editor's commands) in the same face; `name` names it for tests and
  // accessibility, and the face is the picture's size plus `border` pixels all round.
  PictureButton(const QString& name, const QPixmap& picture, const QString& tooltip, int border,
                QWidget* parent = nullptr);
  QSize sizeHint() const override;
  const QString& Name() const { return name_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString name_;
  QPixmap picture_;  // drawn instead of the library's picture for the name
};

// Draws the picture for a button name into `box` (any size; it keeps a margin of its own).
// Returns false for a name without a picture, drawing its initials instead.
bool DrawButtonPicture(QPainter& painter, const QString& name, const QRectF& box);
// The program's icon (window icon and About box).
QIcon ProgramIcon();

}  // namespace tond
