// What TOND_SIMD makes of the instruction sets a processor has.
#include "engine/VoiceKernels.h"

#include <gtest/gtest.h>

#include "hwy/targets.h"

namespace tond {
namespace {

constexpr std::int64_t kX86 = HWY_AVX3 | HWY_AVX2 | HWY_SSE4 | HWY_SCALAR;

TEST(VectorCap, LeavesOutTheBetterSetsAndReportsUnknownAndMissingOnes) {
  EXPECT_EQ(CapVectorTargets(nullptr, kX86).disabled, 0);
  EXPECT_EQ(CapVectorTargets("", kX86).disabled, 0);
  EXPECT_EQ(CapVectorTargets("avx512", kX86).disabled & kX86, 0);
  for (const char* name : {"avx2", "sse4", "scalar"}) {
    const VectorCap cap = CapVectorTargets(name, kX86);
    EXPECT_EQ(cap.problem, "") << name;
    // What remains is the named set and those below it.
    const std::int64_t left = kX86 & ~cap.disabled;
    EXPECT_STREQ(VectorTargetName(left & -left), name);
  }
  // Unknown and missing sets are reported.
  const std::int64_t noAvx512 = HWY_AVX2 | HWY_SSE4 | HWY_SCALAR;
  VectorCap cap = CapVectorTargets("avx512", noAvx512);
  EXPECT_EQ(cap.disabled, 0);
  EXPECT_EQ(cap.problem, "TOND_SIMD=avx512 is not available on this processor; using avx2");
  cap = CapVectorTargets("neon", kX86);
  EXPECT_EQ(cap.problem, "TOND_SIMD=neon is not available on this processor; using avx512");
  cap = CapVectorTargets("AVX2", kX86);
  EXPECT_EQ(cap.disabled, 0);
  EXPECT_EQ(cap.problem,
            "TOND_SIMD=AVX2 is none of avx512, avx2, sse4, neon, scalar; using avx512");
}

}  // namespace
}  // namespace tond
