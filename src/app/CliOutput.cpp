#include "app/CliOutput.h"

#include <unistd.h>

#include <filesystem>
#include <ostream>
#include <system_error>

#include "app/Cli.h"
#include "app/CliInput.h"
#include "kit/Kit.h"

namespace tond::cli {

bool IsStandardOutput(const std::string& output) {
  return output == "-";
}

std::optional<std::string> CheckOutput(const Subcommand& command, const std::string& output,
                                       const std::vector<std::string>& inputs,
                                       const OutputKind& kind, std::ostream& err) {
  const std::string prefix = std::string("tond ") + command.name + ": ";
  if (IsStandardOutput(output)) {
    if (kind.binary && isatty(STDOUT_FILENO)) {
      err << prefix << "standard output is a terminal: redirect it to a file or a program to write "
          << kind.what << " there" << std::endl;
      return std::nullopt;
    }
    // Written in place, as a pipe or a device is (see SafeFileWriter).
    const std::string path = "/dev/stdout";
    if (IsAnInput(command, path, inputs, err)) return std::nullopt;
    return path;
  }
  if (IsAnInput(command, output, inputs, err)) return std::nullopt;
  // Only a file's name says what it holds (not a device's, a pipe's or a folder's).
  std::error_code ec;
  const auto status = std::filesystem::status(output, ec);
  const bool file = status.type() == std::filesystem::file_type::not_found ||
                    status.type() == std::filesystem::file_type::regular;
  const std::string extension = LowerExtension(output);
  if (file && extension != kind.extension && !(kind.extension2 && extension == kind.extension2)) {
    err << prefix << "warning: " << output << " does not end in " << kind.extension
        << (kind.extension2 ? std::string(" or ") + kind.extension2 : std::string()) << ", but "
        << kind.what << " is written to it" << std::endl;
  }
  return output;
}

bool IsAnInput(const Subcommand& command, const std::string& output,
               const std::vector<std::string>& inputs, std::ostream& err) {
  for (const std::string& input : inputs) {
    std::error_code ec;
    if (!std::filesystem::equivalent(output, input, ec) || ec) continue;
    err << "tond " << command.name << ": refusing to write over an input: " << output
        << " is the same file as " << input << std::endl;
    return true;
  }
  return false;
}

std::vector<std::string> SamplePaths(const CKit& kit) {
  std::vector<std::string> paths;
  for (int slot = 0; slot < CKit::kSlots; ++slot)
    if (kit[slot].InUse()) paths.push_back(kit[slot].samplePath);
  return paths;
}

}  // namespace tond::cli
