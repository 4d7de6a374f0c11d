#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "model/Pattern.h"

namespace tond {

class Engine;
class Project;

// Frames of one exported pass: 64 steps at the tempo plus the rounding left-over.
std::uint32_t ExportFrames(int tempo);

// Renders one pass of the working grid offline from a reset engine, with `muted` set around
// the render so that the stream callback stays out of the engine. The engine's tempo is used.
// Returns an empty vector when the memory cannot be had.
std::vector<float> RenderExport(Engine& engine);

// One pass of a song: a pattern's cells at a tempo control value.
struct SongPass {
  Pattern cells{};
  double tempo = 0;
};

// The project's stored patterns `slots` in order, each `loops` times, each at the tempo the
// tempo control plays for it.
std::vector<SongPass> SongPasses(const Project& project, const std::vector<int>& slots, int loops);

// The frames of the passes back to back: the sum of their ExportFrames.
std::uint64_t SongFrames(const std::vector<SongPass>& passes);

// The passes back to back in one buffer, each rendered as RenderExport renders one pass (from a
// reset engine, at its own tempo), so the length is the sum of their ExportFrames. `grid` is the
// working grid the engine plays; it and the engine's tempo are put back afterwards. Empty when
// the memory cannot be had.
std::vector<float> RenderSong(Engine& engine, Grid& grid, const std::vector<SongPass>& passes);

// RenderExport followed by WriteWave. False when the render or the file failed, with `error`
// (when given) set to the reason (ENOMEM when the render had no memory).
bool ExportWave(Engine& engine, const std::string& path, int* error = nullptr);

}  // namespace tond
