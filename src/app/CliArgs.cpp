#include "app/CliArgs.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <system_error>

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

std::optional<std::string> CliArgs::Single(const std::string& what, std::string& problem) const {
  if (positional.empty())
    problem = "missing " + what;
  else if (positional.size() > 1)
    problem = "unexpected argument '" + positional[1] + "'";
  else
    return positional[0];
  return std::nullopt;
}

std::optional<std::string> CliArgs::Output(const std::string& what, std::string& problem) const {
  std::optional<std::string> output = Value({"-o", "--output"});
  if (Value({"-o"}) && Value({"--output"}))
    problem = "output given twice";
  else if (!output)
    problem = "missing -o " + what;
  else
    return output;
  return std::nullopt;
}

bool TakeFlag(std::vector<std::string>& args, const std::string& flag, std::string& problem) {
  bool found = false;
  for (auto it = args.begin(); it != args.end() && *it != "--";) {
    if (*it != flag) {
      ++it;
      continue;
    }
    if (found) problem = "option '" + flag + "' given twice";
    found = true;
    it = args.erase(it);
  }
  return found;
}

std::string AbsolutePath(const std::string& path) {
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  return ec ? path : absolute.string();
}

std::optional<double> ParseNumber(const std::string& text) {
  double value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<int> ParseWhole(const std::string& text, int low, int high) {
  int value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || value < low || value > high)
    return std::nullopt;
  return value;
}

}  // namespace tond::cli
