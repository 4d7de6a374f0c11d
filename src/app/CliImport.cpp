// tond import PICTURE [--tempo BPM] [--threshold T] -o OUT.pat
// Writes the pattern the Import command makes of a picture, as a pattern file; --threshold leaves
// the cells of dark pixels empty.
#include <QCoreApplication>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <ostream>
#include <vector>

#include "app/Cli.h"
#include "app/CliArgs.h"
#include "app/CliOutput.h"
#include "app/StreamPlatform.h"
#include "base/Notifier.h"
#include "base/RegularFile.h"
#include "base/SafeFile.h"
#include "base/Tempo.h"
#include "files/PatternFile.h"
#include "files/qt/PictureImport.h"
#include "model/Pattern.h"

namespace tond::cli {

namespace {

// The window imports silently; a command line that writes nothing must say why.
constexpr const char* kPictureError = "Error: unable to read the file as a picture:\n %s";

// Some decoders need more than QImage: a picture with text (SVG) asks for fonts, which only a
// QGuiApplication offers. The offscreen platform gives one on a machine without a display.
class OffscreenApplication {
 public:
  OffscreenApplication() {
    if (QCoreApplication::instance()) return;
    // Qt's own chatter (a missing runtime folder, decoder warnings) is not for this output: the
    // command says itself what went wrong.
    previous_ = qInstallMessageHandler(&OffscreenApplication::Filter);
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
  }
  ~OffscreenApplication() {
    if (!app_) return;
    app_.reset();
    qInstallMessageHandler(previous_);
  }
  OffscreenApplication(const OffscreenApplication&) = delete;
  OffscreenApplication& operator=(const OffscreenApplication&) = delete;

 private:
  static void Filter(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtCriticalMsg && type != QtFatalMsg) return;
    if (previous_)
      previous_(type, context, text);
    else
      std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
  }

  // QGuiApplication keeps references to its arguments for its whole life, and takes out the
  // ones it understands.
  char name_[5] = "tond";
  char platformOption_[10] = "-platform";
  char platform_[10] = "offscreen";
  char* argv_[4] = {name_, platformOption_, platform_, nullptr};
  int argc_ = 3;
  static inline QtMessageHandler previous_ = nullptr;
  std::unique_ptr<QGuiApplication> app_;
};

}  // namespace

int RunImport(const Args& args, Streams& io) {
  const Subcommand& command = CommandOf(RunImport);
  CliArgs parsed;
  std::string problem;
  if (!parsed.Parse(args, {"-o", "--output", "--tempo", "--threshold"}, problem))
    return UsageError(command, problem, io);
  std::optional<std::string> picture = parsed.Single("PICTURE", problem);
  if (!picture) return UsageError(command, problem, io);
  std::optional<std::string> output = parsed.Output("OUT.pat", problem);
  if (!output) return UsageError(command, problem, io);
  // The tempo control's range (a fraction is cut off, as the control does): a file's tempo
  // beyond it would play at another tempo.
  double tempo = kDefaultTempo;
  if (auto text = parsed.Value({"--tempo"})) {
    auto value = ParseNumber(*text);
    if (!value || *value < kTempoMin || *value > kTempoMax)
      return UsageError(command,
                        "tempo must be a number from " + std::to_string(kTempoMin) + " to " +
                            std::to_string(kTempoMax),
                        io);
    tempo = PlayedTempo(*value);
  }
  std::uint8_t threshold = 0;  // only black pixels give empty cells, as in the window
  if (auto text = parsed.Value({"--threshold"})) {
    auto value = ParseWhole(*text, 0, 255);
    if (!value) return UsageError(command, "threshold must be a whole number from 0 to 255", io);
    threshold = static_cast<std::uint8_t>(*value);
  }
  // Every value is checked before anything is said about the output.
  const std::optional<std::string> target =
      CheckOutput(command, *output, {*picture}, kPatternOutput, io.err);
  if (!target) return kExitFailure;

  OffscreenApplication application;
  StreamPlatform notifier(io.err);
  std::optional<Pattern> cells = ReadPicturePattern(*picture, threshold);
  if (!cells) {
    // The system's reason when the file is not there to read; a file that does not decode has none.
    notifier.Failure(FormatMessage(kPictureError, *picture),
                     SystemReason(RegularFileError(*picture)));
    return kExitFailure;
  }
  std::vector<std::uint8_t> bytes = EncodePatternFile(*cells, tempo);
  int error = 0;
  if (!WriteFileSafely(*target, bytes.data(), bytes.size(), &error)) {
    notifier.Failure(FormatMessage(kSaveError, *output), SystemReason(error));
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace tond::cli
