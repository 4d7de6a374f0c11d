#pragma once
// The pattern file (.pat): one pattern with its tempo, always 16400 bytes, little-endian.
//   0  "PATT"
//   4  version 0x00010001 (ignored when read)
//   8  pattern count 1 (ignored when read)
//  12  tempo in beats per minute
//  16  the 4096 cells in grid order (column by column)
// The window's commands are thin wiring over SavePattern and LoadPattern; the filter window and
// the command line use ReadPatternFile.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/Tempo.h"
#include "model/Pattern.h"

namespace tond {

class Notifier;
class Project;
class UndoSystem;

inline constexpr std::size_t kPatternFileSize = 16400;
inline constexpr const char* kPatternMagicError = "Error: this is not a Tond pattern file:\n %s";

struct PatternFileData {
  std::uint32_t tempo = 0;  // as stored, not clamped
  Pattern cells{};
};

enum class PatternFileStatus { kOk, kUnreadable, kNotPattern };

// The tempo field written for a tempo control value: truncated, low 16 bits.
std::uint32_t PatternFileTempo(double tempoControl);

std::vector<std::uint8_t> EncodePatternFile(const Pattern& cells, double tempoControl);
// A buffer shorter than kPatternFileSize is refused; bytes after it are ignored.
PatternFileStatus DecodePatternFile(const std::uint8_t* bytes, std::size_t size,
                                    PatternFileData& data);
// Reads and checks the whole file; `data` is written only on success.
// `error`, when given, receives why the file could not be opened (an errno, else 0).
PatternFileStatus ReadPatternFile(const std::string& path, PatternFileData& data,
                                  int* error = nullptr);
// The same, showing the matching message when the file is refused.
std::optional<PatternFileData> ReadPatternFile(const std::string& path, Notifier& notifier);

// Writes the working grid with the tempo control's value. The old file survives any failure,
// which is shown as kPatternSaveError. Changes nothing in memory.
bool SavePattern(const std::string& path, const Project& project, double tempoControl,
                 Notifier& notifier);

// Reads the file into the current pattern: its tempo becomes the current slot's tempo, its cells
// the working grid, and the new grid is pushed onto the history so the load can be undone.
// Returns the stored tempo for the tempo control (see TempoControlFor). A refused file shows
// its message and changes nothing (pattern, tempo, history).
std::optional<std::uint32_t> LoadPattern(const std::string& path, Project& project,
                                         UndoSystem& undo, Notifier& notifier);

}  // namespace tond
