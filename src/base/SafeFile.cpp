#include "base/SafeFile.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <system_error>

namespace tond {

namespace {

namespace fs = std::filesystem;

// --- Temporary files the signals remove -------------------------------------------------------
// The handler may run at any moment on any thread, so it reads nothing but this fixed table and
// calls nothing but unlink, sigaction and raise. A slot is 0 (free), 1 (being filled) or 2 (names
// a live temporary file).
constexpr int kLiveSlots = 32;
constexpr std::size_t kLivePathSize = PATH_MAX + 16;
std::atomic<int> liveState[kLiveSlots];
char livePath[kLiveSlots][kLivePathSize];
static_assert(std::atomic<int>::is_always_lock_free);

constexpr int kCleanedSignals[] = {SIGINT, SIGTERM, SIGHUP};
std::mutex installMutex;  // guards liveFiles and the installing
int liveFiles = 0;

// Stands only where the signal had its default action, which it then takes itself: a handler of
// the program's own (which ends the program its own way) or an ignored signal is left alone.
extern "C" void RemoveTemporaryFiles(int signal) {
  for (int i = 0; i < kLiveSlots; ++i)
    if (liveState[i].load(std::memory_order_acquire) == 2) unlink(livePath[i]);
  // The signal stays blocked until the handler returns, and then ends the process.
  struct sigaction defaults {};
  defaults.sa_handler = SIG_DFL;
  sigemptyset(&defaults.sa_mask);
  sigaction(signal, &defaults, nullptr);
  raise(signal);
}

sigset_t CleanedSignals() {
  sigset_t set;
  sigemptyset(&set);
  for (int signal : kCleanedSignals) sigaddset(&set, signal);
  return set;
}

// Keeps the cleaning signals from this thread while a temporary file is created or renamed, so
// that none can come between the file and its entry in the table.
class BlockedSignals {
 public:
  BlockedSignals() {
    const sigset_t set = CleanedSignals();
    pthread_sigmask(SIG_BLOCK, &set, &saved_);
  }
  ~BlockedSignals() { pthread_sigmask(SIG_SETMASK, &saved_, nullptr); }
  BlockedSignals(const BlockedSignals&) = delete;
  BlockedSignals& operator=(const BlockedSignals&) = delete;

 private:
  sigset_t saved_;
};

// The handler is there only while a temporary file lives, so the program's own handling of the
// signals is untouched the rest of the time.
int TrackTemporary(const std::string& path) {
  if (path.size() >= kLivePathSize) return -1;
  int slot = -1;
  for (int i = 0; i < kLiveSlots && slot < 0; ++i) {
    int expected = 0;
    if (liveState[i].compare_exchange_strong(expected, 1)) slot = i;
  }
  if (slot < 0) return -1;  // more saves at once than slots: this one is not cleaned up
  std::memcpy(livePath[slot], path.c_str(), path.size() + 1);
  liveState[slot].store(2, std::memory_order_release);

  std::lock_guard lock(installMutex);
  if (liveFiles++ == 0) {
    struct sigaction ours {};
    ours.sa_handler = RemoveTemporaryFiles;
    ours.sa_mask = CleanedSignals();  // one cleaning at a time
    for (int signal : kCleanedSignals) {
      struct sigaction current {};
      sigaction(signal, nullptr, &current);
      if (!(current.sa_flags & SA_SIGINFO) && current.sa_handler == SIG_DFL)
        sigaction(signal, &ours, nullptr);
    }
  }
  return slot;
}

void UntrackTemporary(int slot) {
  if (slot < 0) return;
  liveState[slot].store(0, std::memory_order_release);
  std::lock_guard lock(installMutex);
  if (--liveFiles > 0) return;
  struct sigaction defaults {};
  defaults.sa_handler = SIG_DFL;
  sigemptyset(&defaults.sa_mask);
  for (int signal : kCleanedSignals) {
    struct sigaction current {};
    sigaction(signal, nullptr, &current);
    // A handler the program installed meanwhile stays.
    if (!(current.sa_flags & SA_SIGINFO) && current.sa_handler == RemoveTemporaryFiles)
      sigaction(signal, &defaults, nullptr);
  }
}

// --- Where the bytes go ----------------------------------------------------------------------

// /proc/PID/fd/N (also reached as /dev/stdout or /dev/fd/N) names a descriptor the process
// already has open, such as a redirected standard output: it is written in place.
bool IsDescriptorLink(const fs::path& link) {
  std::error_code ec;
  const fs::path folder = fs::canonical(link.parent_path().empty() ? "." : link.parent_path(), ec);
  return !ec && folder.filename() == "fd" && folder.parent_path().parent_path() == "/proc";
}

enum class Target { kReplace, kAppend };

// Follows a chain of symbolic links to the file the rename must replace (which need not exist
// yet: a link to a missing file creates that file). False, with `error` set, for a loop.
bool FollowLinks(const std::string& path, std::string& target, Target& how, int& error) {
  std::string at = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info {};
    if (lstat(at.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
      target = at;
      how = Target::kReplace;
      return true;
    }
    if (IsDescriptorLink(at)) {
      target = at;
      how = Target::kAppend;
      return true;
    }
    char text[PATH_MAX];
    const ssize_t length = readlink(at.c_str(), text, sizeof text);
    if (length < 0 || static_cast<std::size_t>(length) >= sizeof text) {
      error = length < 0 ? errno : ENAMETOOLONG;
      return false;
    }
    const fs::path next(std::string(text, static_cast<std::size_t>(length)));
    at = next.is_absolute() ? next.string() : (fs::path(at).parent_path() / next).string();
  }
  error = ELOOP;
  return false;
}

// Creates NAME.XXXXXX beside the target, readable and writable by its owner only until it is
// complete; -1 with errno set when that fails.
int CreateTemporary(const std::string& target, std::string& temp) {
  temp = target + ".XXXXXX";
  return mkostemp(temp.data(), O_CLOEXEC);
}

constexpr std::size_t kBufferSize = 64 * 1024;

}  // namespace

SafeFileWriter::SafeFileWriter(std::string path) {
  struct stat info {};
  const bool exists = stat(path.c_str(), &info) == 0;
  if (!exists && errno != ENOENT) {
    Fail(errno);
    return;
  }
  if (exists && !S_ISREG(info.st_mode)) {
    if (!S_ISCHR(info.st_mode) && !S_ISFIFO(info.st_mode)) {
      Fail(S_ISDIR(info.st_mode) ? EISDIR : ENOTSUP);
      return;
    }
    // A pipe waits here for its reader, as a shell's redirection does.
    fd_ = open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) Fail(errno);
    target_ = std::move(path);
    return;
  }

