#include "engine/Voice.h"

#include <algorithm>

#include "engine/Engine.h"
#include "kit/Instrument.h"

namespace tond {
namespace {

// Which edge of the step a run of frames lies in (for the fade).
enum class Edge { kNone, kIn, kOut };

// The sample at a fractional position below the length. The float/double roundings are part
// of the sound: every build must give the same frames bit for bit.
template <int kMode>
inline float Read(const float* d, std::int64_t n, float position) {
  const std::int64_t i = static_cast<std::int64_t>(position);
  if constexpr (kMode == 0) {
    return d[i];
  } else if constexpr (kMode == 1) {
    const float f = position - static_cast<float>(i);
    const std::int64_t j = i + 1 >= n ? i : i + 1;
    return d[i] + (d[j] - d[i]) * f;
  } else {
    // Four-point, third-order Lagrange; the left neighbour of the first frame is the last one.
    const float f = position - static_cast<float>(i);
    const double xm1 = d[i == 0 ? n - 1 : i - 1];
    const double x0 = d[i];
    const double x1 = d[i + 1 >= n ? i : i + 1];
    const double x2 = d[i + 2 >= n ? i : i + 2];
    const float outer = static_cast<float>(3.0 * x0 + x2);
    const double c3 = (outer - (3.0 * x1 + xm1)) / 6.0;
    const double c2 = (xm1 + x1) * 0.5 - x0;
    const double c1 = x1 - (2.0 * xm1 + 3.0 * x0 + x2) / 6.0;
    const float f2 = f * f;
    const float f3 = f2 * f;
    return static_cast<float>(x0 + c1 * f + c2 * f2 + c3 * f3);
  }
}

// One run of frames with fixed parameters. kMode 3 stands for an unknown interpolation: no
// sound, but the position moves as it would.
template <int kMode, bool kLoop, Edge kEdge>
void Run(const float* d, std::uint32_t n, NoteColour note, float& position, std::uint32_t k,
         std::uint32_t step, float* out, std::uint32_t frames) {
  const float length = static_cast<float>(n);
  const float left = 1.0f - note.pan;
  const float right = note.pan;
  float pos = position;
  for (std::uint32_t t = 0; t < frames; ++t) {
    // A looping position always lies below the length; a plain one runs off the end for good.
    if (!kLoop && !(pos < length)) break;
    float s = 0.0f;
    if constexpr (kMode != 3) s = Read<kMode>(d, n, pos);
    pos = pos + note.rate;
    // The rate is at least 0.5, so the position never goes below 0 and one wrap loop is enough.
    if constexpr (kLoop) {
      while (pos >= length) pos = pos - length;
    }
    if constexpr (kMode != 3) {
      if constexpr (kEdge == Edge::kIn) {
        s = s * static_cast<float>(k + t) / 20.0f;
      } else if constexpr (kEdge == Edge::kOut) {
        s = s * static_cast<float>(step - (k + t)) / 20.0f;
      }
      const float v = note.volume * s;
      out[2 * t] += v * left;
      out[2 * t + 1] += v * right;
    }
  }
  position = pos;
}

template <int kMode>
void RunMode(const float* d, std::uint32_t n, bool loop, Edge edge, NoteColour note,
             float& position, std::uint32_t k, std::uint32_t step, float* out,
             std::uint32_t frames) {
  if (loop) {
    switch (edge) {
      case Edge::kNone:
        return Run<kMode, true, Edge::kNone>(d, n, note, position, k, step, out, frames);
      case Edge::kIn:
        return Run<kMode, true, Edge::kIn>(d, n, note, position, k, step, out, frames);
      case Edge::kOut:
        return Run<kMode, true, Edge::kOut>(d, n, note, position, k, step, out, frames);
    }
  } else {
    switch (edge) {
      case Edge::kNone:
        return Run<kMode, false, Edge::kNone>(d, n, note, position, k, step, out, frames);
      case Edge::kIn:
        return Run<kMode, false, Edge::kIn>(d, n, note, position, k, step, out, frames);
      case Edge::kOut:
        return Run<kMode, false, Edge::kOut>(d, n, note, position, k, step, out, frames);
    }
  }
}

}  // namespace

void AddNote(const CInstrument& instrument, std::uint8_t mode, bool fade, NoteColour note,
             float& position, std::uint32_t stepFrame, std::uint32_t stepLength, float* out,
             std::uint32_t frames) {
  const std::uint32_t n = instrument.Length();
  if (n == 0) return;  // an empty sample sounds silent and has nowhere to move
  const bool loop = instrument.loop;
  if (!loop && !(position < static_cast<float>(n))) return;
  const float* d = instrument.data.data();

  std::uint32_t k = stepFrame;
  while (frames > 0) {
    // Split the run where the fade changes: rising while k < 20, falling while k > step - 20.
    Edge edge = Edge::kNone;
    std::uint32_t count = frames;
    if (fade) {
      const std::int64_t fallFrom = static_cast<std::int64_t>(stepLength) - 19;
      if (k < 20) {
        edge = Edge::kIn;
        count = std::min(frames, 20 - k);
      } else if (static_cast<std::int64_t>(k) >= fallFrom) {
        edge = Edge::kOut;
      } else {
        count = static_cast<std::uint32_t>(
            std::min<std::int64_t>(frames, fallFrom - static_cast<std::int64_t>(k)));
      }
    }
    switch (mode) {
      case kTruncate:
        RunMode<0>(d, n, loop, edge, note, position, k, stepLength, out, count);
        break;
      case kLinear:
        RunMode<1>(d, n, loop, edge, note, position, k, stepLength, out, count);
        break;
      case kQuadratic:
        RunMode<2>(d, n, loop, edge, note, position, k, stepLength, out, count);
        break;
      default:
        RunMode<3>(d, n, loop, edge, note, position, k, stepLength, out, count);
        break;
    }
    out += 2 * static_cast<std::size_t>(count);
    k += count;
    frames -= count;
  }
}

}  // namespace tond
