#include "engine/VoiceBank.h"

#include <limits>

#include "engine/Voice.h"
#include "engine/VoiceKernels.h"
#include "kit/Instrument.h"

namespace tond {

VoiceBank::VoiceBank() {
  lanes_.byFrame.fill(0.0f);
  lanes_.byLane.fill(0.0f);
}

void VoiceBank::Collect(std::array<CTrack, VoiceLanes::kLanes>& tracks) {
  count_ = 0;
  twice_ = false;
  vector_ = true;
  for (CTrack& track : tracks) {
    if (!track.sounding) continue;
    const CInstrument& in = *track.instrument;
    const std::uint32_t n = in.Length();
    if (n == 0 || (!in.loop && !(track.position < static_cast<float>(n)))) continue;
    // The vector kernels take positions below 2^23 frames (over three minutes).
    if (n > (1u << 23)) vector_ = false;
    // A looping position at or past the length can only come from a sample changed under a
    // playing voice; the per-voice loop wraps it as often as needed.
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
    lanes_.loop[a] = in.loop;
    lanes_.fade[a] = in.fade;
  }
  // Idle lanes of the last group stand still.
  constexpr int kBlock = VoiceLanes::kBlock;
  for (int a = count_; a < (count_ + kBlock - 1) / kBlock * kBlock; ++a) {
    lanes_.position[a] = 0.0f;
    lanes_.rate[a] = 0.0f;
    lanes_.wrap[a] = std::numeric_limits<float>::infinity();
  }
}

void VoiceBank::Render(std::uint8_t mode, std::uint32_t stepFrame, std::uint32_t stepLength,
                       float* out, std::uint32_t frames) {
  if (count_ == 0) return;
  if (vector_ && RenderLanes(lanes_, count_, twice_, mode, stepFrame, stepLength, out, frames)) {
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
