#include "engine/Export.h"

#include <algorithm>
#include <cerrno>
#include <new>

#include "base/Tempo.h"
#include "engine/Engine.h"
#include "kit/WaveWriter.h"
#include "model/Project.h"

namespace tond {

namespace {

// 64 steps of 661500 / tempo frames, divided once so that no step is rounded on its own.
constexpr std::uint32_t kPassFramesAtTempo1 = 42336000;

// While it lives only this thread runs the engine. `muted` keeps the stream callback out of the
// engine and makes Process render the pattern although playback is stopped; it is set before
// Quiesce(), which then also waits for a callback that began before it.
class OfflineRender {
 public:
  explicit OfflineRender(Engine& engine) : engine_(engine) {
    engine_.muted.store(true);
    engine_.Quiesce();
  }
  ~OfflineRender() {
    engine_.Reset();
    engine_.muted.store(false);  // releases the voices to the next callback
  }
  OfflineRender(const OfflineRender&) = delete;
  OfflineRender& operator=(const OfflineRender&) = delete;

 private:
  Engine& engine_;
};

// One pass of the working grid from a reset engine into `out` (`frames` stereo frames).
void RenderPass(Engine& engine, float* out, std::uint32_t frames) {
  engine.Reset();
  engine.Process(frames, out);
}

}  // namespace

std::uint32_t ExportFrames(int tempo) {
  // The tempo control never goes below 1; a lower value must not divide by zero.
  return kPassFramesAtTempo1 / static_cast<std::uint32_t>(std::max(tempo, 1));
}

std::vector<float> RenderExport(Engine& engine) {
  OfflineRender offline(engine);
  std::vector<float> buffer;
  try {
    const std::uint32_t frames = ExportFrames(PlayedTempo(engine.Tempo()));
    buffer.assign(static_cast<std::size_t>(frames) * 2, 0.0f);
  } catch (const std::bad_alloc&) {
    return {};
  }
  RenderPass(engine, buffer.data(), static_cast<std::uint32_t>(buffer.size() / 2));
  return buffer;
}

std::vector<SongPass> SongPasses(const Project& project, const std::vector<int>& slots, int loops) {
  std::vector<SongPass> passes;
  for (int slot : slots)
    for (int loop = 0; loop < loops; ++loop)
      passes.push_back({project.StoredPattern(slot), TempoControlFor(project.Tempo(slot))});
  return passes;
}

std::uint64_t SongFrames(const std::vector<SongPass>& passes) {
  std::uint64_t frames = 0;
  for (const SongPass& pass : passes) frames += ExportFrames(PlayedTempo(pass.tempo));
  return frames;
}

std::vector<float> RenderSong(Engine& engine, Grid& grid, const std::vector<SongPass>& passes) {
  OfflineRender offline(engine);
  std::vector<float> buffer;
  try {
    buffer.assign(static_cast<std::size_t>(SongFrames(passes)) * 2, 0.0f);
  } catch (const std::bad_alloc&) {
    return {};
  }
  const Pattern working = grid.Snapshot();
  const double tempo = engine.Tempo();
  float* out = buffer.data();
  for (const SongPass& pass : passes) {
    const std::uint32_t frames = ExportFrames(PlayedTempo(pass.tempo));
    grid.CopyFrom(pass.cells);
    engine.SetTempo(pass.tempo);
    RenderPass(engine, out, frames);
    out += std::size_t{frames} * 2;
  }
  grid.CopyFrom(working);
  engine.SetTempo(tempo);
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
