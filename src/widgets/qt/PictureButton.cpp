#include "widgets/qt/PictureButton.h"

#include <QLinearGradient>
#include <QPainter>

namespace tond {

PictureButton::PictureButton(const QString& name, const QString& tooltip, int size, QWidget* parent)
    : QAbstractButton(parent), name_(name) {
  setObjectName(name);
  setAccessibleName(name);
  setToolTip(tooltip);
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_Hover);
  setFixedSize(size, size);
}

PictureButton::PictureButton(const QString& name, const QPixmap& picture, const QString& tooltip,
                             int border, QWidget* parent)
    : PictureButton(name, tooltip, 0, parent) {
  picture_ = picture;
  setFixedSize(picture.size() + QSize(2 * border, 2 * border));
}

QSize PictureButton::sizeHint() const {
  return size();  // fixed
}

void PictureButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const bool sunk = isDown() || isChecked();
  const bool hover = underMouse() && isEnabled();
  const QRectF face = QRectF(rect()).adjusted(1, 1, -1, -1);

  QLinearGradient fill(face.topLeft(), face.bottomLeft());
  if (sunk) {
    fill.setColorAt(0, QColor(0x12, 0x12, 0x12));
    fill.setColorAt(1, QColor(0x1C, 0x1C, 0x1C));
  } else {
    const int top = hover ? 0x4A : 0x3C, bottom = hover ? 0x36 : 0x2C;
    fill.setColorAt(0, QColor(top, top, top));
    fill.setColorAt(1, QColor(bottom, bottom, bottom));
  }
  p.fillRect(face, fill);

  // A bevel that stands out when released and sinks in when pressed or on.
  const QColor light(0x5E, 0x5E, 0x5E), dark(0x08, 0x08, 0x08);
  const QRect r = rect();
  p.setPen(dark);
  p.drawRect(r.adjusted(0, 0, -1, -1));
  p.setPen(sunk ? dark : light);
  p.drawLine(r.left() + 1, r.top() + 1, r.right() - 1, r.top() + 1);
  p.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 1);
  p.setPen(sunk ? QColor(0x34, 0x34, 0x34) : QColor(0x18, 0x18, 0x18));
  p.drawLine(r.left() + 1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
  p.drawLine(r.right() - 1, r.top() + 1, r.right() - 1, r.bottom() - 1);
  if (isChecked()) {
    // On: a coloured edge, so a tool or Play reads as on from across the window.
    p.setPen(QPen(QColor(0x6C, 0xA0, 0xD8), 1));
    p.drawRect(r.adjusted(1, 1, -2, -2));
  }

  if (!isEnabled()) p.setOpacity(0.35);
  const int shift = sunk ? 1 : 0;
  if (picture_.isNull())
    DrawButtonPicture(p, name_, QRectF(rect()).translated(shift, shift));
  else
    p.drawPixmap((width() - picture_.width()) / 2 + shift,
                 (height() - picture_.height()) / 2 + shift, picture_);
}

}  // namespace tond
