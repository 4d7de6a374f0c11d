#pragma once
// The project file (.blp): the 16 patterns with their tempos and every kit slot's sample path
// and flags, little-endian.
//   0       "TOND"
//   4       version 0x00010001 (ignored when read)
//   8       pattern count 16 (ignored when read; 16 records are always read)
//   12      16 pattern records of 16388 bytes: tempo (32-bit), then 4096 cells in grid order
//   262220  kit marker 1 (ignored when read)
//   262224  64 instrument records: path length n (16-bit), n path bytes, loop, fade, minkey,
//           maxkey (one byte each), scale (16-bit)
// A file is read and checked whole before anything in memory changes: a cut file or a path of
// 1024 bytes or more is refused. Bytes after the 64th record are ignored.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "kit/Kit.h"
#include "model/Pattern.h"

namespace tond {

class Notifier;
class Project;
class UndoSystem;

inline constexpr int kProjectPatterns = 16;
inline constexpr std::size_t kProjectPatternRecordSize = 4 + 4 * kCells;
inline constexpr std::size_t kProjectRecordsOffset = 12 + 16 * kProjectPatternRecordSize + 4;
// The loader's path buffer holds 1024 bytes with the terminating zero.
inline constexpr std::size_t kProjectMaxPath = 1023;
inline constexpr std::size_t kProjectMaxSize =
    kProjectRecordsOffset + CKit::kSlots * (8 + kProjectMaxPath);

inline constexpr const char* kProjectMagicError = "Error: this is not a Tond project file:\n %s";

// One kit slot as the file stores it.
struct InstrumentRecord {
  std::string path = kNotUsed;
  bool loop = false;
  bool fade = false;
  std::uint8_t minkey = 0;
  std::uint8_t maxkey = 127;
  std::uint16_t scale = 0;
};

struct ProjectFileData {
  std::array<std::uint32_t, kProjectPatterns> tempos{};  // as stored, not clamped
  std::array<Pattern, kProjectPatterns> patterns{};
  std::array<InstrumentRecord, CKit::kSlots> instruments;
};

enum class ProjectFileStatus { kOk, kUnreadable, kNotProject };

// The file for the project's stored patterns, tempos and kit as they are (the caller commits the
// current pattern first). Nothing when a sample path is longer than kProjectMaxPath: the file
// could not be read back.
std::optional<std::vector<std::uint8_t>> EncodeProjectFile(const Project& project);
// kUnreadable for a buffer that ends before the 64th record or holds an overlong path;
// `data` may be partly written then.
ProjectFileStatus DecodeProjectFile(const std::uint8_t* bytes, std::size_t size,
                                    ProjectFileData& data);
// Reads and checks the whole file (regular files only); `data` is meaningful only on kOk.
// `error`, when given, receives why the file could not be opened (an errno, else 0).
ProjectFileStatus ReadProjectFile(const std::string& path, ProjectFileData& data,
                                  int* error = nullptr);
// The same, showing the matching message when the file is refused.
std::unique_ptr<ProjectFileData> ReadProjectFile(const std::string& path, Notifier& notifier);

// Gives every slot the record's path, flags, key range and scale, and loads the
// sample of each slot in use. A slot set to "not used" loses its sample; a sample that cannot be
// read is reported as kSampleReadError (notifier may be null) and leaves its slot silent.
// Call only while the engine is quiesced (Engine::Quiesce()).
void ApplyInstrumentRecords(const ProjectFileData& data, CKit& kit, Notifier* notifier);

// Commits the current pattern with the tempo control's value, then writes the project. The old
// file survives any failure, which is shown as kProjectSaveError. The history is untouched.
bool SaveProject(const std::string& path, Project& project, double tempoControl,
                 Notifier& notifier);

// Reads the file into the project: patterns, tempos, kit slots (see ApplyInstrumentRecords),
// pattern 0 current, history cleared. Returns the value for the tempo control (pattern 0's
// tempo kept to 1..350). A refused file shows its message and changes nothing. Call only while
// the engine is quiesced: the kit's samples are replaced.
std::optional<double> LoadProject(const std::string& path, Project& project, UndoSystem& undo,
                                  Notifier& notifier);

}  // namespace tond
