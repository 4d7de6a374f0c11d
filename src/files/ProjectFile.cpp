#include "files/ProjectFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/LittleEndian.h"
#include "base/Notifier.h"
#include "base/RegularFile.h"
#include "base/SafeFile.h"
#include "files/PatternFile.h"
#include "model/Project.h"
#include "model/UndoSystem.h"

namespace tond {

namespace {

constexpr std::uint32_t kVersion = 0x00010001;
constexpr std::uint32_t kKitMarker = 1;

}  // namespace

std::optional<std::vector<std::uint8_t>> EncodeProjectFile(const Project& project) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(kProjectRecordsOffset + CKit::kSlots * (8 + 64));
  bytes.insert(bytes.end(), {'T', 'O', 'N', 'D'});
  AppendLE32(bytes, kVersion);
  AppendLE32(bytes, kProjectPatterns);
  for (int slot = 0; slot < kProjectPatterns; ++slot) {
    AppendLE32(bytes, project.Tempo(slot));
    for (Cell cell : project.StoredPattern(slot)) AppendLE32(bytes, cell);
  }
  AppendLE32(bytes, kKitMarker);
  for (int slot = 0; slot < CKit::kSlots; ++slot) {
    const CInstrument& instrument = project.kit[slot];
    const std::string& path = instrument.samplePath;
    if (path.size() > kProjectMaxPath) return std::nullopt;
    AppendLE16(bytes, static_cast<std::uint16_t>(path.size()));
    bytes.insert(bytes.end(), path.begin(), path.end());
    bytes.push_back(instrument.loop ? 1 : 0);
    bytes.push_back(instrument.fade ? 1 : 0);
    bytes.push_back(instrument.minkey);
    bytes.push_back(instrument.maxkey);
    AppendLE16(bytes, instrument.scale);
  }
  return bytes;
}

ProjectFileStatus DecodeProjectFile(const std::uint8_t* bytes, std::size_t size,
                                    ProjectFileData& data) {
  if (size < 4) return ProjectFileStatus::kUnreadable;
  if (std::memcmp(bytes, "TOND", 4) != 0) return ProjectFileStatus::kNotProject;
  if (size < kProjectRecordsOffset) return ProjectFileStatus::kUnreadable;
  // The records decide whether the file is whole, so they are read before the cells.
  std::size_t pos = kProjectRecordsOffset;
  for (InstrumentRecord& record : data.instruments) {
    if (size - pos < 2) return ProjectFileStatus::kUnreadable;
    const std::size_t length = LoadLE16(bytes + pos);
    pos += 2;
    if (length > kProjectMaxPath || size - pos < length + 6) return ProjectFileStatus::kUnreadable;
    const char* text = reinterpret_cast<const char*>(bytes + pos);
    // The path ends at a zero byte, as it would in the loader's terminated buffer.
    record.path.assign(text, std::find(text, text + length, '\0'));
    pos += length;
    record.loop = bytes[pos] == 1;
    record.fade = bytes[pos + 1] == 1;
    record.minkey = bytes[pos + 2];
    record.maxkey = bytes[pos + 3];
    record.scale = LoadLE16(bytes + pos + 4);
    pos += 6;
  }
  const std::uint8_t* at = bytes + 12;
  for (int slot = 0; slot < kProjectPatterns; ++slot) {
    data.tempos[static_cast<size_t>(slot)] = LoadLE32(at);
    at += 4;
    Pattern& cells = data.patterns[static_cast<size_t>(slot)];
    for (Cell& cell : cells) {
      cell = LoadLE32(at);
      at += 4;
    }
  }
  return ProjectFileStatus::kOk;
}

ProjectFileStatus ReadProjectFile(const std::string& path, ProjectFileData& data, int* error) {
  // Only regular files: opening a pipe or a device could block forever.
  std::FILE* file = OpenRegularFile(path, error);
  if (!file) return ProjectFileStatus::kUnreadable;
  // No valid file is longer than this; whatever follows the last record is not read.
  auto bytes = std::make_unique_for_overwrite<std::uint8_t[]>(kProjectMaxSize);
  std::size_t got = std::fread(bytes.get(), 1, kProjectMaxSize, file);
  std::fclose(file);
  return DecodeProjectFile(bytes.get(), got, data);
}

std::unique_ptr<ProjectFileData> ReadProjectFile(const std::string& path, Notifier& notifier) {
  auto data = std::make_unique<ProjectFileData>();
  int error = 0;
  switch (ReadProjectFile(path, *data, &error)) {
    case ProjectFileStatus::kOk:
      return data;
    case ProjectFileStatus::kNotProject:
      notifier.Message(FormatMessage(kProjectMagicError, path));
      return nullptr;
    case ProjectFileStatus::kUnreadable:
      break;
  }
  notifier.Failure(FormatMessage(kLoadError, path), SystemReason(error));
  return nullptr;
}

void ApplyInstrumentRecords(const ProjectFileData& data, CKit& kit, Notifier* notifier) {
  for (int slot = 0; slot < CKit::kSlots; ++slot) {
    const InstrumentRecord& record = data.instruments[static_cast<size_t>(slot)];
    CInstrument& instrument = kit[slot];
    instrument.samplePath = record.path;
    instrument.loop = record.loop;
    instrument.fade = record.fade;
    instrument.minkey = record.minkey;
    instrument.maxkey = record.maxkey;
    instrument.scale = record.scale;
    kit.LoadSample(slot, notifier);
  }
}

bool SaveProject(const std::string& path, Project& project, double tempoControl,
                 Notifier& notifier) {
  project.CommitCurrent(tempoControl);
  std::optional<std::vector<std::uint8_t>> bytes = EncodeProjectFile(project);
  // A project too large to encode has no system reason.
  int error = 0;
  if (bytes && WriteFileSafely(path, bytes->data(), bytes->size(), &error)) return true;
  notifier.Failure(FormatMessage(kSaveError, path), SystemReason(error));
  return false;
}

std::optional<double> LoadProject(const std::string& path, Project& project, UndoSystem& undo,
                                  Notifier& notifier) {
  std::unique_ptr<ProjectFileData> data = ReadProjectFile(path, notifier);
  if (!data) return std::nullopt;
  for (int slot = 0; slot < kProjectPatterns; ++slot) {
    project.SetStoredPattern(slot, data->patterns[static_cast<size_t>(slot)]);
    project.SetTempo(slot, data->tempos[static_cast<size_t>(slot)]);
  }
  ApplyInstrumentRecords(*data, project.kit, &notifier);
  project.ShowFirstPattern(undo);
  return TempoControlFor(project.Tempo(0));
}

}  // namespace tond
