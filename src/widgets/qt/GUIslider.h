#pragma once
// The widget library's slider: a horizontal bar with a range, a value and a page step, drawn by
// the program. The value is a real number: a drag sets it from the pointer's position without
// rounding; users of the value truncate it where they need a whole number.
#include <QWidget>

namespace tond {

class GUIslider : public QWidget {
  Q_OBJECT

 public:
  explicit GUIslider(QWidget* parent = nullptr);

  void SetRange(double minimum, double maximum);
  void SetPageStep(double step);
  double Minimum() const;
  double Maximum() const;
  double Value() const;
  // Clamps the value into the range, redraws, and emits valueChanged (also when unchanged, as
  // the value texts are written from it).
  void SetValue(double value);

 signals:
  // After every SetValue and every move by the user (drag, click, wheel, keys).
  void valueChanged(double value);
};

}  // namespace tond
