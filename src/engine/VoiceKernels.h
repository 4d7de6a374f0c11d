#pragma once
// The voice bank's vector kernels, and the instruction set they run with: at start-up the best
// one the processor has, capped by the environment variable TOND_SIMD (avx512, avx2, sse4,
// neon or scalar; an unknown or unavailable value is reported on stderr and ignored). Every
// instruction set gives the same floats.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/VoiceBank.h"

namespace tond {

// Renders the collected lanes (count of them) as VoiceBank::Render describes; `twice` when a
// looping one-frame sample may need two wraps per frame. Positions must lie below 2^23 and a
// looping one below its length. False, doing nothing, where the instruction set has no vector
// unit (the scalar target): the voices are then best rendered one by one. Audio thread: no
// allocation, no lock.
bool RenderLanes(VoiceLanes& lanes, int count, bool twice, std::uint8_t mode,
                 std::uint32_t stepFrame, std::uint32_t stepLength, float* out,
                 std::uint32_t frames);

// Instruction sets that this build can render with on this processor, best first, as Highway
// target bits.
std::vector<std::int64_t> VectorTargets();
// "avx512", "avx2", "sse4", "neon" or "scalar".
const char* VectorTargetName(std::int64_t target);
// The instruction set RenderLanes uses now.
std::int64_t CurrentVectorTarget();
// What a TOND_SIMD value (null when unset) makes of the `available` targets: the targets to
// leave out, and what is wrong with the value if anything.
struct VectorCap {
  std::int64_t disabled = 0;
  std::string problem;
};
VectorCap CapVectorTargets(const char* value, std::int64_t available);

// For tests and benchmarks: render with `target` (one of VectorTargets()) from now on, or with
// the start-up choice again for 0. Not while any Process() call runs.
void ForceVectorTarget(std::int64_t target);

}  // namespace tond