  Target how = Target::kReplace;
  if (!FollowLinks(path, target_, how, error_)) return;
  if (how == Target::kAppend) {
    fd_ = open(target_.c_str(), O_WRONLY | O_APPEND | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) Fail(errno);
    return;
  }

  BlockedSignals blocked;
  fd_ = CreateTemporary(target_, temp_);
  if (fd_ < 0) {
    Fail(errno);
    temp_.clear();
    return;
  }
  slot_ = TrackTemporary(temp_);
  if (exists) {
    // The replacement keeps what the old file had; ownership only where the system allows it
    // (it may clear set-id bits, so the bits follow it).
    if ((info.st_uid != geteuid() || info.st_gid != getegid()) &&
        fchown(fd_, info.st_uid, info.st_gid) != 0) {
      // Not allowed: the file becomes the user's own, with the old bits.
    }
    if (fchmod(fd_, info.st_mode & 07777) != 0) Fail(errno);
  } else {
    // What a new file gets: 0666 less the umask, read without changing it (umask() would, for
    // every thread).
    unsigned mask = 022;
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status) {
      char line[256];
      while (std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "Umask: %o", &mask) == 1) break;
      std::fclose(status);
    }
    if (fchmod(fd_, 0666 & ~mask) != 0) Fail(errno);
  }
}

SafeFileWriter::~SafeFileWriter() {
  Discard();
}

void SafeFileWriter::Discard() {
  BlockedSignals blocked;
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  if (!temp_.empty()) unlink(temp_.c_str());
  temp_.clear();
  UntrackTemporary(slot_);
  slot_ = -1;
}

bool SafeFileWriter::Fail(int error) {
  if (error_ == 0) error_ = error;
  return false;
}

bool SafeFileWriter::Flush() {
  std::size_t done = 0;
  while (done < buffer_.size()) {
    const ssize_t n = write(fd_, buffer_.data() + done, buffer_.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      buffer_.clear();
      return Fail(n < 0 ? errno : EIO);
    }
    done += static_cast<std::size_t>(n);
  }
  buffer_.clear();
  return true;
}

bool SafeFileWriter::Write(const void* data, std::size_t size) {
  if (fd_ < 0 || error_ != 0) return false;
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    if (buffer_.capacity() < kBufferSize) buffer_.reserve(kBufferSize);
    const std::size_t n = std::min(size, kBufferSize - buffer_.size());
    buffer_.insert(buffer_.end(), bytes, bytes + n);
    bytes += n;
    size -= n;
    if (buffer_.size() == kBufferSize && !Flush()) return false;
  }
  return true;
}

bool SafeFileWriter::Commit() {
  if (fd_ < 0) return false;
  bool ok = error_ == 0 && Flush();
  // A device or a pipe cannot be synced; a file must be on the disk before it replaces the old.
  if (ok && !temp_.empty() && fsync(fd_) != 0) ok = Fail(errno);
  if (close(fd_) != 0 && ok) ok = Fail(errno);
  fd_ = -1;
  if (!ok || temp_.empty()) {
    Discard();
    return ok;
  }
  BlockedSignals blocked;
  if (rename(temp_.c_str(), target_.c_str()) != 0) {
    Fail(errno);
    Discard();
    return false;
  }
  temp_.clear();
  UntrackTemporary(slot_);
  slot_ = -1;
  return true;
}

bool WriteFileSafely(const std::string& path, const void* data, std::size_t size, int* error) {
  SafeFileWriter writer(path);
  const bool ok = writer.Write(data, size) && writer.Commit();
  if (error) *error = writer.Error();
  return ok;
}

}  // namespace tond
