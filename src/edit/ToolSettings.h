#pragma once
#include <string>

#include "model/Cell.h"

namespace tond {

// A slider of a tool's option panel: its range and the value a new main window starts with.
struct SliderRange {
  double minimum, maximum, initial;
};

inline constexpr SliderRange kPencilVariationRange{0, 100, 0};
inline constexpr SliderRange kEraserSizeRange{1, 10, 5};
inline constexpr SliderRange kLineQuantizeRange{0, 4, 0};
inline constexpr SliderRange kAirbrushRadiusRange{2, 32, 8};
inline constexpr SliderRange kAirbrushSpeedRange{1, 100, 90};

// The colour the eyedropper sets, at start and after a new project.
inline constexpr Cell kInitialPickedColour = MakeCell(0x00, 0xFF, 0x00);

// The swatch colours and slider values of the tool option panels. The main window keeps them
// while another tool is current and copies what the current panel shows into them before it
// hands a mouse event or a timer tick to the tools, which read them at that moment. Slider
// values are kept as the sliders hold them; the tools truncate them where they use them.
struct ToolSettings {
  Cell pencilColour = MakeCell(0xFF, 0x32, 0x64);
  double pencilVariation = kPencilVariationRange.initial;

  double eraserSize = kEraserSizeRange.initial;

  Cell lineColour1 = MakeCell(0xFF, 0x32, 0x64);
  Cell lineColour2 = MakeCell(0x00, 0x32, 0x00);
  double lineQuantize = kLineQuantizeRange.initial;

  Cell airbrushColour1 = MakeCell(0xFF, 0x00, 0xFF);
  Cell airbrushColour2 = MakeCell(0x58, 0x43, 0xFF);
  double airbrushRadius = kAirbrushRadiusRange.initial;
  double airbrushSpeed = kAirbrushSpeedRange.initial;
};

// The texts shown beside the option sliders.
std::string PercentText(double value);        // pencil variation, tool windows: "50 %"
std::string IntegerSliderText(double value);  // whole numbers (eraser size, tempo, ...): "8"
std::string LineQuantizeText(double value);   // 0..4 -> "1/16" .. "1/1"

}  // namespace tond
