#include "engine/VoiceBank.h"

// GCC 12 reports its own vector headers' deliberately undefined values as uninitialised.
#pragma GCC diagnostic push
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#pragma GCC diagnostic ignored "-Wuninitialized"
#include <immintrin.h>
#pragma GCC diagnostic pop

#include <algorithm>
#include <atomic>
#include <limits>

#include "engine/Engine.h"
#include "engine/Voice.h"
#include "kit/Instrument.h"

namespace tond {
namespace {

// Decided once at start-up, so that the audio thread never waits on a guarded initialiser.
bool DetectVectorUnit() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx512f");
}
const bool kHasVectorUnit = DetectVectorUnit();
std::atomic<bool> vectorAllowed{true};

constexpr int kBlock = VoiceLanes::kBlock;

#define TOND_AVX512 __attribute__((target("avx512f")))

// Lanes 0-7 (h = 0) or 8-15 (h = 1) of a float vector, widened to double.
TOND_AVX512 inline __m512d Half(__m512 x, int h) {
  const __m256 part = h == 0 ? _mm512_castps512_ps256(x)
                             : _mm256_castpd_ps(_mm512_extractf64x4_pd(_mm512_castps_pd(x), 1));
  return _mm512_cvtps_pd(part);
}

// Rows of 16 floats at `in` (16 apart) become columns at `out`.
TOND_AVX512 void Transpose16(const float* in, float* out) {
  __m512 r[16], t[16];
  for (int k = 0; k < 16; ++k) r[k] = _mm512_load_ps(in + 16 * k);
  for (int k = 0; k < 8; ++k) {
    t[2 * k] = _mm512_unpacklo_ps(r[2 * k], r[2 * k + 1]);
    t[2 * k + 1] = _mm512_unpackhi_ps(r[2 * k], r[2 * k + 1]);
  }
  // v[4q + m], 128-bit lane L: column 4L + m of rows 4q..4q+3.
  __m512 v[16];
  for (int q = 0; q < 4; ++q) {
    const __m512d a = _mm512_castps_pd(t[4 * q]), b = _mm512_castps_pd(t[4 * q + 2]);
    const __m512d c = _mm512_castps_pd(t[4 * q + 1]), d = _mm512_castps_pd(t[4 * q + 3]);
    v[4 * q] = _mm512_castpd_ps(_mm512_unpacklo_pd(a, b));
    v[4 * q + 1] = _mm512_castpd_ps(_mm512_unpackhi_pd(a, b));
    v[4 * q + 2] = _mm512_castpd_ps(_mm512_unpacklo_pd(c, d));
    v[4 * q + 3] = _mm512_castpd_ps(_mm512_unpackhi_pd(c, d));
  }
  for (int m = 0; m < 4; ++m) {
    const __m512 x = _mm512_shuffle_f32x4(v[m], v[4 + m], 0x44);
    const __m512 y = _mm512_shuffle_f32x4(v[8 + m], v[12 + m], 0x44);
    const __m512 x2 = _mm512_shuffle_f32x4(v[m], v[4 + m], 0xEE);
    const __m512 y2 = _mm512_shuffle_f32x4(v[8 + m], v[12 + m], 0xEE);
    _mm512_store_ps(out + 16 * m, _mm512_shuffle_f32x4(x, y, 0x88));
    _mm512_store_ps(out + 16 * (4 + m), _mm512_shuffle_f32x4(x, y, 0xDD));
    _mm512_store_ps(out + 16 * (8 + m), _mm512_shuffle_f32x4(x2, y2, 0x88));
    _mm512_store_ps(out + 16 * (12 + m), _mm512_shuffle_f32x4(x2, y2, 0xDD));
  }
}

// Up to 32 consecutive sample frames from `base` on, for lookups by index - base. Reads only
// frames of the sample (the rest of the window is 0).
struct Window {
  __m512 low, high;
  std::int32_t base;
};

TOND_AVX512 inline Window LoadWindow(const float* d, std::int32_t n, std::int32_t base) {
  Window w{_mm512_setzero_ps(), _mm512_setzero_ps(), base};
  const std::int32_t ahead = n - base;  // frames from base to the end, at least 1
  w.low = _mm512_maskz_loadu_ps(static_cast<__mmask16>(ahead >= 16 ? 0xFFFF : (1u << ahead) - 1),
                                d + base);
  if (ahead > 16) {
    const std::int32_t rest = ahead - 16;
    w.high = _mm512_maskz_loadu_ps(static_cast<__mmask16>(rest >= 16 ? 0xFFFF : (1u << rest) - 1),
                                   d + base + 16);
  }
  return w;
}

TOND_AVX512 inline __m512 Look(const Window& w, __m512i index) {
  return _mm512_permutex2var_ps(w.low, _mm512_sub_epi32(index, _mm512_set1_epi32(w.base)), w.high);
}

// The lanes' samples one by one, for the rare blocks whose frames lie too far apart.
TOND_AVX512 __m512 ReadEach(const float* d, __mmask16 valid, __m512i index) {
  alignas(64) std::int32_t at[16];
  alignas(64) float value[16] = {};
  _mm512_store_si512(at, index);
  for (int t = 0; t < 16; ++t) {
    if (valid & (1u << t)) value[t] = d[at[t]];
  }
  return _mm512_load_ps(value);
}

// Notes where each of the next `n` frames reads, for every lane, then advances the positions
// and wraps them: one subtraction is enough for any looping sample of two frames or more (the
// position lies below the length and the rate is at most 1.5), two for a one-frame sample.
template <int kGroups>
TOND_AVX512 void AdvanceGroups(VoiceLanes& v, int n, bool twice) {
  __m512 p[kGroups], rate[kGroups], wrap[kGroups];
  for (int g = 0; g < kGroups; ++g) {
    p[g] = _mm512_load_ps(&v.position[g * kBlock]);
    rate[g] = _mm512_load_ps(&v.rate[g * kBlock]);
    wrap[g] = _mm512_load_ps(&v.wrap[g * kBlock]);
  }
  for (int t = 0; t < n; ++t) {
    for (int g = 0; g < kGroups; ++g) {
      _mm512_store_ps(&v.byFrame[(g * kBlock + t) * kBlock], p[g]);
      p[g] = _mm512_add_ps(p[g], rate[g]);
      p[g] = _mm512_mask_sub_ps(p[g], _mm512_cmp_ps_mask(p[g], wrap[g], _CMP_GE_OQ), p[g], wrap[g]);
      if (twice) {
        p[g] =
            _mm512_mask_sub_ps(p[g], _mm512_cmp_ps_mask(p[g], wrap[g], _CMP_GE_OQ), p[g], wrap[g]);
      }
    }
  }
  for (int g = 0; g < kGroups; ++g) _mm512_store_ps(&v.position[g * kBlock], p[g]);
}

TOND_AVX512 inline void Advance(VoiceLanes& v, int groups, int n, bool twice) {
  switch (groups) {
    case 1:
      return AdvanceGroups<1>(v, n, twice);
    case 2:
      return AdvanceGroups<2>(v, n, twice);
    case 3:
      return AdvanceGroups<3>(v, n, twice);
    default:
      return AdvanceGroups<4>(v, n, twice);
  }
}

// The AVX-512 renderer. Every lane performs the same float and double operations, in the same
// order, as the portable per-voice loop (AddNote), so the two agree bit for bit: positions of
// 16 voices advance per instruction, each voice is then read 16 frames at a time, and the
// voices are summed into registers in row order.
// kMode is the interpolation, or -1 for an unknown one (silence while the positions move).
template <int kMode>
TOND_AVX512 void RenderVector(VoiceLanes& v, int count, bool twice, std::uint32_t stepFrame,
                              std::uint32_t stepLength, float* out, std::uint32_t frames) {
  const int groups = (count + kBlock - 1) / kBlock;
  constexpr bool audible = kMode >= 0;
  const __m512i iota = _mm512_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
  const __m512i one = _mm512_set1_epi32(1);
  const __m512i two = _mm512_set1_epi32(2);
  const __m512i interleaveLow =
      _mm512_setr_epi32(0, 16, 1, 17, 2, 18, 3, 19, 4, 20, 5, 21, 6, 22, 7, 23);
  const __m512i interleaveHigh =
      _mm512_setr_epi32(8, 24, 9, 25, 10, 26, 11, 27, 12, 28, 13, 29, 14, 30, 15, 31);
  const std::int64_t fallFrom = static_cast<std::int64_t>(stepLength) - 19;

  for (std::uint32_t start = 0; start < frames; start += kBlock) {
    const int n = static_cast<int>(std::min<std::uint32_t>(kBlock, frames - start));
    const __mmask16 inBlock = static_cast<__mmask16>((1u << n) - 1);

    Advance(v, groups, n, twice);
    if constexpr (!audible) continue;  // an unknown interpolation reads silence; zeros stay
    for (int g = 0; g < groups; ++g) {
      Transpose16(&v.byFrame[g * kBlock * kBlock], &v.byLane[g * kBlock * kBlock]);
    }

    const std::int64_t firstK = static_cast<std::int64_t>(stepFrame) + start;
    const bool edge = firstK < 20 || firstK + n - 1 >= fallFrom;
    __m512 sumLeft = _mm512_setzero_ps();
    __m512 sumRight = _mm512_setzero_ps();
    for (int a = 0; a < count; ++a) {
      const __m512 p = _mm512_load_ps(&v.byLane[a * kBlock]);
      const __mmask16 valid =
          inBlock & _mm512_cmp_ps_mask(p, _mm512_set1_ps(v.length[a]), _CMP_LT_OQ);
      if (valid == 0) continue;  // ran off the end of a sample that does not loop
      const float* d = v.data[a];
      const std::int32_t size = v.last[a] + 1;
      const __m512i last = _mm512_set1_epi32(v.last[a]);
      const __m512i i = _mm512_cvttps_epi32(p);
      const __m512 f = _mm512_sub_ps(p, _mm512_cvtepi32_ps(i));

      // The frames to read: i, and for the interpolations their neighbours.
      __m512i low = i, high = i, i1 = i, im1 = i, i2 = i;
      if constexpr (kMode != kTruncate) {
        i1 = _mm512_min_epi32(_mm512_add_epi32(i, one), last);
        high = i1;
      }
      if constexpr (kMode == kQuadratic) {
        im1 = _mm512_mask_mov_epi32(_mm512_sub_epi32(i, one),
                                    _mm512_cmpeq_epi32_mask(i, _mm512_setzero_si512()), last);
        i2 = _mm512_add_epi32(i, two);
        i2 = _mm512_mask_mov_epi32(i2, _mm512_cmpgt_epi32_mask(i2, last), i);
        // At the first frame the left neighbour is the last one, above all the others.
        low = _mm512_min_epi32(im1, i);
        high = _mm512_max_epi32(_mm512_max_epi32(i1, i2), im1);
      }
      // Usually all of them lie in a window of 32 frames starting at the first frame's lowest.
      std::int32_t base = _mm_cvtsi128_si32(_mm512_castsi512_si128(low));
      auto fits = [&]() TOND_AVX512 {
        const __mmask16 below = _mm512_cmplt_epi32_mask(low, _mm512_set1_epi32(base));
        const __mmask16 above = _mm512_cmpgt_epi32_mask(high, _mm512_set1_epi32(base + 31));
        return (valid & (below | above)) == 0;
      };
      bool windowed = base >= 0 && base < size && fits();
      if (!windowed) {
        base = _mm512_mask_reduce_min_epi32(valid, low);
        windowed = fits();
      }
      __m512 x0, x1 = _mm512_setzero_ps(), xm1 = x1, x2 = x1;
      if (windowed) {
        const Window w = LoadWindow(d, size, base);
        x0 = Look(w, i);
        if constexpr (kMode != kTruncate) x1 = Look(w, i1);
        if constexpr (kMode == kQuadratic) xm1 = Look(w, im1), x2 = Look(w, i2);
      } else {
        x0 = ReadEach(d, valid, i);
        if constexpr (kMode != kTruncate) x1 = ReadEach(d, valid, i1);
        if constexpr (kMode == kQuadratic)
          xm1 = ReadEach(d, valid, im1), x2 = ReadEach(d, valid, i2);
      }

      __m512 s;
      if constexpr (kMode == kTruncate) {
        s = x0;
      } else if constexpr (kMode == kLinear) {
        s = _mm512_add_ps(x0, _mm512_mul_ps(_mm512_sub_ps(x1, x0), f));
      } else {
        const __m512 f2 = _mm512_mul_ps(f, f);
        const __m512 f3 = _mm512_mul_ps(f2, f);
        const __m512d three = _mm512_set1_pd(3.0), six = _mm512_set1_pd(6.0);
        __m256 result[2];
        for (int h = 0; h < 2; ++h) {
          const __m512d a0 = Half(x0, h), am1 = Half(xm1, h), a1 = Half(x1, h), a2 = Half(x2, h);
          const __m512d outer =
              _mm512_cvtps_pd(_mm512_cvtpd_ps(_mm512_add_pd(_mm512_mul_pd(three, a0), a2)));
          const __m512d c3 = _mm512_div_pd(
              _mm512_sub_pd(outer, _mm512_add_pd(_mm512_mul_pd(three, a1), am1)), six);
          const __m512d c2 =
              _mm512_sub_pd(_mm512_mul_pd(_mm512_add_pd(am1, a1), _mm512_set1_pd(0.5)), a0);
          const __m512d outer2 = _mm512_add_pd(
              _mm512_add_pd(_mm512_mul_pd(_mm512_set1_pd(2.0), am1), _mm512_mul_pd(three, a0)), a2);
          const __m512d c1 = _mm512_sub_pd(a1, _mm512_div_pd(outer2, six));
          __m512d sum = _mm512_add_pd(a0, _mm512_mul_pd(c1, Half(f, h)));
          sum = _mm512_add_pd(sum, _mm512_mul_pd(c2, Half(f2, h)));
          sum = _mm512_add_pd(sum, _mm512_mul_pd(c3, Half(f3, h)));
          result[h] = _mm512_cvtpd_ps(sum);
        }
        s = _mm512_castpd_ps(_mm512_insertf64x4(_mm512_castpd256_pd512(_mm256_castps_pd(result[0])),
                                                _mm256_castps_pd(result[1]), 1));
      }
      if (edge && v.fade[a]) {
        // Rising over the step's first 20 frames, falling over its last 20.
        const __m512i k = _mm512_add_epi32(_mm512_set1_epi32(static_cast<int>(firstK)), iota);
        const __mmask16 rising = _mm512_cmplt_epi32_mask(k, _mm512_set1_epi32(20));
        const __mmask16 falling = static_cast<__mmask16>(
            ~rising & _mm512_cmpge_epi32_mask(k, _mm512_set1_epi32(static_cast<int>(fallFrom))));
        const __m512 weight =
            _mm512_mask_mov_ps(_mm512_cvtepi32_ps(_mm512_sub_epi32(
                                   _mm512_set1_epi32(static_cast<int>(stepLength)), k)),
                               rising, _mm512_cvtepi32_ps(k));
        s = _mm512_mask_div_ps(s, rising | falling, _mm512_mul_ps(s, weight),
                               _mm512_set1_ps(20.0f));
      }
      const __m512 level = _mm512_mul_ps(_mm512_set1_ps(v.volume[a]), s);
      sumLeft = _mm512_mask_add_ps(sumLeft, valid, sumLeft,
                                   _mm512_mul_ps(level, _mm512_set1_ps(v.left[a])));
      sumRight = _mm512_mask_add_ps(sumRight, valid, sumRight,
                                    _mm512_mul_ps(level, _mm512_set1_ps(v.pan[a])));
    }
    const __m512 low = _mm512_permutex2var_ps(sumLeft, interleaveLow, sumRight);
    const __m512 high = _mm512_permutex2var_ps(sumLeft, interleaveHigh, sumRight);
    float* o = out + 2 * static_cast<std::size_t>(start);
    if (n == kBlock) {
      _mm512_storeu_ps(o, low);
      _mm512_storeu_ps(o + kBlock, high);
    } else {
      const unsigned floats = 2u * static_cast<unsigned>(n);
      _mm512_mask_storeu_ps(o, static_cast<__mmask16>(floats >= 16 ? 0xFFFF : (1u << floats) - 1),
                            low);
      if (floats > 16) {
        _mm512_mask_storeu_ps(o + kBlock, static_cast<__mmask16>((1u << (floats - 16)) - 1), high);
      }
    }
  }
}

}  // namespace

