#pragma once
// Threading contract
// ------------------
// The engine runs on one thread at a time: the audio thread through ProcessLive() (the stream
// callback), or the window thread through Process() for the offline export while `muted` keeps
// the callback out of the engine.
// - The voices (CTrack) and the preview voice belong to the thread inside the engine; no other
//   thread touches them. The export hands them back by clearing `muted` (a release store) after
//   its render; ProcessLive() reads `muted` with acquire before it touches a voice.
// - Reset(), PlayPreview() and StopPreview() are requests: the caller publishes them through
//   one atomic mailbox word (release) and the engine takes them (acquire) before its first
//   frame, with the same result as applying them one by one in the order they were made. A
//   Process() call on the requesting thread right after a request always sees it. They may be
//   called from any thread.
// - Sample memory is handed over by `playing`, `muted` and the mailbox: the engine reads an
//   instrument's samples only when it has read `playing` or `muted` set (acquire), or taken a
//   preview request (acquire), and the window thread sets them (release) after it has written
//   the samples. The kit's sample data may change only after Quiesce() has returned: it clears
//   `playing`, stops the preview and waits until no engine call that could still be reading an
//   instrument is running (calls that start later see playback stopped and no preview, so they
//   read no sample). Quiesce() does not clear `muted`: while it is set only the window thread
//   itself may call Process().
// - Tempo, volume, interpolation and the cells of the working grid are plain values in atomics,
//   written by the window thread and read relaxed (no memory hangs on them): tempo, volume and
//   interpolation once per call (a change is heard from the next buffer on), each cell at its
//   step.
// - The play column of voice 0 and the step length are published as atomics for the window
//   to poll; the audio thread never draws.
// - The engine never allocates, locks, logs or does file I/O.
// - Around the engine on the audio thread, the stream callback (AudioStream) adds the sound
//   player's clip, handed over through one atomic pointer (release/acquire) and freed only by
//   the window thread after the same kind of handshake, and the recorder's tap copies the buffer
//   into a preallocated lock-free ring that a writer thread drains into the file.
// - The MIDI thread never reaches the engine: its messages are handed to the window thread
//   (app/qt/MidiInput), which applies them through the session.
// - The instruction set the voices are rendered with is chosen once at start-up
//   (VoiceKernels.h); ForceVectorTarget, for tests and benchmarks, must not run while any
//   engine call does.
#include <array>
#include <atomic>
#include <cstdint>

#include "base/Handshake.h"
#include "base/Tempo.h"
#include "engine/Track.h"
#include "engine/VoiceBank.h"
#include "kit/Kit.h"
#include "model/Pattern.h"

namespace tond {

enum Interpolation : std::uint8_t { kTruncate = 0, kLinear = 1, kQuadratic = 2 };

class Engine {
 public:
  // The engine reads the working grid and the kit for its whole life.
  Engine(const Grid& grid, const CKit& kit);
  ~Engine();
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  // Fills `frames` interleaved stereo frames (left first).
  void Process(std::uint32_t frames, float* out) noexcept;
  // The stream callback's call: silence while `muted` is set (the engine is not touched), else
  // Process() as if `muted` were clear.
  void ProcessLive(std::uint32_t frames, float* out) noexcept;

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

  // Controls the window thread sets and the audio thread reads.
  std::atomic<bool> playing{false};
  std::atomic<bool> muted{false};
  void SetTempo(double bpm) { tempo_.store(bpm, std::memory_order_relaxed); }
  double Tempo() const { return tempo_.load(std::memory_order_relaxed); }
  void SetVolume(float volume) { volume_.store(volume, std::memory_order_relaxed); }
  float Volume() const { return volume_.load(std::memory_order_relaxed); }
  void SetInterpolation(std::uint8_t mode) {
    interpolation_.store(mode, std::memory_order_relaxed);
  }
  std::uint8_t GetInterpolation() const { return interpolation_.load(std::memory_order_relaxed); }

 private:
  // Frames per step for a tempo control value: 10584000 div (PlayedTempo x 16).
  static std::uint32_t StepFrames(double tempo);

  // The preview voice: one instrument with one colour for one step's length.
  struct Preview {
    const CInstrument* instrument = nullptr;
    float volume = 0.0f;
    float pan = 0.0f;
    float position = 0.0f;
    float rate = 1.0f;
    std::uint32_t counter = 0;
    std::uint32_t length = 0;
  };

  // `run`: the pattern plays (else only the preview sounds).
  void Render(std::uint32_t frames, float* out, bool run) noexcept;
  void Post(bool reset, std::uint64_t previewRequest);
  void ApplyRequests();
  void ResetVoices();
  void StartPreview(int slot, Cell colour);
  void BeginStep();
  void RenderTracks(float* out, std::uint32_t frames, std::uint8_t mode, std::uint32_t step);
  void RenderPreview(float* out, std::uint32_t frames, std::uint8_t mode);

  const Grid& grid_;
  const CKit& kit_;

  std::atomic<double> tempo_{kDefaultTempo};
  std::atomic<float> volume_{0.8f};
  std::atomic<std::uint8_t> interpolation_{kLinear};

  // Pending requests, coalesced: bit 32 = reset, bits 30-31 = preview request (play or stop,
  // the latest one since the last reset), bits 24-29 = slot, bits 0-23 = colour.
  std::atomic<std::uint64_t> requests_{0};
  // Process() calls begun and ended, for Quiesce().
  AudioHandshake processing_;
  std::atomic<std::uint32_t> publishedStep_{0};
  std::atomic<int> playColumn_{-1};

  // Owned by the thread inside Process().
  std::array<CTrack, CKit::kSlots> tracks_;
  VoiceBank bank_;  // the sounding voices of the current step
  Preview preview_;
  std::uint32_t stepLength_ = 0;
};

}  // namespace tond
