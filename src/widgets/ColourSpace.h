#pragma once
#include "model/Cell.h"

namespace tond {

// A colour as hue (0..359 degrees), saturation and brightness (0..255).
struct Hsb {
  int hue = 0, saturation = 0, brightness = 0;
  bool operator==(const Hsb&) const = default;
};

// The picker's conversions. Both truncate toward zero, so a round trip may lose a little:
// the hue keeps whole degrees only.
Hsb RgbToHsb(Cell colour);
Cell HsbToRgb(const Hsb& hsb);

// The picker's six number fields.
enum class ColourField { kRed, kGreen, kBlue, kHue, kSaturation, kBrightness };

// A typed value brought into its field's range: hue 0..359, the others 0..255.
int ClampField(ColourField field, int typed);

// The colour wheel is a disc of this radius; presses up to a distance of 100 pick from it.
inline constexpr int kWheelRadius = 100;

// Distance of an offset from the wheel's centre, truncated.
int WheelDistance(int dx, int dy);
bool InWheel(int dx, int dy);
// The hue and saturation at an offset (dx = x - centre x, dy = y - centre y, screen y growing
// downwards): 0 degrees to the right, 90 upwards, saturation 255 at the rim and beyond.
// Brightness stays.
Hsb PickWheel(const Hsb& current, int dx, int dy);
// The brightness strip runs from 255 at its top to 0 at its bottom (top + height); hue and
// saturation stay. Points above or below it clamp.
Hsb PickStrip(const Hsb& current, int y, int stripTop, int stripHeight);

// Where the picker dialog put its wheel and strip, in its own pixels.
struct PickerLayout {
  int wheelCentreX = 0, wheelCentreY = 0;
  int stripLeft = 0, stripTop = 0, stripWidth = 0, stripHeight = 0;
};

enum class PickerDrag { kNone, kWheel, kStrip };

// The colour being edited in the picker, held both as red, green, blue and as HSB. Whichever
// form is edited, the other is computed from it.
class PickerColour {
 public:
  explicit PickerColour(Cell start = 255);

  Cell Colour() const { return MakeCell(red_, green_, blue_); }
  // The starting colour, shown as "Old Color" and returned by Cancel.
  Cell OldColour() const { return old_; }
  const Hsb& HsbValue() const { return hsb_; }
  int Field(ColourField field) const;

  // A value typed into a field: clamped, and taken when it differs from the one held.
  // Returns true when the colour changed (rewrite the fields, redraw wheel, strip, swatch).
  bool SetField(ColourField field, int typed);

  // A press: which drag it starts (the wheel first, then the strip), picking at once.
  PickerDrag Press(const PickerLayout& layout, int x, int y);
  // A move during a drag (the mouse is captured, so the point may lie anywhere).
  void DragTo(PickerDrag drag, const PickerLayout& layout, int x, int y);

 private:
  void SetRgb(int red, int green, int blue);
  void SetHsb(const Hsb& hsb);

  int red_ = 0, green_ = 0, blue_ = 0;
  Hsb hsb_;
  Cell old_;
};

}  // namespace tond