void VoiceBank::UseVectorUnit(bool allowed) {
  vectorAllowed.store(allowed, std::memory_order_relaxed);
}

VoiceBank::VoiceBank() {
  lanes_.byFrame.fill(0.0f);
  lanes_.byLane.fill(0.0f);
}

void VoiceBank::Collect(std::array<CTrack, VoiceLanes::kLanes>& tracks) {
  count_ = 0;
  twice_ = false;
  vector_ = kHasVectorUnit && vectorAllowed.load(std::memory_order_relaxed);
  for (CTrack& track : tracks) {
    if (!track.sounding) continue;
    const CInstrument& in = *track.instrument;
    const std::uint32_t n = in.Length();
    if (n == 0 || (!in.loop && !(track.position < static_cast<float>(n)))) continue;
    // The vector unit indexes samples with 32-bit lanes; no wave file comes near that size.
    if (n > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max())) vector_ = false;
    // A looping position at or past the length can only come from a sample changed under a
    // playing voice; the portable loop wraps it as often as needed.
    if (in.loop && !(track.position < static_cast<float>(n))) vector_ = false;
    if (in.loop && n == 1) twice_ = true;
    const int a = count_++;
    tracks_[a] = &track;
    lanes_.position[a] = track.position;
    lanes_.rate[a] = track.rate;
    lanes_.wrap[a] = in.loop ? static_cast<float>(n) : std::numeric_limits<float>::infinity();
    lanes_.length[a] = static_cast<float>(n);
    lanes_.last[a] = static_cast<std::int32_t>(n - 1);
    lanes_.volume[a] = track.volume;
    lanes_.left[a] = 1.0f - track.pan;
    lanes_.pan[a] = track.pan;
    lanes_.data[a] = in.data.data();
    lanes_.fade[a] = in.fade;
  }
  // Idle lanes of the last group stand still.
  for (int a = count_; a < (count_ + kBlock - 1) / kBlock * kBlock; ++a) {
    lanes_.position[a] = 0.0f;
    lanes_.rate[a] = 0.0f;
    lanes_.wrap[a] = std::numeric_limits<float>::infinity();
  }
}

void VoiceBank::Render(std::uint8_t mode, std::uint32_t stepFrame, std::uint32_t stepLength,
                       float* out, std::uint32_t frames) {
  if (count_ == 0) return;
  if (vector_) {
    switch (mode) {
      case kTruncate:
        RenderVector<kTruncate>(lanes_, count_, twice_, stepFrame, stepLength, out, frames);
        break;
      case kLinear:
        RenderVector<kLinear>(lanes_, count_, twice_, stepFrame, stepLength, out, frames);
        break;
      case kQuadratic:
        RenderVector<kQuadratic>(lanes_, count_, twice_, stepFrame, stepLength, out, frames);
        break;
      default:
        RenderVector<-1>(lanes_, count_, twice_, stepFrame, stepLength, out, frames);
        break;
    }
    for (int a = 0; a < count_; ++a) tracks_[a]->position = lanes_.position[a];
    return;
  }
  for (int a = 0; a < count_; ++a) {
    CTrack& t = *tracks_[a];
    AddNote(*t.instrument, mode, t.instrument->fade, NoteColour{t.rate, t.volume, t.pan},
            t.position, stepFrame, stepLength, out, frames);
  }
}

}  // namespace tond
