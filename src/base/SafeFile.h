#pragma once
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace tond {

// Writes a file so that a failure never destroys the previous one: the bytes go to a temporary
// file in the same folder, which replaces the target only when everything was written.
class SafeFileWriter {
 public:
  explicit SafeFileWriter(std::string path);
  ~SafeFileWriter();  // removes the temporary file unless Commit() succeeded
  SafeFileWriter(const SafeFileWriter&) = delete;
  SafeFileWriter& operator=(const SafeFileWriter&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  bool Write(const void* data, std::size_t size);
  bool Write(std::string_view text) { return Write(text.data(), text.size()); }
  // Flushes, closes and renames over the target. False if anything failed on the way.
  bool Commit();

 private:
  std::string path_;
  std::string temp_;
  std::FILE* file_ = nullptr;
  bool failed_ = false;
};

// Convenience: the whole file in one piece.
bool WriteFileSafely(const std::string& path, const void* data, std::size_t size);

}  // namespace tond
