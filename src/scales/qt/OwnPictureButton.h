#pragma once
// A picture button of the tool windows that shows a picture of its own window's drawing (the
// range keys of the scale window, the kit editor's commands) in the library's button face.
#include <QPixmap>

#include "widgets/qt/PictureButton.h"

namespace tond {

class OwnPictureButton : public PictureButton {
  Q_OBJECT

 public:
  // `name` names the button for tests and accessibility; the face is the picture's size plus a
  // border of `border` pixels.
  OwnPictureButton(const QString& name, const QPixmap& picture, const QString& tooltip, int border,
                   QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap picture_;
};

}  // namespace tond
