#pragma once
// Splits a subcommand's arguments into options with values and positional arguments.
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tond::cli {

class CliArgs {
 public:
  // `valued` names the options that take a value ("--kit", "-o"); any other argument that
  // starts with "-" is unknown. Accepts "--name value" and "--name=value"; "--" ends the
  // options. False with `error` set on an unknown, repeated or incomplete option.
  bool Parse(const std::vector<std::string>& args, const std::vector<std::string>& valued,
             std::string& error);

  // The value of an option, looked up under any of its spellings ("-o", "--output").
  std::optional<std::string> Value(std::initializer_list<const char*> names) const;

  // The one positional argument; nothing, with `problem` set, when it is missing ("missing
  // WHAT") or followed by another.
  std::optional<std::string> Single(const std::string& what, std::string& problem) const;
  // The file named by -o or --output; nothing, with `problem` set, when it is missing ("missing
  // -o WHAT") or given under both names.
  std::optional<std::string> Output(const std::string& what, std::string& problem) const;

  std::vector<std::string> positional;

 private:
  std::map<std::string, std::string> values_;
};

// Takes every `flag` (an option without value, which CliArgs does not know) out of `args`, up to
// a "--"; true when it was there. `problem` is set when it was given twice.
bool TakeFlag(std::vector<std::string>& args, const std::string& flag, std::string& problem);

// The path made absolute against the current folder (the path itself when that fails). The
// program makes its own folder the working folder, and kits keep their sample paths as given.
std::string AbsolutePath(const std::string& path);

// The whole text as a finite number; nothing for anything else.
std::optional<double> ParseNumber(const std::string& text);
// The whole text as a whole number from `low` to `high`; nothing for anything else.
std::optional<int> ParseWhole(const std::string& text, int low, int high);

}  // namespace tond::cli
