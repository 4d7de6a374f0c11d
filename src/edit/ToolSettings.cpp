#include "edit/ToolSettings.h"

namespace tond {

std::string PercentText(double value) {
  return std::to_string(static_cast<int>(value)) + " %";
}

std::string IntegerSliderText(double value) {
  return std::to_string(static_cast<int>(value));
}

std::string LineQuantizeText(double value) {
  int steps = static_cast<int>(value);
  if (steps < 0) steps = 0;
  if (steps > 4) steps = 4;
  return "1/" + std::to_string(1 << (4 - steps));
}

}  // namespace tond
