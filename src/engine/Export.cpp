#include "engine/Export.h"

#include <algorithm>
#include <cerrno>
#include <new>

#include "base/Tempo.h"
#include "engine/Engine.h"
#include "kit/WaveWriter.h"

namespace tond {

namespace {

// 64 steps of 661500 / tempo frames, divided once so that no step is rounded on its own.
constexpr std::uint32_t kPassFramesAtTempo1 = 42336000;

}  // namespace

std::uint32_t ExportFrames(int tempo) {
  // The tempo control never goes below 1; a lower value must not divide by zero.
  return kPassFramesAtTempo1 / static_cast<std::uint32_t>(std::max(tempo, 1));
}

std::vector<float> RenderExport(Engine& engine) {
  // `muted` keeps the stream callback out of the engine and makes Process render the pattern
  // although playback is stopped. It is set before Quiesce(), which then also waits for a
  // callback that began before it: from then on only this thread runs the engine.
  engine.muted.store(true);
  engine.Quiesce();
  std::vector<float> buffer;
  try {
    const std::uint32_t frames = ExportFrames(PlayedTempo(engine.Tempo()));
    buffer.assign(static_cast<std::size_t>(frames) * 2, 0.0f);
  } catch (const std::bad_alloc&) {
    engine.muted.store(false);
    engine.Reset();
    return {};
  }
  engine.Reset();
  engine.Process(static_cast<std::uint32_t>(buffer.size() / 2), buffer.data());
  engine.Reset();
  engine.muted.store(false);  // releases the voices to the next callback
  return buffer;
}

bool ExportWave(Engine& engine, const std::string& path, int* error) {
  std::vector<float> buffer = RenderExport(engine);
  if (buffer.empty()) {
    if (error) *error = ENOMEM;
    return false;
  }
  return WriteWave(path, buffer.data(), static_cast<std::uint32_t>(buffer.size() / 2), 2, error);
}

}  // namespace tond
