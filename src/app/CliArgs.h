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

  std::vector<std::string> positional;

 private:
  std::map<std::string, std::string> values_;
};

}  // namespace tond::cli
