#include "files/PatternFile.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "base/LittleEndian.h"
#include "base/Notifier.h"
#include "base/RegularFile.h"
#include "base/SafeFile.h"
#include "model/Project.h"
#include "model/UndoSystem.h"

namespace tond {

namespace {

constexpr std::uint32_t kVersion = 0x00010001;
constexpr std::size_t kTempoOffset = 12;
constexpr std::size_t kCellsOffset = 16;

}  // namespace

std::uint32_t PatternFileTempo(double tempoControl) {
  // The control holds 1..350; anything a cast could not represent is written as 0.
  if (!std::isfinite(tempoControl) || std::fabs(tempoControl) >= 9.0e15) return 0;
  auto whole = static_cast<std::int64_t>(tempoControl);
  return static_cast<std::uint32_t>(whole & 0xFFFF);
}

std::vector<std::uint8_t> EncodePatternFile(const Pattern& cells, double tempoControl) {
  std::vector<std::uint8_t> bytes(kPatternFileSize);
  std::memcpy(bytes.data(), "PATT", 4);
  StoreLE32(&bytes[4], kVersion);
  StoreLE32(&bytes[8], 1);
  StoreLE32(&bytes[kTempoOffset], PatternFileTempo(tempoControl));
  for (int i = 0; i < kCells; ++i)
    StoreLE32(&bytes[kCellsOffset + 4 * static_cast<std::size_t>(i)],
              cells[static_cast<size_t>(i)]);
  return bytes;
}

PatternFileStatus DecodePatternFile(const std::uint8_t* bytes, std::size_t size,
                                    PatternFileData& data) {
  if (size < 4) return PatternFileStatus::kUnreadable;
  if (std::memcmp(bytes, "PATT", 4) != 0) return PatternFileStatus::kNotPattern;
  // A cut file would leave part of the grid stale: refuse it whole.
  if (size < kPatternFileSize) return PatternFileStatus::kUnreadable;
  data.tempo = LoadLE32(bytes + kTempoOffset);
  for (int i = 0; i < kCells; ++i)
    data.cells[static_cast<size_t>(i)] =
        LoadLE32(bytes + kCellsOffset + 4 * static_cast<size_t>(i));
  return PatternFileStatus::kOk;
}

PatternFileStatus ReadPatternFile(const std::string& path, PatternFileData& data, int* error) {
  // Only regular files: opening a pipe or a device could block forever.
  std::FILE* file = OpenRegularFile(path, error);
  if (!file) return PatternFileStatus::kUnreadable;
  std::vector<std::uint8_t> bytes(kPatternFileSize);
  std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  return DecodePatternFile(bytes.data(), got, data);
}

std::optional<PatternFileData> ReadPatternFile(const std::string& path, Notifier& notifier) {
  PatternFileData data;
  int error = 0;
  switch (ReadPatternFile(path, data, &error)) {
    case PatternFileStatus::kOk:
      return data;
    case PatternFileStatus::kNotPattern:
      notifier.Message(FormatMessage(kPatternMagicError, path));
      return std::nullopt;
    case PatternFileStatus::kUnreadable:
      break;
  }
  notifier.Failure(FormatMessage(kLoadError, path), SystemReason(error));
  return std::nullopt;
}

bool SavePattern(const std::string& path, const Project& project, double tempoControl,
                 Notifier& notifier) {
  std::vector<std::uint8_t> bytes = EncodePatternFile(project.working.Snapshot(), tempoControl);
  int error = 0;
  if (WriteFileSafely(path, bytes.data(), bytes.size(), &error)) return true;
  notifier.Failure(FormatMessage(kSaveError, path), SystemReason(error));
  return false;
}

std::optional<std::uint32_t> LoadPattern(const std::string& path, Project& project,
                                         UndoSystem& undo, Notifier& notifier) {
  std::optional<PatternFileData> data = ReadPatternFile(path, notifier);
  if (!data) return std::nullopt;
  project.SetTempo(project.Current(), data->tempo);
  project.working.CopyFrom(data->cells);
  undo.Push();
  return data->tempo;
}

}  // namespace tond
