#include "base/SafeFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace tond {

SafeFileWriter::SafeFileWriter(std::string path) : path_(std::move(path)) {
  temp_ = path_ + ".XXXXXX";
  int fd = mkstemp(temp_.data());
  if (fd < 0) {
    temp_.clear();
    return;
  }
  // mkstemp creates the file 0600; give it the usual permissions of a new file.
  mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  file_ = fdopen(fd, "wb");
  if (!file_) {
    close(fd);
    std::remove(temp_.c_str());
    temp_.clear();
  }
}

SafeFileWriter::~SafeFileWriter() {
  if (file_) std::fclose(file_);
  if (!temp_.empty()) std::remove(temp_.c_str());
}

bool SafeFileWriter::Write(const void* data, std::size_t size) {
  if (!file_ || failed_) return false;
  if (size && std::fwrite(data, 1, size, file_) != size) failed_ = true;
  return !failed_;
}

bool SafeFileWriter::Commit() {
  if (!file_) return false;
  bool ok = !failed_ && std::fflush(file_) == 0 && fsync(fileno(file_)) == 0;
  ok = (std::fclose(file_) == 0) && ok;
  file_ = nullptr;
  if (!ok) return false;
  std::error_code ec;
  std::filesystem::rename(temp_, path_, ec);
  if (ec) return false;
  temp_.clear();
  return true;
}

bool WriteFileSafely(const std::string& path, const void* data, std::size_t size) {
  SafeFileWriter writer(path);
  return writer.Write(data, size) && writer.Commit();
}

}  // namespace tond
