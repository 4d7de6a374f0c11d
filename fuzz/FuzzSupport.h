#pragma once
// What every harness shares: the readers take paths, so each harness writes its input to one
// file in a private temporary folder (made once per process, removed when the process ends);
// and a check that turns a broken promise into a finding.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "base/Notifier.h"

namespace tond::fuzz {

class InputFile {
 public:
  explicit InputFile(const std::string& name) {
    std::string folder = (std::filesystem::temp_directory_path() / "tond-fuzz-XXXXXX").string();
    if (!mkdtemp(folder.data())) std::abort();
    folder_ = folder;
    path_ = (folder_ / name).string();
  }
  ~InputFile() {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // Replaces the file's bytes with the input; returns its path.
  const std::string& Write(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(path_.c_str(), "wb");
    if (!file) std::abort();
    const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
    if (std::fclose(file) != 0 || !written) std::abort();
    return path_;
  }

 private:
  std::filesystem::path folder_;
  std::string path_;
};

// The readers promise more than not crashing; a promise broken is reported like a crash, so
// that libFuzzer keeps the input.
inline void Check(bool ok, const char* promise) {
  if (ok) return;
  std::fprintf(stderr, "broken promise: %s\n", promise);
  std::abort();
}

}  // namespace tond::fuzz
