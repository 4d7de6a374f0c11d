#pragma once
// A GUIslider with its label on the left and its value text on the right, as the main window's
// tempo and volume and the tool panels show them. The text is rewritten from the value at every
// change through the given formatter ("%d", "%d %%", "1/%d", "-50".."+50", ...).
#include <QWidget>
#include <functional>
#include <string>

#include "widgets/qt/GUIslider.h"

class QLabel;

namespace tond {

class SliderRow : public QWidget {
  Q_OBJECT

 public:
  using Formatter = std::function<std::string(double)>;

  SliderRow(const QString& label, double minimum, double maximum, double value, Formatter formatter,
            QWidget* parent = nullptr);

  GUIslider* Slider() const;
  double Value() const;
  void SetValue(double value);
  QString ValueText() const;
  // Rows stacked in a panel line up their bars when their labels share one width.
  void SetLabelWidth(int pixels);

 signals:
  void valueChanged(double value);

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void ShowValue(double value);
  void FitValueText();

  GUIslider* slider_;
  QLabel* label_;
  QLabel* value_;
  Formatter formatter_;
};

}  // namespace tond
