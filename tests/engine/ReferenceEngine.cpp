#include "ReferenceEngine.h"

namespace tond::test {

ReferenceEngine::ReferenceEngine(const Grid& grid_, const CKit& kit_) : grid(grid_), kit(kit_) {
  for (int i = 0; i < CKit::kSlots; ++i) tracks[i].row = static_cast<std::uint16_t>(i);
}

void ReferenceEngine::Reset() {
  for (CTrack& t : tracks) {
    t.position = 0.0f;
    t.counter = 0;
    t.column = -1;
    t.sounding = false;
  }
  preview.instrument = nullptr;
  preview.counter = 0;
}

void ReferenceEngine::PlayPreview(int slot, Cell colour) {
  if (slot < 0 || slot >= CKit::kSlots) return;
  preview.instrument = &kit[slot];
  StartNote(preview, colour);
  preview.counter = 0;
  previewLength = stepLength;
}

void ReferenceEngine::StopPreview() {
  preview.instrument = nullptr;
  preview.counter = 0;
}

// Blue gives the rate, red the volume and green the pan.
void ReferenceEngine::StartNote(CTrack& v, Cell c) const {
  v.position = 0.0f;
  v.rate = static_cast<float>(1.5 - (1.0 - ((c >> 16) & 255) / 255.0));
  v.volume = static_cast<float>((c & 255) / 255.0);
  v.pan = static_cast<float>(((c >> 8) & 255) / 255.0);
}

float ReferenceEngine::Read(const CInstrument& instrument, float position) const {
  const float* d = instrument.data.data();
  const std::int64_t n = instrument.Length();
  const std::int64_t i = static_cast<std::int64_t>(position);
  const float f = position - static_cast<float>(i);
  switch (interpolation) {
    case kTruncate:
      return d[i];
    case kLinear: {
      std::int64_t j = i + 1;
      if (j >= n) j = i;
      return d[i] + (d[j] - d[i]) * f;
    }
    case kQuadratic: {
      std::int64_t im1 = i - 1;
      if (im1 < 0) im1 = n - 1;
      std::int64_t i1 = i + 1;
      if (i1 >= n) i1 = i;
      std::int64_t i2 = i + 2;
      if (i2 >= n) i2 = i;
      const float xm1 = d[im1];
      const float x0 = d[i];
      const float x1 = d[i1];
      const float x2 = d[i2];
      const float sum = static_cast<float>(3.0 * x0 + x2);
      const double c3 = (sum - (3.0 * x1 + xm1)) / 6.0;
      const double c2 = (static_cast<double>(xm1) + x1) * 0.5 - x0;
      const double c1 = x1 - (2.0 * xm1 + 3.0 * x0 + x2) / 6.0;
      const float f2 = f * f;
      const float f3 = f2 * f;
      return static_cast<float>(x0 + c1 * f + c2 * f2 + c3 * f3);
    }
    default:
      return 0.0f;
  }
}

// One frame of a note: the sample at the position (silence past the end), then the position
// moves on by the rate and, on a looping sample, wraps round.
float ReferenceEngine::NextSample(CTrack& v) const {
  const CInstrument& in = *v.instrument;
  const std::uint32_t n = in.Length();
  float s = 0.0f;
  if (v.position < static_cast<float>(n)) s = Read(in, v.position);
  v.position = v.position + v.rate;
  if (in.loop && n > 0) {
    while (v.position >= static_cast<float>(n)) v.position = v.position - static_cast<float>(n);
    while (v.position < 0.0f) v.position = v.position + static_cast<float>(n);
  }
  return s;
}

void ReferenceEngine::TrackFrame(CTrack& t, float& left, float& right) {
  if (!(t.counter < stepLength && t.column != -1)) {
    t.column = static_cast<std::int16_t>(t.column + 1);
    if (t.column == 64) t.column = 0;
    t.sounding = false;
    t.counter = 0;
    const Cell c = grid.Get(t.column, t.row);
    if (c != 0) {
      t.sounding = true;
      StartNote(t, c);
    }
  }
  left = 0.0f;
  right = 0.0f;
  if (t.sounding) {
    float s = NextSample(t);
    if (t.instrument->fade && t.instrument->Length() > 0) {
      const std::int64_t k = t.counter;
      const std::int64_t length = stepLength;
      if (k < 20) {
        s = s * static_cast<float>(k) / 20.0f;
      } else if (k > length - 20) {
        s = s * static_cast<float>(length - k) / 20.0f;
      }
    }
    const float v = t.volume * s;
    left = v * (1.0f - t.pan);
    right = v * t.pan;
  }
  t.counter = t.counter + 1;
}

void ReferenceEngine::Process(std::uint32_t frames, float* out) {
  const bool run = playing || muted;
  if (run) {
    // The tempo control's range is 1..350; the value is truncated.
    double bpm = tempo;
    if (!(bpm >= 1.0)) bpm = 1.0;
    if (bpm > 350.0) bpm = 350.0;
    stepLength = 10584000u / (static_cast<std::uint32_t>(bpm) * 16u);
    for (int i = 0; i < CKit::kSlots; ++i) tracks[i].instrument = &kit[i];
  }
  for (std::uint32_t frame = 0; frame < frames; ++frame) {
    float left = 0.0f;
    float right = 0.0f;
    if (run) {
      for (CTrack& t : tracks) {
        float l, r;
        TrackFrame(t, l, r);
        left = left + l;
        right = right + r;
      }
    }
    if (preview.instrument != nullptr) {
      const float v = preview.volume * NextSample(preview);
      left = left + v * (1.0f - preview.pan);
      right = right + v * preview.pan;
      preview.counter = preview.counter + 1;
      if (preview.counter == previewLength) preview.instrument = nullptr;
    }
    if (run) {
      left = volume * left;
      right = volume * right;
    }
    out[2 * frame] = left;
    out[2 * frame + 1] = right;
  }
}

}  // namespace tond::test
