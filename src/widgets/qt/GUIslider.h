#pragma once
// The widget library's slider: a horizontal bar with a range, a value and a page step, drawn by
// the program. The value is a real number: a drag sets it from the pointer's position without
// rounding; users of the value truncate it where they need a whole number.
//
// A press on the bar moves the value to the pointer and starts a drag; the arrow keys and each
// wheel notch move it by 1, Page Up and Page Down by the page step, Home and End to the ends.
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
  double PageStep() const;
  double Value() const;
  // Clamps the value into the range, redraws, and emits valueChanged (also when unchanged, as
  // the value texts are written from it).
  void SetValue(double value);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  // After every SetValue and every move by the user (drag, click, wheel, keys).
  void valueChanged(double value);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // The bar's usable span in pixels: the thumb's centre runs from Left() to Left() + Span().
  int Left() const;
  int Span() const;
  double ValueAt(double x) const;
  double Position() const;  // the thumb's centre for the value

  double minimum_ = 0, maximum_ = 100, page_ = 10, value_ = 0;
  bool dragging_ = false;
  int wheelRest_ = 0;  // the part of a notch a fine-grained wheel has turned so far
};

}  // namespace tond
