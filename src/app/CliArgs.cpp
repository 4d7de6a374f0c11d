#include "app/CliArgs.h"

#include <algorithm>

namespace tond::cli {

bool CliArgs::Parse(const std::vector<std::string>& args, const std::vector<std::string>& valued,
                    std::string& error) {
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    // A lone "-" is a name, not an option.
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      positional.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    std::string name = arg;
    std::optional<std::string> value;
    auto equals = arg.find('=');
    if (arg.rfind("--", 0) == 0 && equals != std::string::npos) {
      name = arg.substr(0, equals);
      value = arg.substr(equals + 1);
    }
    if (std::find(valued.begin(), valued.end(), name) == valued.end()) {
      error = "unknown option '" + name + "'";
      return false;
    }
    if (!value) {
      if (i + 1 >= args.size()) {
        error = "option '" + name + "' needs a value";
        return false;
      }
      value = args[++i];
    }
    if (!values_.emplace(name, *value).second) {
      error = "option '" + name + "' given twice";
      return false;
    }
  }
  return true;
}

std::optional<std::string> CliArgs::Value(std::initializer_list<const char*> names) const {
  for (const char* name : names) {
    auto it = values_.find(name);
    if (it != values_.end()) return it->second;
  }
  return std::nullopt;
}

}  // namespace tond::cli
