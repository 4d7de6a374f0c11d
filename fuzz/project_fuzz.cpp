// The project file on any bytes, decoded in memory and loaded through the window's command: both
// agree, a loaded file replaces patterns, tempos and each slot's path, flags, key range and scale,
// and a refused one shows its message and changes nothing.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "FuzzSupport.h"
#include "base/Notifier.h"
#include "files/PatternFile.h"
#include "files/ProjectFile.h"
#include "model/Project.h"
#include "model/UndoSystem.h"

using namespace tond;

namespace {

struct Session {
  Session() {
    for (int slot = 0; slot < Project::kPatterns; ++slot) {
      project->SetTempo(slot, 99);
      Pattern cells;
      cells.fill(0x00010000u + static_cast<Cell>(slot));
      project->SetStoredPattern(slot, cells);
    }
    project->working.Fill(0x00123456);
    for (int slot = 0; slot < CKit::kSlots; ++slot) {
      project->kit[slot].data = {0.5f};
      project->kit[slot].minkey = 7;
    }
    undo.Init(&project->working);
  }
  std::unique_ptr<Project> project = std::make_unique<Project>();
  UndoSystem undo;
};

bool Unchanged(const Session& s) {
  const Project& p = *s.project;
  for (int slot = 0; slot < Project::kPatterns; ++slot) {
    if (p.Tempo(slot) != 99) return false;
    Pattern cells;
    cells.fill(0x00010000u + static_cast<Cell>(slot));
    if (p.StoredPattern(slot) != cells) return false;
  }
  Pattern working;
  working.fill(0x00123456);
  for (int slot = 0; slot < CKit::kSlots; ++slot) {
    const CInstrument& in = p.kit[slot];
    if (in.InUse() || in.loop || in.fade || in.data != std::vector<float>{0.5f}) return false;
  }
  return p.working == working && p.Current() == 0 && s.undo.Count() == 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::InputFile input("input.blp");
  const std::string& path = input.Write(data, size);

  auto decoded = std::make_unique<ProjectFileData>();
  // A file longer than the longest project is read only that far.
  const ProjectFileStatus status =
      DecodeProjectFile(data, std::min(size, kProjectMaxSize), *decoded);

  Session s;
  HeldMessages notifier;
  const std::optional<double> tempo = LoadProject(path, *s.project, s.undo, notifier);

  if (status != ProjectFileStatus::kOk) {
    const char* message =
        status == ProjectFileStatus::kNotProject ? kProjectMagicError : kLoadError;
    fuzz::Check(!tempo && notifier.messages.size() == 1 &&
                    notifier.messages[0] == FormatMessage(message, path),
                "a refusal shows its message");
    fuzz::Check(Unchanged(s), "a refusal changes nothing");
    return 0;
  }
  const Project& p = *s.project;
  fuzz::Check(tempo && *tempo == TempoControlFor(decoded->tempos[0]), "pattern 0's tempo");
  for (int slot = 0; slot < Project::kPatterns; ++slot)
    fuzz::Check(p.Tempo(slot) == decoded->tempos[static_cast<size_t>(slot)] &&
                    p.StoredPattern(slot) == decoded->patterns[static_cast<size_t>(slot)],
                "the patterns and tempos");
  fuzz::Check(p.Current() == 0 && p.working == decoded->patterns[0] && s.undo.Count() == 0,
              "pattern 0 shown, history cleared");
  std::size_t unreadable = 0;
  for (int slot = 0; slot < CKit::kSlots; ++slot) {
    const CInstrument& in = p.kit[slot];
    const InstrumentRecord& record = decoded->instruments[static_cast<size_t>(slot)];
    fuzz::Check(in.samplePath == record.path && in.loop == record.loop && in.fade == record.fade &&
                    in.minkey == record.minkey && in.maxkey == record.maxkey &&
                    in.scale == record.scale,
                "paths, flags, key ranges and scales from the file");
    fuzz::Check(in.InUse() || in.data.empty(), "an empty slot keeps no sample");
    if (in.InUse() && in.data.empty()) ++unreadable;
  }
  // One message per sample that could not be read (an empty wave reads as no data too).
  fuzz::Check(notifier.messages.size() <= unreadable, "only the sample messages");
  for (const std::string& message : notifier.messages)
    fuzz::Check(message.rfind("Unable to read the file:\n ", 0) == 0, "only the sample message");
  return 0;
}
