#pragma once
// What render, midi and play read: a pattern file with a kit file, or one pattern of a project
// with the kit of its instrument records, loaded as the window loads them.
#include <optional>
#include <string>

#include "session/Settings.h"

namespace tond {
class Session;
}  // namespace tond

namespace tond::cli {

class CliArgs;

struct Input {
  std::string path;
  bool project = false;            // a .blp file
  int pattern = 0;                 // which of a project's patterns plays
  std::optional<std::string> kit;  // a pattern file's kit
};

// The texts a command gives when --kit or --pattern does not fit the input.
struct InputRules {
  const char* kitWithProject;
  const char* patternWithoutProject;
  bool kitRequired;  // whether a pattern file needs --kit
};

// The extension of a path, in lower case: files are told apart by it, in any case.
std::string LowerExtension(const std::string& path);

// Fills `input` from INPUT and the --kit and --pattern options. False, with `problem` set, when
// they do not fit together or the pattern is not 0 to 15.
bool ReadInputOptions(const std::string& path, const CliArgs& parsed, const InputRules& rules,
                      Input& input, std::string& problem);

// The --volume option: 0 to 100, as the window's volume control, which starts at 80 (the value
// when the option is not given). Nothing, with `problem` set, for anything else.
std::optional<double> ReadVolume(const CliArgs& parsed, std::string& problem);

// Loads the input into the session as the window does when the file is dropped on it (and the
// pattern selected): the cells in the working grid, the samples in the kit, the tempo control at
// the file's tempo. False, with the message shown, when a file is refused. A pattern file needs
// `input.kit`.
bool LoadInput(const Input& input, Session& session);

// The folders of a command that does not start the program (which would make its own folder the
// working folder): relative sample paths are looked for in the current folder, then beside the
// kit or project file, then beside the program.
Folders CommandFolders();

// The file that names the input's samples: the project, or the pattern's kit.
std::string SampleNamer(const Input& input);

}  // namespace tond::cli
