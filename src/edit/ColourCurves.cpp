#include "edit/ColourCurves.h"

#include <cmath>
#include <cstdint>

namespace tond {

namespace {

// f(i) of the preview: (i / 63) ^ p, single precision.
float PreviewResponse(int i, float exponent) {
  const float x = static_cast<float>(i / 63.0);
  return static_cast<float>(std::pow(static_cast<double>(x), static_cast<double>(exponent)));
}

}  // namespace

float CurveExponent(int amount) {
  const double a = amount;
  if (amount < 0) return static_cast<float>(-a / 10.0 + 1.0);
  return static_cast<float>(1.0 / (a / 10.0 + 1.0));
}

int CurveChannelValue(int value, float exponent, bool invert) {
  const float x = static_cast<float>(value / 255.0);
  float y = static_cast<float>(std::pow(static_cast<double>(x), static_cast<double>(exponent)));
  if (invert) y = 1.0f - y;
  int result = static_cast<int>(static_cast<double>(y) * 255.0);
  // Only an exponent outside the slider's range could leave 0..255.
  if (result < 0) result = 0;
  if (result > 255) result = 255;
  return result;
}

bool ApplyCurves(const Pattern& backup, Grid& grid, const CurveSettings& settings) {
  // A channel takes only 256 values: one table per channel costs 768 powers, where every
  // channel of every note would cost up to 12288 while a slider is dragged.
  std::array<std::array<std::uint8_t, 256>, 3> tables;
  for (int c = 0; c < 3; ++c) {
    const CurveChannel& channel = settings[static_cast<size_t>(c)];
    const float exponent = CurveExponent(channel.amount);
    for (int v = 0; v < 256; ++v)
      tables[static_cast<size_t>(c)][static_cast<size_t>(v)] =
          static_cast<std::uint8_t>(CurveChannelValue(v, exponent, channel.invert));
  }
  return RecolourNotes(backup, grid, [&tables](Cell cell) {
    return MakeCell(tables[0][static_cast<size_t>(Red(cell))],
                    tables[1][static_cast<size_t>(Green(cell))],
                    tables[2][static_cast<size_t>(Blue(cell))]);
  });
}

CurvePreview CurvePreviewValues(const CurveChannel& channel) {
  CurvePreview preview;
  const float exponent = CurveExponent(channel.amount);
  for (int i = 0; i < 64; ++i) {
    const float f = PreviewResponse(i, exponent);
    const float rising = channel.invert ? f : 1.0f - f;
    const float shade = channel.invert ? 1.0f - f : f;
    preview.lineY[static_cast<size_t>(i)] = static_cast<int>(rising * 64.0f);
    preview.intensity[static_cast<size_t>(i)] =
        static_cast<int>(static_cast<double>(shade) * 255.0);
  }
  return preview;
}

PixelRect CurveBoxRect(int channel) {
  const int left = CurveBoxLeft(channel);
  return {left, kCurveBoxTop, left + kCurveBoxSize, kCurveBoxTop + kCurveBoxSize};
}

PixelRect CurveFrameRect(int channel) {
  const PixelRect box = CurveBoxRect(channel);
  return {box.left - 1, box.top - 1, box.right + 1, box.bottom + 1};
}

PixelRect CurveStripRect(int channel) {
  const PixelRect frame = CurveFrameRect(channel);
  return {frame.left, frame.top + 74, frame.right, frame.top + 74 + 15};
}

PixelRect CurveRedrawRect(int channel) {
  const int left = CurveBoxLeft(channel);
  return {left, kCurveBoxTop, left + kCurveBoxSize, 114};
}

PixelRect CurveInvertRect(int channel) {
  const int top = 137 + 23 * channel;
  return {200, top, 222, top + 12};
}

bool ColourCurvesEdit::SetAmount(int channel, int amount) {
  if (!IsChannel(channel)) return false;
  settings_[static_cast<size_t>(channel)].amount = amount;
  return ApplyCurves(Backup(), EditedGrid(), settings_);
}

bool ColourCurvesEdit::SetInvert(int channel, bool invert) {
  if (!IsChannel(channel)) return false;
  settings_[static_cast<size_t>(channel)].invert = invert;
  return ApplyCurves(Backup(), EditedGrid(), settings_);
}

}  // namespace tond
