#include "scales/qt/OwnPictureButton.h"

#include <QPainter>

namespace tond {

OwnPictureButton::OwnPictureButton(const QString& name, const QPixmap& picture,
                                   const QString& tooltip, int border, QWidget* parent)
    // No library name: the face is drawn without a picture, and this one goes on top.
    : PictureButton(QString(), tooltip, 0, parent), picture_(picture) {
  setObjectName(name);
  setAccessibleName(name);
  setFixedSize(picture.size() + QSize(2 * border, 2 * border));
}

void OwnPictureButton::paintEvent(QPaintEvent* event) {
  PictureButton::paintEvent(event);
  QPainter p(this);
  const int sunk = isDown() || isChecked() ? 1 : 0;
  if (!isEnabled()) p.setOpacity(0.35);
  p.drawPixmap((width() - picture_.width()) / 2 + sunk, (height() - picture_.height()) / 2 + sunk,
               picture_);
}

}  // namespace tond
