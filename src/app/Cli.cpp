#include "app/Cli.h"

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <system_error>

#include "app/StreamPlatform.h"
#include "app/qt/Program.h"
#include "base/Version.h"

namespace tond::cli {

const std::vector<Subcommand>& Subcommands() {
  static const std::vector<Subcommand> table = {
      {"render",
       "INPUT.pat --kit KIT.kit [OPTIONS] -o OUT.wav | INPUT.blp [--pattern N|--patterns LIST] "
       "[OPTIONS] -o OUT.wav",
       "writes one pass of the pattern as a normalised 16-bit stereo wave file, exactly as the "
       "Export command does, or a song of several patterns",
       "writes a pattern, or a song of patterns, as a wave file", RunRender},
      {"info", "FILE.blp|FILE.pat|FILE.kit|FILE.wav",
       "prints a short summary of a project, pattern, kit or wave file",
       "summarises a project, pattern, kit or wave file", RunInfo},
      {"midi", "INPUT.pat --kit KIT.kit -o OUT.mid | INPUT.blp [--pattern N] -o OUT.mid",
       "writes the pattern as a MIDI file, exactly as the ExportMidi command does",
       "writes a pattern as a MIDI file", RunMidi},
      {"import", "PICTURE [--tempo BPM] [--threshold T] -o OUT.pat",
       "writes the pattern the Import command makes of a picture (stretched onto 64 x 64 cells) "
       "as a pattern file; the tempo is 120 unless given",
       "makes a pattern file of a picture", RunImport},
      {"play", "INPUT.blp [--pattern N] [OPTIONS] | INPUT.pat [--kit KIT.kit] [OPTIONS]",
       "plays the pattern through the audio device of the settings (or --device), as the program "
       "starts, for S seconds or until Ctrl+C; --record records it into the Output folder and "
       "prints the file's name (a pattern plays the default kit unless --kit is given)",
       "plays a pattern through the sound card, and records it", RunPlay},
      {"kit",
       "--folder DIR -o OUT.kit | --random ROOT [--seed N] -o OUT.kit | --slice LONG.wav "
       "[--replace] -o OUT.kit | --add WAV... [--kit IN.kit] -o OUT.kit",
       "builds a kit as the kit editor does: from the first 64 waves of a folder by name, from 64 "
       "drawn at random in a folder tree, from 64 slices of a long wave (written beside it as "
       "NAME_kit01.wav ...; --replace replaces slices already there), or by adding waves to the "
       "first empty slots of a new kit or IN.kit",
       "builds a kit from a folder, a folder tree, a long wave or single waves", RunKit},
      {"devices", "",
       "lists the audio output devices as the \"audio device\" setting and --device name them "
       "(* marks the default) and the MIDI inputs with the number \"MIDI IN port\" takes",
       "lists the audio output devices and the MIDI inputs", RunDevices},
  };
  return table;
}

const Subcommand& CommandOf(int (*run)(const Args& args, Streams& io)) {
  for (const Subcommand& command : Subcommands())
    if (command.run == run) return command;
  return Subcommands().front();
}

namespace {

// The text in lines of at most `width` characters, broken at spaces.
std::string Wrapped(const std::string& text, std::size_t width) {
  std::string out;
  std::size_t lineStart = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    if (out.size() > lineStart && out.size() - lineStart + 1 + (end - start) > width) {
      out += "\n";
      lineStart = out.size();
    } else if (out.size() > lineStart) {
      out += " ";
    }
    out += text.substr(start, end - start);
    start = end + 1;
  }
  return out + "\n";
}

}  // namespace

std::string Usage(const Subcommand& command) {
  // Each form of the command on a line of its own.
  const std::string lead = std::string("tond ") + command.name;
  std::string synopsis = command.synopsis;
  for (std::size_t bar = synopsis.find(" | "); bar != std::string::npos;
       bar = synopsis.find(" | ", bar))
    synopsis.replace(bar, 3, "\n       " + lead + " ");
  return "Usage: " + lead + (synopsis.empty() ? "" : " ") + synopsis + "\n";
}

std::string Help(const Subcommand& command) {
  return Usage(command) + "\n" + Wrapped(std::string(command.summary) + ".", 92) + "\n" +
         OptionsHelp(command.name);
}

std::string Usage() {
  std::string text =
      "Usage: tond COMMAND [ARGUMENTS]\n"
      "       tond [FILE.blp|FILE.pat|FILE.kit]\n"
      "       tond --help | --version\n"
      "\n"
      "Without a command tond opens its window, with the file loaded as if it had been dropped\n"
      "on it.\n"
      "\n"
      "Commands:\n";
  for (const Subcommand& command : Subcommands()) {
    std::string name = command.name;
    name.resize(std::max<std::size_t>(name.size() + 1, 10), ' ');
    text += "  " + name + command.brief + "\n";
  }
  text +=
      "\n'tond COMMAND --help' lists a command's options, with their defaults, ranges and an "
      "example.\n";
  return text;
}

int UsageError(const Subcommand& command, const std::string& problem, Streams& io) {
  io.err << "tond " << command.name << ": " << problem << "\n"
         << Usage(command) << "'tond " << command.name << " --help' lists the options.\n";
  return kExitUsage;
}

namespace {

// `tond FILE` opens the window on a file: a name that is no command and no option, and names a
// file or at least looks like one (a dot in its name).
bool NamesAFile(const Args& args) {
  if (args.size() != 1 || args[0].empty() || args[0][0] == '-') return false;
  for (const Subcommand& command : Subcommands())
    if (args[0] == command.name) return false;
  std::error_code ec;
  return std::filesystem::path(args[0]).filename().string().find('.') != std::string::npos ||
         std::filesystem::exists(args[0], ec);
}

}  // namespace

int Run(const Args& args, Streams& io) {
  if (args.empty()) return RunWindowProgram(std::nullopt);
  if (NamesAFile(args)) return RunWindowProgram(args[0]);
  const std::string& first = args[0];
  if (first == "--help" || first == "-h" || first == "help") {
    io.out << Usage();
    return kExitOk;
  }
  if (first == "--version") {
    io.out << kProgramTitle << "\n";
    return kExitOk;
  }
  for (const Subcommand& command : Subcommands()) {
    if (first != command.name) continue;
    Args rest(args.begin() + 1, args.end());
    StreamPlatform::SetCommand(command.name);
    for (const std::string& arg : rest) {
      if (arg == "--") break;
      if (arg == "--help" || arg == "-h") {
        io.out << Help(command);
        return kExitOk;
      }
    }
    return command.run(rest, io);
  }
  io.err << "tond: unknown command or option '" << first << "'\n" << Usage();
  return kExitUsage;
}

}  // namespace tond::cli
