#include "widgets/ColourSpace.h"

#include <algorithm>
#include <cmath>

namespace tond {

Hsb RgbToHsb(Cell colour) {
  const int r = Red(colour), g = Green(colour), b = Blue(colour);
  const int max = std::max({r, g, b});
  const int d = max - std::min({r, g, b});
  Hsb hsb;
  hsb.brightness = max;
  if (d == 0) return hsb;
  hsb.saturation = static_cast<int>(static_cast<double>(d) / max * 255);
  double sixths;
  if (r == max)
    sixths = static_cast<double>(g - b) / d;
  else if (g == max)
    sixths = static_cast<double>(b - r) / d + 2;
  else
    sixths = static_cast<double>(r - g) / d + 4;
  double hue = sixths * 60;
  if (hue < 0) hue += 360;
  if (hue == 360) hue = 0;
  hsb.hue = static_cast<int>(hue);
  return hsb;
}

Cell HsbToRgb(const Hsb& hsb) {
  const int h = ((hsb.hue % 360) + 360) % 360;
  const double v = hsb.brightness;
  const double c = hsb.saturation * v / 255;
  const double m = v - c;
  double red, green, blue;
  if (h <= 60) {
    red = v, green = m + c * h / 60, blue = m;
  } else if (h <= 119) {
    red = m + c * (2 - h / 60.0), green = v, blue = m;
  } else if (h <= 179) {
    red = m, green = v, blue = m + c * (h / 60.0 - 2);
  } else if (h <= 239) {
    red = m, green = m + c * (4 - h / 60.0), blue = v;
  } else if (h <= 300) {
    red = m + c * (h / 60.0 - 4), green = m, blue = v;
  } else {
    red = v, green = m, blue = m + c * (360 - h) / 60;
  }
  return MakeCell(static_cast<int>(red), static_cast<int>(green), static_cast<int>(blue));
}

int ClampField(ColourField field, int typed) {
  return std::clamp(typed, 0, field == ColourField::kHue ? 359 : 255);
}

int WheelDistance(int dx, int dy) {
  return static_cast<int>(std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy));
}

bool InWheel(int dx, int dy) {
  return WheelDistance(dx, dy) < kWheelRadius + 1;
}

Hsb PickWheel(const Hsb& current, int dx, int dy) {
  Hsb hsb = current;
  // Screen y grows downwards; the wheel's angles grow upwards.
  int hue = static_cast<int>(std::atan2(static_cast<double>(-dy), static_cast<double>(dx)) * 180.0 /
                             3.141592502593994);
  if (hue < 0) hue += 360;
  hsb.hue = hue;
  hsb.saturation = std::min(WheelDistance(dx, dy) * 255 / kWheelRadius, 255);
  return hsb;
}

Hsb PickStrip(const Hsb& current, int y, int stripTop, int stripHeight) {
  Hsb hsb = current;
  if (stripHeight <= 0) return hsb;
  double value = static_cast<double>(stripTop + stripHeight - y) * 255 / stripHeight;
  hsb.brightness = static_cast<int>(std::clamp(value, 0.0, 255.0));
  return hsb;
}

PickerColour::PickerColour(Cell start) : old_(start) {
  SetRgb(Red(start), Green(start), Blue(start));
}

int PickerColour::Field(ColourField field) const {
  switch (field) {
    case ColourField::kRed:
      return red_;
    case ColourField::kGreen:
      return green_;
    case ColourField::kBlue:
      return blue_;
    case ColourField::kHue:
      return hsb_.hue;
    case ColourField::kSaturation:
      return hsb_.saturation;
    case ColourField::kBrightness:
      return hsb_.brightness;
  }
  return 0;
}

bool PickerColour::SetField(ColourField field, int typed) {
  const int value = ClampField(field, typed);
  if (value == Field(field)) return false;
  switch (field) {
    case ColourField::kRed:
      SetRgb(value, green_, blue_);
      break;
    case ColourField::kGreen:
      SetRgb(red_, value, blue_);
      break;
    case ColourField::kBlue:
      SetRgb(red_, green_, value);
      break;
    case ColourField::kHue:
      SetHsb({value, hsb_.saturation, hsb_.brightness});
      break;
    case ColourField::kSaturation:
      SetHsb({hsb_.hue, value, hsb_.brightness});
      break;
    case ColourField::kBrightness:
      SetHsb({hsb_.hue, hsb_.saturation, value});
      break;
  }
  return true;
}

PickerDrag PickerColour::Press(const PickerLayout& layout, int x, int y) {
  PickerDrag drag = PickerDrag::kNone;
  if (InWheel(x - layout.wheelCentreX, y - layout.wheelCentreY))
    drag = PickerDrag::kWheel;
  else if (x >= layout.stripLeft && x < layout.stripLeft + layout.stripWidth &&
           y >= layout.stripTop && y < layout.stripTop + layout.stripHeight)
    drag = PickerDrag::kStrip;
  DragTo(drag, layout, x, y);
  return drag;
}

void PickerColour::DragTo(PickerDrag drag, const PickerLayout& layout, int x, int y) {
  if (drag == PickerDrag::kWheel)
    SetHsb(PickWheel(hsb_, x - layout.wheelCentreX, y - layout.wheelCentreY));
  else if (drag == PickerDrag::kStrip)
    SetHsb(PickStrip(hsb_, y, layout.stripTop, layout.stripHeight));
}

void PickerColour::SetRgb(int red, int green, int blue) {
  red_ = red, green_ = green, blue_ = blue;
  hsb_ = RgbToHsb(Colour());
}

void PickerColour::SetHsb(const Hsb& hsb) {
  hsb_ = hsb;
  Cell c = HsbToRgb(hsb);
  red_ = Red(c), green_ = Green(c), blue_ = Blue(c);
}

}  // namespace tond
