#pragma once
// What the tool windows share: a dark modal dialog of a fixed size with its "Ok" button, and
// rows of the widget library's slider with their value texts.
#include <QDialog>
#include <QRect>
#include <array>
#include <functional>
#include <string>

#include "widgets/qt/SliderRow.h"

class QPushButton;

namespace tond {

// Escape and the close box reject the dialog; "Ok" (also Enter) accepts it.
class ToolDialog : public QDialog {
 public:
  ToolDialog(QWidget* parent, const QString& title, QSize size);
  QPushButton* AddOk(const QRect& where);
};

// The three rows "Red", "Green", "Blue" (their sliders named "red", "green", "blue"), one
// below the other from `first`, `pitch` apart. `changed` gets the channel (0 red, 1 green,
// 2 blue) and the slider's value truncated; it is connected after the rows take their
// starting values, so building the window recomputes nothing.
using ChannelRows = std::array<SliderRow*, 3>;
ChannelRows AddChannelRows(QWidget* window, const QRect& first, int pitch, double minimum,
                           double maximum, const std::array<double, 3>& values,
                           const SliderRow::Formatter& text,
                           const std::function<void(int channel, int value)>& changed);

}  // namespace tond
