// tond info FILE
// A short summary of a project, pattern, kit or wave file, told apart by the extension. Files are
// read with the program's own readers, so a damaged file gets the message the window shows.
#include <memory>
#include <optional>
#include <ostream>

#include "app/Cli.h"
#include "app/CliArgs.h"
#include "app/CliInput.h"
#include "app/StreamPlatform.h"
#include "base/Notifier.h"
#include "files/PatternFile.h"
#include "files/ProjectFile.h"
#include "kit/Kit.h"
#include "kit/WaveReader.h"
#include "model/Pattern.h"

namespace tond::cli {

namespace {

int CountNotes(const Pattern& cells) {
  int notes = 0;
  for (Cell cell : cells) notes += cell != 0;
  return notes;
}

// The stored tempo, and what the tempo control makes of it when it is out of range.
std::string TempoText(std::uint32_t tempo) {
  std::string text = std::to_string(tempo);
  const double played = TempoControlFor(tempo);
  if (played != static_cast<double>(tempo))
    text += " (plays at " + std::to_string(static_cast<int>(played)) + ")";
  return text;
}

std::string FlagsText(bool loop, bool fade) {
  std::string text = std::string("loop ") + (loop ? "on" : "off");
  return text + ", fade " + (fade ? "on" : "off");
}

int ProjectInfo(const std::string& path, Streams& io, Notifier& notifier) {
  std::unique_ptr<ProjectFileData> data = ReadProjectFile(path, notifier);
  if (!data) return kExitFailure;
  io.out << "project " << path << "\n";
  for (int slot = 0; slot < kProjectPatterns; ++slot) {
    const auto index = static_cast<std::size_t>(slot);
    io.out << "pattern " << slot << ": tempo " << TempoText(data->tempos[index]) << ", "
           << CountNotes(data->patterns[index]) << " notes\n";
  }
  int used = 0;
  for (int slot = 0; slot < CKit::kSlots; ++slot) {
    const InstrumentRecord& record = data->instruments[static_cast<std::size_t>(slot)];
    if (record.path == kNotUsed) continue;
    ++used;
    io.out << "slot " << slot << ": " << record.path << " (" << FlagsText(record.loop, record.fade)
           << ")\n";
  }
  io.out << used << " of " << CKit::kSlots << " slots in use\n";
  return kExitOk;
}

int PatternInfo(const std::string& path, Streams& io, Notifier& notifier) {
  std::optional<PatternFileData> data = ReadPatternFile(path, notifier);
  if (!data) return kExitFailure;
  io.out << "pattern " << path << "\n"
         << "tempo " << TempoText(data->tempo) << "\n"
         << "notes " << CountNotes(data->cells) << "\n";
  return kExitOk;
}

int KitInfo(const std::string& path, Streams& io, Notifier& notifier) {
  // The markup reader opens only a regular file (a pipe or a device could block it).
  auto kit = std::make_unique<CKit>();
  int error = 0;
  if (!kit->Load(path, &notifier, nullptr, &error)) {
    notifier.Failure(FormatMessage(kLoadError, path), SystemReason(error));
    return kExitFailure;
  }
  io.out << "kit " << path << "\n";
  int used = 0;
  for (int slot = 0; slot < CKit::kSlots; ++slot) {
    const CInstrument& instrument = (*kit)[slot];
    if (!instrument.InUse()) continue;
    ++used;
    io.out << "slot " << slot << ": " << instrument.samplePath << ", " << instrument.Length()
           << " frames, " << FlagsText(instrument.loop, instrument.fade) << "\n";
  }
  io.out << used << " of " << CKit::kSlots << " slots in use\n";
  return kExitOk;
}

int WaveInfo(const std::string& path, Streams& io, Notifier& notifier) {
  auto instrument = std::make_unique<CInstrument>();
  WaveFormat format;
  int error = 0;
  if (!LoadWave(path, *instrument, &notifier, &format, &error)) {
    notifier.Failure(FormatMessage(kSampleReadError, path), SystemReason(error));
    return kExitFailure;
  }
  io.out << "wave " << path << "\n"
         << "format: " << format.channels << (format.channels == 1 ? " channel, " : " channels, ")
         << format.bits << " bits, " << format.sampleRate << " Hz\n"
         << "frames " << instrument->Length() << "\n"
         << "root key " << static_cast<int>(instrument->rootKey) << "\n";
  return kExitOk;
}

}  // namespace

int RunInfo(const Args& args, Streams& io) {
  CliArgs parsed;
  std::string problem;
  std::optional<std::string> file;
  if (parsed.Parse(args, {}, problem)) file = parsed.Single("FILE", problem);
  if (!file) return UsageError(CommandOf(RunInfo), problem, io);

  const std::string& path = *file;
  StreamPlatform notifier(io.err);
  const std::string extension = LowerExtension(path);
  if (extension == ".blp") return ProjectInfo(path, io, notifier);
  if (extension == ".pat") return PatternInfo(path, io, notifier);
  if (extension == ".kit") return KitInfo(path, io, notifier);
  if (extension == ".wav") return WaveInfo(path, io, notifier);
  io.err << "tond info: cannot tell what " << path
         << " holds: the name must end in .blp, .pat, .kit or .wav" << std::endl;
  return kExitFailure;
}

}  // namespace tond::cli
