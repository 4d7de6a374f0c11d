// The voice bank's renderer, written once for every instruction set: Highway compiles this file
// for each target and dispatches to the best one at run time.
//
// Every lane performs the same float and double operations, in the same order, as the
// per-voice loop (AddNote), so all targets agree with it bit for bit. With N lanes to a vector:
// the positions of N voices advance per instruction through a block of 16 frames; the block is
// then turned so that each voice's frames lie side by side and read N at a time (lanes =
// frames), and the voices are summed in row order.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "engine/VoiceKernels.cpp"
// Every target the processor may have, the scalar one included. Left out: SSSE3 (processors
// below Highway's SSE4, which also asks for AES and CLMUL, take the scalar path) and SVE, whose
// vector length is known only at run time; NEON serves every 64-bit ARM processor.
#define HWY_COMPILE_ALL_ATTAINABLE
#define HWY_DISABLED_TARGETS (HWY_SSSE3 | HWY_SVE | HWY_SVE2 | HWY_SVE_256 | HWY_SVE2_128)
#include "hwy/foreach_target.h"  // must come before highway.h
#include "hwy/highway.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/Engine.h"
#include "engine/VoiceKernels.h"

HWY_BEFORE_NAMESPACE();
namespace tond {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

#if HWY_TARGET == HWY_SCALAR || HWY_TARGET == HWY_EMU128 || !HWY_HAVE_FLOAT64
// Without a vector unit VoiceBank's per-voice loop is faster than vectors of one lane; and
// the quadratic interpolation needs vectors of doubles (32-bit ARM has none).
bool RenderBank(VoiceLanes&, int, bool, std::uint8_t, std::uint32_t, std::uint32_t, float*,
                std::uint32_t) {
  return false;
}
#else

using DF = hn::CappedTag<float, VoiceLanes::kBlock>;
using DI = hn::RebindToSigned<DF>;
using VF = hn::Vec<DF>;
using VI = hn::Vec<DI>;
using MF = hn::Mask<DF>;
constexpr int kN = static_cast<int>(hn::MaxLanes(DF()));

// N rows of N floats at `in` (N apart) become columns at `out` (`stride` apart): first the 4 x 4
// squares within each 128-bit block, then, for 8 and 16 lanes, the blocks themselves.
HWY_INLINE void Transpose(const float* HWY_RESTRICT in, float* HWY_RESTRICT out, int stride) {
  const DF df;
  const hn::Repartition<double, DF> d64;
  VF r[kN];
  for (int k = 0; k < kN; ++k) r[k] = hn::Load(df, in + kN * k);
  for (int q = 0; q < kN; q += 4) {
    const auto t0 = hn::BitCast(d64, hn::InterleaveLower(df, r[q], r[q + 1]));
    const auto t1 = hn::BitCast(d64, hn::InterleaveUpper(df, r[q], r[q + 1]));
    const auto t2 = hn::BitCast(d64, hn::InterleaveLower(df, r[q + 2], r[q + 3]));
    const auto t3 = hn::BitCast(d64, hn::InterleaveUpper(df, r[q + 2], r[q + 3]));
    r[q] = hn::BitCast(df, hn::InterleaveLower(d64, t0, t2));
    r[q + 1] = hn::BitCast(df, hn::InterleaveUpper(d64, t0, t2));
    r[q + 2] = hn::BitCast(df, hn::InterleaveLower(d64, t1, t3));
    r[q + 3] = hn::BitCast(df, hn::InterleaveUpper(d64, t1, t3));
  }
  // Row 4q + k, block b, now holds column 4b + k of rows 4q ... 4q + 3: blocks b of row 4q + k
  // and q of row 4b + k trade places.
  if constexpr (kN >= 8) {
    for (int k = 0; k < kN; ++k) {
      if ((k & 4) != 0) continue;
      const VF odd = hn::OddEvenBlocks(hn::SwapAdjacentBlocks(r[k + 4]), r[k]);
      r[k + 4] = hn::OddEvenBlocks(r[k + 4], hn::SwapAdjacentBlocks(r[k]));
      r[k] = odd;
    }
  }
  if constexpr (kN == 16) {
    for (int k = 0; k < 8; ++k) {
      const VF low = hn::ConcatLowerLower(df, r[k + 8], r[k]);
      r[k + 8] = hn::ConcatUpperUpper(df, r[k + 8], r[k]);
      r[k] = low;
    }
  }
  for (int k = 0; k < kN; ++k) hn::Store(r[k], df, out + stride * k);
}

// Lanes h * N/2 ... of a float vector widened to double, and back: the quadratic
// interpolation works in double.
HWY_INLINE auto Widen(VF x, int h) {
  const hn::Half<DF> dh;
  return hn::PromoteTo(hn::Rebind<double, hn::Half<DF>>(),
                       h == 0 ? hn::LowerHalf(dh, x) : hn::UpperHalf(dh, x));
}

template <class VD>
HWY_INLINE VF Narrow(VD low, VD high) {
  const DF df;
  const hn::Half<DF> dh;
  return hn::Combine(df, hn::DemoteTo(dh, high), hn::DemoteTo(dh, low));
}

// The nearest float, as a double.
template <class DD>
HWY_INLINE hn::Vec<DD> RoundedToFloat(DD dd, hn::Vec<DD> x) {
  return hn::PromoteTo(dd, hn::DemoteTo(hn::Rebind<float, DD>(), x));
}

// The frames an interpolation reads around frame i of a sample: i - kBefore to i + kAfter.
template <int kMode>
constexpr int kBefore = kMode == kQuadratic ? 1 : 0;
template <int kMode>
constexpr int kAfter = kMode == kQuadratic ? 2 : kMode == kLinear ? 1 : 0;

// The sample frames at i - 1, i, i + 1 and i + 2, as far as the interpolation reads them.
struct TapValues {
  VF m1, i0, p1, p2;
};

// The usual case: every valid lane's i lies within kSpan frames of the first lane's (N at a
// rate up to 1, else 2N), far enough from the sample's ends that no neighbour needs moving.
// Each neighbour is then looked up in kSpan frames shifted by its offset. False, reading
// nothing, in any other case (rare, so the branch is well predicted).
template <int kMode, int kSpan>
HWY_INLINE bool ReadInside(const float* d, std::int32_t size, bool ends, MF valid, VI i,
                           TapValues& x) {
  const DF df;
  const DI di;
  const std::int32_t base = hn::GetLane(i);
  if (base < kBefore<kMode> || base > size - kSpan - kAfter<kMode>) return false;
  // Frames from the first lane's; 0 in the lanes of a voice that ran off its sample. (Lanes
  // past a short block hold stale positions: they are looked up within the loaded frames or
  // send the block the other way.)
  VI j = hn::Sub(i, hn::Set(di, base));
  if (ends) j = hn::IfThenElseZero(hn::RebindMask(di, valid), j);
  if (!hn::AllTrue(di, hn::Eq(hn::And(j, hn::Set(di, -kSpan)), hn::Zero(di)))) return false;
  const float* w = d + base;
  // Each tap looks its lanes up in the N frames from w + offset on, and with a span of 2N also
  // in the N after them.
  const auto lane = hn::IndicesFromVec(df, kSpan == kN ? j : hn::And(j, hn::Set(di, kN - 1)));
  auto tap = [&](int offset) {
    const VF near = hn::TableLookupLanes(hn::LoadU(df, w + offset), lane);
    if constexpr (kSpan == kN) {
      return near;
    } else {
      const VF far = hn::TableLookupLanes(hn::LoadU(df, w + offset + kN), lane);
      return hn::IfThenElse(hn::RebindMask(df, hn::Lt(j, hn::Set(di, kN))), near, far);
    }
  };
  x.i0 = tap(0);
  if constexpr (kMode != kTruncate) x.p1 = tap(1);
  if constexpr (kMode == kQuadratic) x.m1 = tap(-1), x.p2 = tap(2);
  return true;
}

// Any other case (a sample's first or last frames, a loop's wrap, frames far apart): the taps
// are moved where the sample ends, as the interpolations say, and gathered lane by lane.
// Lanes that are not valid read frame 0.
template <int kMode>
HWY_INLINE TapValues ReadAnywhere(const float* d, std::int32_t size, MF valid, VI i) {
  const DF df;
  const DI di;
  const VI last = hn::Set(di, size - 1);
  const VI i0 = hn::IfThenElseZero(hn::RebindMask(di, valid), i);
  TapValues x{};
  x.i0 = hn::GatherIndex(df, d, i0);
  if constexpr (kMode != kTruncate) {
    x.p1 = hn::GatherIndex(df, d, hn::Min(hn::Add(i0, hn::Set(di, 1)), last));
  }
  if constexpr (kMode == kQuadratic) {
    // The left neighbour of the first frame is the last one.
    const VI m1 = hn::IfThenElse(hn::Eq(i0, hn::Zero(di)), last, hn::Sub(i0, hn::Set(di, 1)));
    const VI p2 = hn::Add(i0, hn::Set(di, 2));
    x.m1 = hn::GatherIndex(df, d, m1);
    x.p2 = hn::GatherIndex(df, d, hn::IfThenElse(hn::Gt(p2, last), i0, p2));
  }
  return x;
}

// The interpolations between the taps, f being the fraction past frame i, with the roundings of
// the per-voice loop.
HWY_INLINE VF Linear(const TapValues& x, VF f) {
  return hn::Add(x.i0, hn::Mul(hn::Sub(x.p1, x.i0), f));
}

// Four-point, third-order Lagrange, in double; 3 x0 + x2 is rounded to float on the way.
HWY_INLINE VF Lagrange(const TapValues& x, VF f) {
  const VF f2 = hn::Mul(f, f);
  const VF f3 = hn::Mul(f2, f);
  decltype(Widen(f, 0)) half[2];
  for (int h = 0; h < 2; ++h) {
    const auto xm1 = Widen(x.m1, h), x0 = Widen(x.i0, h);
    const auto x1 = Widen(x.p1, h), x2 = Widen(x.p2, h);
    const hn::DFromV<decltype(x0)> dd;
    const auto three = hn::Set(dd, 3.0), six = hn::Set(dd, 6.0);
    const auto threeX0 = hn::Mul(three, x0);
    const auto outer = RoundedToFloat(dd, hn::Add(threeX0, x2));
    const auto c3 = hn::Div(hn::Sub(outer, hn::Add(hn::Mul(three, x1), xm1)), six);
    const auto c2 = hn::Sub(hn::Mul(hn::Add(xm1, x1), hn::Set(dd, 0.5)), x0);
    const auto c1 = hn::Sub(
        x1, hn::Div(hn::Add(hn::Add(hn::Mul(hn::Set(dd, 2.0), xm1), threeX0), x2), six));
    auto sum = hn::Add(x0, hn::Mul(c1, Widen(f, h)));
    sum = hn::Add(sum, hn::Mul(c2, Widen(f2, h)));
    half[h] = hn::Add(sum, hn::Mul(c3, Widen(f3, h)));
  }
  return Narrow(half[0], half[1]);
}

// Voice a's sample at the lanes' positions p, as the interpolation reads it; `ends` when the
// voice does not loop, `valid` its lanes that lie within the sample.
template <int kMode>
HWY_INLINE VF Sample(const VoiceLanes& v, int a, VF p, MF valid, bool ends) {
  const DF df;
  const DI di;
  // i = p truncated and f = p - i, for positions below 2^23 (VoiceBank hands longer samples to
  // the per-voice loop): adding 2^23 to a whole float below it leaves the integer in the low
  // bits.
  const VF whole = hn::Trunc(p);
  const VF f = hn::Sub(p, whole);
  const VI i =
      hn::Sub(hn::BitCast(di, hn::Add(whole, hn::Set(df, 8388608.0f))), hn::Set(di, 0x4B000000));
  const float* d = v.data[a];
  const std::int32_t size = v.last[a] + 1;
  TapValues x;
  const bool inside = v.rate[a] <= 1.0f ? ReadInside<kMode, kN>(d, size, ends, valid, i, x)
                                        : ReadInside<kMode, 2 * kN>(d, size, ends, valid, i, x);
  if (!inside) x = ReadAnywhere<kMode>(d, size, valid, i);
  if constexpr (kMode == kTruncate) {
    return x.i0;
  } else if constexpr (kMode == kLinear) {
    return Linear(x, f);
  } else {
    return Lagrange(x, f);
  }
}

// The fade over a step's first 20 frames (rising) and its last 20 (falling), for the block
// starting at frame firstK of the step.
HWY_INLINE VF Fade(VF s, std::int32_t firstK, std::int32_t stepLength) {
  const DF df;
  const DI di;
  const VI k = hn::Iota(di, firstK);
  const auto rising = hn::Lt(k, hn::Set(di, 20));
  const auto falling = hn::AndNot(rising, hn::Gt(k, hn::Set(di, stepLength - 20)));
  const VF weight = hn::IfThenElse(hn::RebindMask(df, rising), hn::ConvertTo(df, k),
                                   hn::ConvertTo(df, hn::Sub(hn::Set(di, stepLength), k)));
  return hn::IfThenElse(hn::RebindMask(df, hn::Or(rising, falling)),
                        hn::Div(hn::Mul(s, weight), hn::Set(df, 20.0f)), s);
}

// A block is kBlock frames: kVectors vectors of each lane's frames.
constexpr int kBlock = VoiceLanes::kBlock;
constexpr int kVectors = kBlock / kN;

// Notes where each of the next n frames (at most a block) reads, for every lane, then advances
// the positions and wraps them: one subtraction is enough for any looping sample of two frames
// or more (the position lies below the length and the rate is at most 1.5), two for a
// one-frame sample. Finally turns each group's block so that every lane's frames lie side by
// side.
HWY_INLINE void Advance(VoiceLanes& v, int groups, int n, bool twice) {
  const DF df;
  constexpr int kMaxGroups = VoiceLanes::kLanes / kN;
  VF p[kMaxGroups];
  for (int g = 0; g < groups; ++g) p[g] = hn::Load(df, &v.position[g * kN]);
  for (int t = 0; t < n; ++t) {
    for (int g = 0; g < groups; ++g) {
      const VF wrap = hn::Load(df, &v.wrap[g * kN]);
      hn::Store(p[g], df, &v.byFrame[(g * kBlock + t) * kN]);
      p[g] = hn::Add(p[g], hn::Load(df, &v.rate[g * kN]));
      // p - 0 is p: positions are never -0.
      p[g] = hn::Sub(p[g], hn::IfThenElseZero(hn::Ge(p[g], wrap), wrap));
      if (twice) p[g] = hn::Sub(p[g], hn::IfThenElseZero(hn::Ge(p[g], wrap), wrap));
    }
  }
  for (int g = 0; g < groups; ++g) {
    hn::Store(p[g], df, &v.position[g * kN]);
    for (int h = 0; h < kVectors; ++h) {
      Transpose(&v.byFrame[(g * kBlock + h * kN) * kN], &v.byLane[g * kN * kBlock + h * kN],
                kBlock);
    }
  }
}

// One kernel per interpolation; kMode -1 stands for an unknown one (silence while the
// positions move).
template <int kMode>
void RenderMode(VoiceLanes& v, int count, bool twice, std::uint32_t stepFrame,
                std::uint32_t stepLength, float* out, std::uint32_t frames) {
  const DF df;
  const int groups = (count + kN - 1) / kN;
  const std::int64_t fallFrom = static_cast<std::int64_t>(stepLength) - 19;

  for (std::uint32_t start = 0; start < frames; start += kBlock) {
    const int n = static_cast<int>(std::min<std::uint32_t>(kBlock, frames - start));
    Advance(v, groups, n, twice);
    if constexpr (kMode < 0) continue;  // an unknown interpolation reads silence; zeros stay

    // Each vector of the block in turn: its frames of every voice, summed in row order.
    for (int h = 0; h < kVectors && h * kN < n; ++h) {
      const int width = std::min(kN, n - h * kN);  // frames in this vector
      const std::int64_t firstK = static_cast<std::int64_t>(stepFrame) + start + h * kN;
      const bool edge = firstK < 20 || firstK + width - 1 >= fallFrom;
      const MF inBlock = hn::FirstN(df, static_cast<std::size_t>(width));
      VF sumLeft = hn::Zero(df);
      VF sumRight = hn::Zero(df);
      for (int a = 0; a < count; ++a) {
        const VF p = hn::Load(df, &v.byLane[a * kBlock + h * kN]);
        // A looping voice is valid in the whole block; one that does not loop only until it
        // runs off its sample, and then adds +0, which changes no sum.
        const bool ends = !v.loop[a];
        MF valid = inBlock;
        if (ends) {
          valid = hn::And(valid, hn::Lt(p, hn::Set(df, v.length[a])));
          if (hn::AllFalse(df, valid)) continue;
        }
        VF s = Sample<kMode>(v, a, p, valid, ends);
        if (edge && v.fade[a]) {
          s = Fade(s, static_cast<std::int32_t>(firstK), static_cast<std::int32_t>(stepLength));
        }
        VF level = hn::Mul(hn::Set(df, v.volume[a]), s);
        if (ends) level = hn::IfThenElseZero(valid, level);
        sumLeft = hn::Add(sumLeft, hn::Mul(level, hn::Set(df, v.left[a])));
        sumRight = hn::Add(sumRight, hn::Mul(level, hn::Set(df, v.pan[a])));
      }
      float* o = out + 2 * (static_cast<std::size_t>(start) + h * kN);
      if (width == kN) {
        hn::StoreInterleaved2(sumLeft, sumRight, df, o);
      } else {
        HWY_ALIGN float both[2 * kN];
        hn::StoreInterleaved2(sumLeft, sumRight, df, both);
        std::copy(both, both + 2 * width, o);
      }
    }
  }
}

bool RenderBank(VoiceLanes& v, int count, bool twice, std::uint8_t mode, std::uint32_t stepFrame,
                std::uint32_t stepLength, float* out, std::uint32_t frames) {
  switch (mode) {
    case kTruncate:
      RenderMode<kTruncate>(v, count, twice, stepFrame, stepLength, out, frames);
      break;
    case kLinear:
      RenderMode<kLinear>(v, count, twice, stepFrame, stepLength, out, frames);
      break;
    case kQuadratic:
      RenderMode<kQuadratic>(v, count, twice, stepFrame, stepLength, out, frames);
      break;
    default:
      RenderMode<-1>(v, count, twice, stepFrame, stepLength, out, frames);
      break;
  }
  return true;
}
#endif  // a vector unit

std::int64_t BankTarget() {
  return HWY_TARGET;
}

}  // namespace HWY_NAMESPACE
}  // namespace tond
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace tond {

HWY_EXPORT(RenderBank);
HWY_EXPORT(BankTarget);

namespace {

struct TargetName {
  const char* name;
  std::int64_t bits;
};
constexpr TargetName kTargetNames[] = {{"avx512", HWY_AVX3 | HWY_AVX3_DL},
                                       {"avx2", HWY_AVX2},
                                       {"sse4", HWY_SSE4},
                                       {"neon", HWY_NEON},
                                       {"scalar", HWY_SCALAR | HWY_EMU128}};

std::int64_t Best(std::int64_t targets) {
  return targets & -targets;
}

// The targets compiled here that the processor has, and those that TOND_SIMD rules out. Picked
// once at start-up, so that the audio thread never detects the processor.
struct Choice {
  std::int64_t available;
  std::int64_t disabled;
};

Choice Decide() {
  Choice c{hwy::SupportedTargets() & HWY_TARGETS, 0};
  const VectorCap cap = CapVectorTargets(std::getenv("TOND_SIMD"), c.available);
  if (!cap.problem.empty()) std::fprintf(stderr, "tond: %s\n", cap.problem.c_str());
  c.disabled = cap.disabled;
  hwy::DisableTargets(c.disabled);
  HWY_DYNAMIC_DISPATCH(BankTarget)();  // settles the choice now
  return c;
}

// Made on first use, which start-up forces.
const Choice& TheChoice() {
  static const Choice choice = Decide();
  return choice;
}
const Choice& kChoiceAtStartUp = TheChoice();

}  // namespace

VectorCap CapVectorTargets(const char* value, std::int64_t available) {
  if (value == nullptr || *value == '\0') return {};
  for (const TargetName& t : kTargetNames) {
    if (std::strcmp(t.name, value) != 0) continue;
    const std::int64_t cap = Best(t.bits & available);
    // Highway numbers the targets best first: the better ones are the lower bits.
    if (cap != 0) return {cap - 1, {}};
    return {0, std::string("TOND_SIMD=") + value + " is not available on this processor; using " +
                   VectorTargetName(Best(available))};
  }
  return {0, std::string("TOND_SIMD=") + value +
                 " is none of avx512, avx2, sse4, neon, scalar; using " +
                 VectorTargetName(Best(available))};
}

bool RenderLanes(VoiceLanes& lanes, int count, bool twice, std::uint8_t mode,
                 std::uint32_t stepFrame, std::uint32_t stepLength, float* out,
                 std::uint32_t frames) {
  return HWY_DYNAMIC_DISPATCH(RenderBank)(lanes, count, twice, mode, stepFrame, stepLength, out,
                                          frames);
}

std::vector<std::int64_t> VectorTargets() {
  std::vector<std::int64_t> targets;
  for (std::int64_t rest = TheChoice().available; rest != 0; rest &= rest - 1) {
    targets.push_back(Best(rest));
  }
  return targets;
}

const char* VectorTargetName(std::int64_t target) {
  for (const TargetName& t : kTargetNames) {
    if (t.bits & target) return t.name;
  }
  return hwy::TargetName(target);
}

std::int64_t CurrentVectorTarget() {
  return HWY_DYNAMIC_DISPATCH(BankTarget)();
}

void ForceVectorTarget(std::int64_t target) {
  if (target == 0) {
    hwy::SetSupportedTargetsForTest(0);
    hwy::DisableTargets(TheChoice().disabled);
  } else {
    hwy::DisableTargets(0);
    hwy::SetSupportedTargetsForTest(target);
  }
  HWY_DYNAMIC_DISPATCH(BankTarget)();
}

}  // namespace tond
#endif  // HWY_ONCE
