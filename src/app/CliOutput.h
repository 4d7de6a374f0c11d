#pragma once
// The file a subcommand writes (-o OUT): "-" is standard output, an input is never written over,
// and a name that does not fit what is written gets a warning.
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace tond {
class CKit;
}  // namespace tond

namespace tond::cli {

struct Subcommand;

// What a subcommand writes.
struct OutputKind {
  const char* what;        // "a wave file"
  const char* extension;   // the name it should end in, in any case
  const char* extension2;  // another fitting ending, or nullptr
  bool binary;             // not for a terminal
};
inline constexpr OutputKind kWaveOutput{"a wave file", ".wav", nullptr, true};
inline constexpr OutputKind kMidiOutput{"a MIDI file", ".mid", ".midi", true};
inline constexpr OutputKind kPatternOutput{"a pattern file", ".pat", nullptr, true};
inline constexpr OutputKind kKitOutput{"a kit file", ".kit", nullptr, false};

// Whether -o names standard output.
bool IsStandardOutput(const std::string& output);

// Checks -o before anything is written and returns the path to write: /dev/stdout for "-"
// (refused for a binary file when standard output is a terminal), else the name given, refused
// when it is one of `inputs` and written with a warning when its name does not fit `kind`.
// Nothing, after saying why on `err`, when refused.
std::optional<std::string> CheckOutput(const Subcommand& command, const std::string& output,
                                       const std::vector<std::string>& inputs,
                                       const OutputKind& kind, std::ostream& err);

// Whether `output` is the same file as one of `inputs` (compared as files, not by name); says so
// on `err` when it is.
bool IsAnInput(const Subcommand& command, const std::string& output,
               const std::vector<std::string>& inputs, std::ostream& err);

// The sample files the kit's slots in use name.
std::vector<std::string> SamplePaths(const CKit& kit);

}  // namespace tond::cli
