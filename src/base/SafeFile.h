#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tond {

// Writes a file so that a failure never destroys the previous one: the bytes go to a temporary
// file (NAME.XXXXXX) in the target's folder, which replaces the target only when everything was
// written.
// - An existing file keeps its permission bits (and its owner, where the system allows it).
// - A symbolic link is written through: the file it leads to is replaced, the link stays.
// - A character device or a named pipe (/dev/null, /dev/stdout, a pipe into another program)
//   cannot be replaced: it is written in place. Any other target that is not a regular file (a
//   folder, a block device, a socket) is refused.
// - While the temporary file exists, SIGINT, SIGTERM and SIGHUP remove it before they end the
//   process, where they would end it at once. A handler the program installed for them stays in
//   charge (the program then ends in its own way, and the writer cleans up after itself); an
//   ignored signal stays ignored.
class SafeFileWriter {
 public:
  explicit SafeFileWriter(std::string path);
  ~SafeFileWriter();  // removes the temporary file unless Commit() succeeded
  SafeFileWriter(const SafeFileWriter&) = delete;
  SafeFileWriter& operator=(const SafeFileWriter&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  bool Write(const void* data, std::size_t size);
  bool Write(std::string_view text) { return Write(text.data(), text.size()); }
  // Flushes, syncs, closes and renames over the target. False if anything failed on the way.
  bool Commit();
  // The errno of the first call that failed (EISDIR or ENOTSUP for a refused target); 0 while
  // nothing failed.
  int Error() const { return error_; }

 private:
  bool Fail(int error);
  bool Flush();
  void Discard();

  std::string target_;  // the file that is replaced, links resolved
  std::string temp_;    // empty when the target is written in place
  int fd_ = -1;
  int error_ = 0;
  int slot_ = -1;  // in the table of temporary files the signals remove; -1 when not in it
  std::vector<char> buffer_;
};

// Convenience: the whole file in one piece. `error`, when given, receives Error().
bool WriteFileSafely(const std::string& path, const void* data, std::size_t size,
                     int* error = nullptr);

}  // namespace tond
