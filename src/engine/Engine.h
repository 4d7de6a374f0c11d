#pragma once
// Threading contract
// ------------------
// Process() runs on one thread at a time: the audio thread (stream callback) or, while
// `muted` keeps the callback out of the engine, the window thread for the offline export.
// - The voices (CTrack) and the preview voice belong to the thread inside Process(); no other
//   thread touches them.
// - Reset(), PlayPreview() and StopPreview() are requests: the caller publishes them through
//   atomics and Process() applies them, in the order they were made, before its first frame.
// - The controls (playing, muted, tempo, volume, interpolation) and the cells of the working
//   grid are atomics, written by the window and MIDI threads and read with relaxed ordering.
// - The play column of voice 0 is published as an atomic for the window to poll; the audio
//   thread never draws.
// - Sample memory: the kit's sample data may change only after Quiesce() has returned, which
//   stops playback, stops the preview and waits until no Process() call that could still be
//   reading an instrument is running. Process() never allocates, locks, logs or does file I/O.
#include <atomic>
#include <cstdint>

// (private members are filled in with the implementation)
#include <vector>

#include "engine/Track.h"
#include "kit/Kit.h"
#include "model/Pattern.h"

namespace tond {

enum Interpolation : std::uint8_t { kTruncate = 0, kLinear = 1, kQuadratic = 2 };

class Engine {
 public:
  // The engine reads the working grid and the kit for its whole life.
  Engine(const Grid& grid, const CKit& kit);
  virtual ~Engine();
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  // Fills `frames` interleaved stereo frames (left first).
  void Process(std::uint32_t frames, float* out);

  void Reset();
  void PlayPreview(int slot, Cell colour);
  void StopPreview();
  // Frames per step as of the last playing Process() call; 0 before the first one.
  std::uint32_t GetStepLength() const;

  // Stops playback and the preview, resets the voices and waits until no Process() call that
  // may read sample data is still running. After it returns the kit may be changed.
  void Quiesce();

  // Column of voice 0 (the play marker), -1 before the first step after a reset.
  int PlayColumn() const;

  // Controls shared with the window and MIDI threads.
  std::atomic<bool> playing{false};
  std::atomic<bool> muted{false};
  void SetTempo(double bpm) { tempo_.store(bpm, std::memory_order_relaxed); }
  double Tempo() const { return tempo_.load(std::memory_order_relaxed); }
  void SetVolume(float volume) { volume_.store(volume, std::memory_order_relaxed); }
  float Volume() const { return volume_.load(std::memory_order_relaxed); }
  void SetInterpolation(std::uint8_t mode) { interpolation_.store(mode, std::memory_order_relaxed); }
  std::uint8_t GetInterpolation() const { return interpolation_.load(std::memory_order_relaxed); }

 private:
  std::atomic<double> tempo_{120.0};
  std::atomic<float> volume_{0.8f};
  std::atomic<std::uint8_t> interpolation_{kLinear};
  // Implementation state follows.
};
}  // namespace tond
