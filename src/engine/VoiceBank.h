#pragma once
// The sounding row voices of the current step, laid out side by side so that they can be
// rendered together. The engine collects them at every step boundary and at the start of
// every playing Process() call, then renders the step run by run. Audio thread only.
#include <array>
#include <cstdint>

#include "engine/Track.h"
#include "kit/Kit.h"

namespace tond {

// The collected voices' fields, lane by lane (lane = rank in row order). The vector kernels
// (VoiceKernels.cpp) work in blocks of kBlock frames and groups of N lanes, N being the
// vector's width in floats (at most kBlock).
struct VoiceLanes {
  static constexpr int kLanes = CKit::kSlots;
  static constexpr int kBlock = 16;  // frames per block, and the widest vector's floats

  alignas(64) std::array<float, kLanes> position;
  alignas(64) std::array<float, kLanes> rate;
  alignas(64) std::array<float, kLanes> wrap;         // loop length, or infinity without loop
  alignas(64) std::array<float, kLanes> length;       // sample length as a float
  alignas(64) std::array<std::int32_t, kLanes> last;  // sample length - 1
  alignas(64) std::array<float, kLanes> volume;
  alignas(64) std::array<float, kLanes> left;  // 1 - pan
  alignas(64) std::array<float, kLanes> pan;
  std::array<const float*, kLanes> data;
  std::array<bool, kLanes> loop;
  std::array<bool, kLanes> fade;
  // Read positions of one block of frames, first by frame ([group of N lanes][frame][lane]),
  // then by lane ([lane][frame]).
  alignas(64) std::array<float, kLanes * kBlock> byFrame;
  alignas(64) std::array<float, kLanes * kBlock> byLane;
};

class VoiceBank {
 public:
  VoiceBank();

  // Takes the voices that can make a sound this step (sounding, with a non-empty sample that
  // they have not run off), in row order. Their instruments must be set.
  void Collect(std::array<CTrack, VoiceLanes::kLanes>& tracks);

  // Adds `frames` frames of the collected voices to the interleaved stereo `out`, which must
  // hold zeros: per frame the result is 0 + voice + voice + ... in row order, exactly as the
  // voices would add one by one. `stepFrame` is the index of the first frame within its step
  // (the run must end within the step); the voices' positions advance.
  void Render(std::uint8_t mode, std::uint32_t stepFrame, std::uint32_t stepLength, float* out,
              std::uint32_t frames);

 private:
  int count_ = 0;
  bool vector_ = false;  // render with the vector kernels; decided at Collect
  bool twice_ = false;   // a looping one-frame sample may need two wraps per frame
  std::array<CTrack*, VoiceLanes::kLanes> tracks_{};
  VoiceLanes lanes_{};
};

}  // namespace tond
