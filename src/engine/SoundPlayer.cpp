#include "engine/SoundPlayer.h"

#include <algorithm>
#include <new>

#include "kit/Instrument.h"
#include "kit/WaveReader.h"

namespace tond {

SoundPlayer::~SoundPlayer() {
  delete owned_;
}

bool SoundPlayer::Play(const std::string& path, Notifier* notifier) {
  Stop();
  CInstrument sample;
  if (!LoadWave(path, sample, notifier) || sample.data.empty()) return false;
  Clip* clip = new (std::nothrow) Clip;
  if (clip == nullptr) return false;
  clip->samples = std::move(sample.data);
  // Ids tell the audio thread that a new clip starts, even if it lands at a freed clip's address.
  clip->id = ++nextId_;
  Replace(clip);
  return true;
}

void SoundPlayer::Stop() {
  if (owned_ != nullptr) Replace(nullptr);
}

bool SoundPlayer::IsPlaying() const {
  return owned_ != nullptr && finished_.load(std::memory_order_acquire) != owned_->id;
}

void SoundPlayer::Replace(Clip* next) {
  Clip* old = owned_;
  clip_.store(next, std::memory_order_release);
  owned_ = next;
  // Either a Mix() call loads the new pointer, or we wait until it has finished with the old.
  mixing_.WaitForEarlierCalls();
  delete old;
}

void SoundPlayer::Mix(float* out, std::uint32_t frames) noexcept {
  mixing_.Enter();
  const Clip* clip = clip_.load(std::memory_order_acquire);
  if (clip != nullptr) {
    if (clip->id != playingId_) {
      playingId_ = clip->id;
      position_ = 0;
    }
    const std::size_t size = clip->samples.size();
    if (position_ < size) {
      const std::size_t count = std::min<std::size_t>(frames, size - position_);
      const float* from = clip->samples.data() + position_;
      for (std::size_t i = 0; i < count; ++i) {
        out[2 * i] += from[i];
        out[2 * i + 1] += from[i];
      }
      position_ += count;
      if (position_ == size) finished_.store(clip->id, std::memory_order_release);
    }
  }
  mixing_.Leave();
}

}  // namespace tond
