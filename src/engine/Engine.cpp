#include "engine/Engine.h"

#include <algorithm>

#include "base/Tempo.h"
#include "engine/Voice.h"

namespace tond {
namespace {

// Frames mixed at a time, so that the 64 voices add into a piece of the buffer that stays in
// the processor's cache.
constexpr std::uint32_t kChunk = 1024;

// The request mailbox (see Engine::requests_).
constexpr std::uint64_t kResetRequest = std::uint64_t{1} << 32;
constexpr std::uint64_t kPreviewMask = std::uint64_t{3} << 30;
constexpr std::uint64_t kPlayRequest = std::uint64_t{1} << 30;
constexpr std::uint64_t kStopRequest = std::uint64_t{2} << 30;
constexpr int kSlotShift = 24;
constexpr std::uint64_t kColourMask = 0xFFFFFF;

}  // namespace

Engine::Engine(const Grid& grid, const CKit& kit) : grid_(grid), kit_(kit) {
  for (int i = 0; i < CKit::kSlots; ++i) tracks_[i].row = static_cast<std::uint16_t>(i);
}

Engine::~Engine() = default;

std::uint32_t Engine::StepFrames(double tempo) {
  return 10584000u / (static_cast<std::uint32_t>(PlayedTempo(tempo)) * 16u);
}

std::uint32_t Engine::GetStepLength() const {
  return publishedStep_.load(std::memory_order_relaxed);
}

int Engine::PlayColumn() const {
  return playColumn_.load(std::memory_order_relaxed);
}

// Requests coalesce: a reset makes any earlier preview request moot (it stops the preview),
// and a preview request replaces the one before it; so applying the word gives the same state
// as applying every request in order.
void Engine::Post(bool reset, std::uint64_t previewRequest) {
  std::uint64_t old = requests_.load(std::memory_order_relaxed);
  std::uint64_t next;
  do {
    next = reset ? kResetRequest : (old & kResetRequest) | previewRequest;
    // Release: a preview request hands over the instrument, whose samples the caller wrote.
  } while (!requests_.compare_exchange_weak(old, next, std::memory_order_release,
                                            std::memory_order_relaxed));
}

void Engine::Reset() {
  Post(true, 0);
  // For the window's marker; the audio thread writes -1 again when it applies the reset.
  playColumn_.store(-1, std::memory_order_relaxed);
}

void Engine::PlayPreview(int slot, Cell colour) {
  if (slot < 0 || slot >= CKit::kSlots) return;  // no such instrument: nothing to play
  Post(false,
       kPlayRequest | (static_cast<std::uint64_t>(slot) << kSlotShift) | (colour & kColourMask));
}

void Engine::StopPreview() {
  Post(false, kStopRequest);
}

void Engine::Quiesce() {
  playing.store(false, std::memory_order_release);
  Reset();
  StopPreview();
  processing_.WaitForEarlierCalls();
}

void Engine::ApplyRequests() {
  if (requests_.load(std::memory_order_relaxed) == 0) return;
  const std::uint64_t word = requests_.exchange(0, std::memory_order_acquire);
  if (word & kResetRequest) ResetVoices();
  switch (word & kPreviewMask) {
    case kPlayRequest:
      StartPreview(static_cast<int>((word >> kSlotShift) & 63),
                   static_cast<Cell>(word & kColourMask));
      break;
    case kStopRequest:
      preview_.instrument = nullptr;
      preview_.counter = 0;
      break;
    default:
      break;
  }
}

void Engine::ResetVoices() {
  for (CTrack& track : tracks_) {
    track.position = 0.0f;
    track.counter = 0;
    track.column = -1;
    track.sounding = false;
  }
  preview_.instrument = nullptr;
  preview_.counter = 0;
  playColumn_.store(-1, std::memory_order_relaxed);
}

void Engine::StartPreview(int slot, Cell colour) {
  preview_.instrument = &kit_[slot];
  preview_.position = 0.0f;
  preview_.rate = NoteRate(colour);
  preview_.volume = NoteVolume(colour);
  preview_.pan = NotePan(colour);
  preview_.counter = 0;
  // Before anything has played this is 0, which the counter never meets: the preview then
  // sounds until it is stopped or replaced.
  preview_.length = stepLength_;
}

void Engine::ProcessLive(std::uint32_t frames, float* out) noexcept {
  processing_.Enter();
  // Acquire: the window thread's Process() of the export happened before `muted` was cleared.
  // Read once: an export that sets `muted` during this call must not make it play the pattern.
  if (muted.load(std::memory_order_acquire))
    std::fill(out, out + 2 * static_cast<std::size_t>(frames), 0.0f);
  else
    Render(frames, out, playing.load(std::memory_order_acquire));
  processing_.Leave();
}

void Engine::Process(std::uint32_t frames, float* out) noexcept {
  processing_.Enter();
  // With `muted` set the export is rendering a pass, so the pattern plays.
  Render(frames, out,
         playing.load(std::memory_order_acquire) || muted.load(std::memory_order_acquire));
  processing_.Leave();
}

// The caller reads the flags first, with acquire: `playing` set (or a preview requested) after a
// kit was loaded makes the kit's samples visible here; a reset requested before playback started
// is then seen by the request word read after it.
void Engine::Render(std::uint32_t frames, float* out, bool run) noexcept {
  ApplyRequests();
  const std::uint8_t mode = interpolation_.load(std::memory_order_relaxed);
  const float volume = volume_.load(std::memory_order_relaxed);
  if (run) {
    stepLength_ = StepFrames(tempo_.load(std::memory_order_relaxed));
    publishedStep_.store(stepLength_, std::memory_order_relaxed);
    for (CTrack& track : tracks_) track.instrument = &kit_[track.row];
    bank_.Collect(tracks_);
  }

  for (std::uint32_t done = 0; done < frames;) {
    const std::uint32_t count = std::min(frames - done, kChunk);
    float* chunk = out + 2 * static_cast<std::size_t>(done);
    std::fill(chunk, chunk + 2 * static_cast<std::size_t>(count), 0.0f);
    // Per frame the sum is 0 + voice 0 + ... + voice 63 + preview, in that order.
    if (run) RenderTracks(chunk, count, mode, stepLength_);
    if (preview_.instrument != nullptr) RenderPreview(chunk, count, mode);
    // While stopped the preview is heard without the master volume.
    if (run) {
      for (std::size_t i = 0; i < 2 * static_cast<std::size_t>(count); ++i) {
        chunk[i] = volume * chunk[i];
      }
    }
    done += count;
  }
}

// All voices count the same frames, so they cross step boundaries together: the buffer is cut
// at the boundaries and the sounding voices render each run together.
void Engine::RenderTracks(float* out, std::uint32_t frames, std::uint8_t mode, std::uint32_t step) {
  std::uint32_t done = 0;
  while (done < frames) {
    const CTrack& clock = tracks_[0];
    if (clock.column == -1 || clock.counter >= step) {
      BeginStep();
      bank_.Collect(tracks_);
    }
    const std::uint32_t k = tracks_[0].counter;
    const std::uint32_t count = std::min(frames - done, step - k);
    bank_.Render(mode, k, step, out + 2 * static_cast<std::size_t>(done), count);
    for (CTrack& track : tracks_) track.counter += count;
    done += count;
  }
}

void Engine::BeginStep() {
  for (CTrack& track : tracks_) {
    track.column = static_cast<std::int16_t>(track.column + 1 == kColumns ? 0 : track.column + 1);
    track.sounding = false;
    track.counter = 0;
    if (track.row == 0) playColumn_.store(track.column, std::memory_order_relaxed);
    const Cell cell = grid_.Get(track.column, track.row);
    if (cell != 0) {
      track.position = 0.0f;
      track.sounding = true;
      track.rate = NoteRate(cell);
      track.volume = NoteVolume(cell);
      track.pan = NotePan(cell);
    }
  }
}

void Engine::RenderPreview(float* out, std::uint32_t frames, std::uint8_t mode) {
  // The preview ends on the frame where its counter reaches the length; with a length of 0
  // that takes 2^32 frames, as the counter has to come round.
  std::uint64_t remaining = static_cast<std::uint32_t>(preview_.length - preview_.counter);
  if (remaining == 0) remaining = std::uint64_t{1} << 32;
  const auto count = static_cast<std::uint32_t>(std::min<std::uint64_t>(frames, remaining));
  AddNote(*preview_.instrument, mode, false,
          NoteColour{preview_.rate, preview_.volume, preview_.pan}, preview_.position, 0, 0, out,
          count);
  preview_.counter += count;
  if (count == remaining) preview_.instrument = nullptr;
}

}  // namespace tond
