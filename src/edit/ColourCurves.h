#pragma once
#include <array>
#include <string>

#include "edit/CellGeometry.h"
#include "edit/LiveEdit.h"
#include "model/Pattern.h"

namespace tond {

// One channel of the "Color curves" window: its amount (-50 to 50) and its "inv" toggle.
struct CurveChannel {
  int amount = 0;
  bool invert = false;
};
using CurveSettings = std::array<CurveChannel, 3>;  // red, green, blue

// The exponent of an amount: -a / 10 + 1 below 0 (1.1 to 6), 1 / (a / 10 + 1) from 0 on
// (1 to 1/6), in single precision. A positive amount lifts the channel.
float CurveExponent(int amount);

// One channel value 0..255 through its curve, with the single-precision steps the window
// has always used: at amount 0 with "inv" on, 200 becomes 54, not 55.
int CurveChannelValue(int value, float exponent, bool invert);

// Rewrites every note of the backup through the three curves into the grid (the top byte
// becomes 0); cells empty in the backup are never written. Returns whether any cell of the grid
// changed.
bool ApplyCurves(const Pattern& backup, Grid& grid, const CurveSettings& settings);

// The curves slider runs 0..100 with 50 in the middle.
constexpr int kCurveSliderMiddle = 50;
inline int CurveAmountFromSlider(int value) {
  return value - kCurveSliderMiddle;
}
inline std::string CurveAmountText(int amount) {
  return SignedAmountText(amount);
}

// What the preview of one channel draws, for i = 0..63: the curve point's offset below the
// box top ((1 - f(i)) * 64 truncated, f(i) * 64 with "inv"), and the strip line's intensity
// (f(i) * 255 truncated, (1 - f(i)) * 255 with "inv"), f(i) = (i / 63) ^ p in single precision.
struct CurvePreview {
  std::array<int, 64> lineY{};
  std::array<int, 64> intensity{};
};
CurvePreview CurvePreviewValues(const CurveChannel& channel);

// Preview geometry per channel (0 red, 1 green, 2 blue).
constexpr int kCurveBoxTop = 20;
constexpr int kCurveBoxSize = 64;
constexpr int CurveBoxLeft(int channel) {
  return 10 + 79 * channel;
}
// The 64 x 64 black square.
PixelRect CurveBoxRect(int channel);
// The grey frame one pixel outside the square.
PixelRect CurveFrameRect(int channel);
// The colour strip: the frame moved down by 74 and cut to 15 high; its inner lines run from
// one pixel below its top to one pixel above its bottom.
PixelRect CurveStripRect(int channel);
// What a change of the channel redraws: its box and strip.
PixelRect CurveRedrawRect(int channel);
// The "inv" toggle, 22 x 12.
PixelRect CurveInvertRect(int channel);

// The live state of one "Color curves" window: amounts and toggles over the live backup.
class ColourCurvesEdit : public LiveEdit {
 public:
  using LiveEdit::LiveEdit;

  // A slider change (channel 0 red, 1 green, 2 blue) or a toggle; both recompute the grid.
  bool SetAmount(int channel, int amount);
  bool SetInvert(int channel, bool invert);

  const CurveSettings& Settings() const { return settings_; }

 private:
  CurveSettings settings_{};
};

}  // namespace tond
