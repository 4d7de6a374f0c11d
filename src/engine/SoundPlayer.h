#pragma once
// Plays one wave file at a time through the running output stream, added to the engine's output
// (the audition of a sample). Starting a file stops the one before.
//
// Threads: Play() and Stop() run on the window thread, Mix() on the audio thread. The window
// thread reads the file and owns the clip's memory; it publishes the clip through one atomic
// pointer and frees a clip only after it has taken it back and no Mix() call that could still
// read it is running (the same handshake as Engine::Quiesce). Mix() never allocates or frees.
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "base/Handshake.h"

namespace tond {

class Notifier;

class SoundPlayer {
 public:
  SoundPlayer() = default;
  // Frees the clip: no Mix() call may run any more (the stream is closed first).
  ~SoundPlayer();
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;

  // Stops what plays and starts `path` (read with LoadWave, as mono at 44100 frames per second,
  // heard on both channels at full level). False, and silence, when the file cannot be read;
  // notifier (may be null) hears only of a lack of memory, as LoadWave reports it.
  bool Play(const std::string& path, Notifier* notifier);
  // Stops playing; the clip's memory is freed before this returns.
  void Stop();
  // True from Play() until the audio thread has mixed the clip's last frame or Stop().
  bool IsPlaying() const;

  // Audio thread: adds the next `frames` frames of the clip to `out` (interleaved stereo).
  void Mix(float* out, std::uint32_t frames) noexcept;

 private:
  struct Clip {
    std::vector<float> samples;
    std::uint64_t id = 0;
  };
  // Publishes `next` (may be null), waits until no Mix() can still read the old clip, frees it.
  void Replace(Clip* next);

  std::atomic<Clip*> clip_{nullptr};
  AudioHandshake mixing_;
  std::atomic<std::uint64_t> finished_{0};  // id of the last clip played to its end

  // Window thread.
  Clip* owned_ = nullptr;  // the clip published in clip_
  std::uint64_t nextId_ = 0;

  // Audio thread.
  std::uint64_t playingId_ = 0;
  std::size_t position_ = 0;
};

}  // namespace tond
