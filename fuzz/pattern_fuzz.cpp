// The pattern file on any bytes, decoded in memory and loaded through the window's command: both
// agree, a loaded file becomes the current pattern with one undo step, and a refused one shows its
// message and changes nothing.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "FuzzSupport.h"
#include "base/Notifier.h"
#include "files/PatternFile.h"
#include "model/Project.h"
#include "model/UndoSystem.h"

using namespace tond;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::InputFile input("input.pat");
  const std::string& path = input.Write(data, size);

  PatternFileData decoded;
  const PatternFileStatus status = DecodePatternFile(data, size, decoded);

  auto project = std::make_unique<Project>();
  UndoSystem undo;
  undo.Init(&project->working);
  project->working.Fill(0x00123456);
  project->SetTempo(project->Current(), 99);
  const Pattern before = project->working.Snapshot();
  HeldMessages notifier;
  const std::optional<std::uint32_t> tempo = LoadPattern(path, *project, undo, notifier);

  if (status == PatternFileStatus::kOk) {
    fuzz::Check(tempo && *tempo == decoded.tempo, "the stored tempo");
    fuzz::Check(project->Tempo(project->Current()) == decoded.tempo, "the slot's tempo");
    fuzz::Check(project->working == decoded.cells, "the cells");
    fuzz::Check(undo.Count() == 2 && notifier.messages.empty(), "one undo step, no message");
    return 0;
  }
  const char* message = status == PatternFileStatus::kNotPattern ? kPatternMagicError : kLoadError;
  fuzz::Check(!tempo && notifier.messages.size() == 1 &&
                  notifier.messages[0] == FormatMessage(message, path),
              "a refusal shows its message");
  fuzz::Check(
      project->working == before && project->Tempo(project->Current()) == 99 && undo.Count() == 1,
      "a refusal changes nothing");
  return 0;
}
