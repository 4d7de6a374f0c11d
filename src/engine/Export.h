#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tond {

class Engine;

// Frames of one exported pass: 64 steps at the tempo plus the rounding left-over.
std::uint32_t ExportFrames(int tempo);

// Renders one pass of the working grid offline from a reset engine, with `muted` set around
// the render so that the stream callback stays out of the engine. The engine's tempo is used.
// Returns an empty vector when the memory cannot be had.
std::vector<float> RenderExport(Engine& engine);

// RenderExport followed by WriteWave. False when the render or the file failed, with `error`
// (when given) set to the reason (ENOMEM when the render had no memory).
bool ExportWave(Engine& engine, const std::string& path, int* error = nullptr);

}  // namespace tond
