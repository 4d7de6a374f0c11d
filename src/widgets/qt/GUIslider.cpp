#include "widgets/qt/GUIslider.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace tond {

namespace {
constexpr int kThumbWidth = 7;
constexpr int kGrooveHeight = 4;
constexpr int kNotch = 120;  // wheel delta of one notch
}  // namespace

GUIslider::GUIslider(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void GUIslider::SetRange(double minimum, double maximum) {
  minimum_ = minimum;
  maximum_ = std::max(minimum, maximum);
  SetValue(value_);
}

void GUIslider::SetPageStep(double step) {
  page_ = step;
}

double GUIslider::Minimum() const {
  return minimum_;
}

double GUIslider::Maximum() const {
  return maximum_;
}

double GUIslider::PageStep() const {
  return page_;
}

double GUIslider::Value() const {
  return value_;
}

void GUIslider::SetValue(double value) {
  // NaN would stick; keep the value it would replace.
  if (std::isnan(value)) value = value_;
  value_ = std::clamp(value, minimum_, maximum_);
  update();
  emit valueChanged(value_);
}

QSize GUIslider::sizeHint() const {
  return {120, 16};
}

QSize GUIslider::minimumSizeHint() const {
  return {3 * kThumbWidth, 16};
}

int GUIslider::Left() const {
  return kThumbWidth / 2;
}

int GUIslider::Span() const {
  return std::max(1, width() - kThumbWidth);
}

double GUIslider::ValueAt(double x) const {
  const double fraction = std::clamp((x - Left()) / Span(), 0.0, 1.0);
  return minimum_ + fraction * (maximum_ - minimum_);
}

double GUIslider::Position() const {
  const double range = maximum_ - minimum_;
  const double fraction = range > 0 ? (value_ - minimum_) / range : 0.0;
  return Left() + fraction * Span();
}

void GUIslider::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const bool enabled = isEnabled();
  const int mid = height() / 2;
  const QRect groove(Left(), mid - kGrooveHeight / 2, Span() + 1, kGrooveHeight);
  p.fillRect(groove, QColor(0x10, 0x10, 0x10));
  const int thumbCentre = static_cast<int>(std::lround(Position()));
  // The part of the bar up to the value, so the level reads at a glance.
  p.fillRect(QRect(groove.left(), groove.top(), thumbCentre - groove.left(), groove.height()),
             enabled ? QColor(0x68, 0x78, 0x88) : QColor(0x40, 0x40, 0x40));
  p.setPen(QColor(0x48, 0x48, 0x48));
  p.drawRect(groove.adjusted(0, 0, -1, -1));

  const QRect thumb(thumbCentre - kThumbWidth / 2, 2, kThumbWidth, height() - 4);
  QColor face = hasFocus() ? QColor(0xE8, 0xE8, 0xE8) : QColor(0xB8, 0xB8, 0xB8);
  if (!enabled) face = QColor(0x60, 0x60, 0x60);
  p.fillRect(thumb, face);
  p.setPen(QColor(0x0C, 0x0C, 0x0C));
  p.drawRect(thumb.adjusted(0, 0, -1, -1));
  p.setPen(face.darker(150));
  p.drawLine(thumb.center().x(), thumb.top() + 3, thumb.center().x(), thumb.bottom() - 3);
}

void GUIslider::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    event->ignore();
    return;
  }
  dragging_ = true;
  SetValue(ValueAt(event->position().x()));
}

void GUIslider::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) {
    event->ignore();
    return;
  }
  SetValue(ValueAt(event->position().x()));
}

void GUIslider::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) dragging_ = false;
}

void GUIslider::wheelEvent(QWheelEvent* event) {
  const QPoint delta = event->angleDelta();
  wheelRest_ += delta.y() != 0 ? delta.y() : delta.x();
  const int notches = wheelRest_ / kNotch;
  wheelRest_ -= notches * kNotch;
  if (notches != 0) SetValue(value_ + notches);
  event->accept();
}

void GUIslider::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
      SetValue(value_ - 1);
      break;
    case Qt::Key_Right:
    case Qt::Key_Up:
      SetValue(value_ + 1);
      break;
    case Qt::Key_PageDown:
      SetValue(value_ - page_);
      break;
    case Qt::Key_PageUp:
      SetValue(value_ + page_);
      break;
    case Qt::Key_Home:
      SetValue(minimum_);
      break;
    case Qt::Key_End:
      SetValue(maximum_);
      break;
    default:
      QWidget::keyPressEvent(event);
  }
}

}  // namespace tond
