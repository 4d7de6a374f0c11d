#include "widgets/qt/SliderRow.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <algorithm>
#include <string>

namespace tond {

SliderRow::SliderRow(const QString& label, double minimum, double maximum, double value,
                     Formatter formatter, QWidget* parent)
    : QWidget(parent),
      slider_(new GUIslider(this)),
      label_(new QLabel(label, this)),
      value_(new QLabel(this)),
      formatter_(std::move(formatter)) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(6);
  layout->addWidget(label_);
  layout->addWidget(slider_, 1);
  layout->addWidget(value_);
  value_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  slider_->setAccessibleName(label);
  connect(slider_, &GUIslider::valueChanged, this, [this](double v) {
    ShowValue(v);
    emit valueChanged(v);
  });
  slider_->SetRange(minimum, maximum);
  slider_->SetValue(value);
  FitValueText();
}

GUIslider* SliderRow::Slider() const {
  return slider_;
}

double SliderRow::Value() const {
  return slider_->Value();
}

void SliderRow::SetValue(double value) {
  slider_->SetValue(value);
}

QString SliderRow::ValueText() const {
  return value_->text();
}

void SliderRow::SetLabelWidth(int pixels) {
  label_->setFixedWidth(pixels);
}

void SliderRow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) FitValueText();
  QWidget::changeEvent(event);
}

void SliderRow::ShowValue(double value) {
  value_->setText(QString::fromStdString(formatter_(value)));
}

void SliderRow::FitValueText() {
  // Wide enough for the longest text of the range, so the bar does not jump while it moves.
  const QFontMetrics metrics(value_->font());
  const double lo = slider_->Minimum(), hi = slider_->Maximum();
  int widest = 0;
  for (double v : {lo, hi, (lo + hi) / 2})
    widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(formatter_(v))));
  value_->setMinimumWidth(widest + metrics.horizontalAdvance(QLatin1Char('0')));
}

}  // namespace tond
