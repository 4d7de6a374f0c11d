#include "engine/Recorder.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <system_error>

#include "base/LittleEndian.h"
#include "base/Notifier.h"

namespace tond {
namespace {

constexpr std::uint64_t kRingMask = Recorder::kRingBytes - 1;
static_assert((Recorder::kRingBytes & kRingMask) == 0, "the ring size must be a power of two");

// The header's sizes are 32-bit: a recording stops growing before the RIFF size would wrap
// (after about 6.7 hours); what comes after that is counted as lost.
constexpr std::uint64_t kMaxDataBytes = (0xFFFFFFFFull - (Recorder::kHeaderBytes - 8)) & ~3ull;

// How long the writer sleeps when the ring is empty: a small fraction of the ring's length.
constexpr auto kWriterPause = std::chrono::milliseconds(10);

// The header as it stands while recording: the sizes are unknown (all ones), so that a file
// cut short by a crash still reads to its end.
std::array<std::uint8_t, Recorder::kHeaderBytes> RecordingHeader() {
  std::array<std::uint8_t, Recorder::kHeaderBytes> h{};
  auto tag = [&h](int at, const char* text) { std::copy(text, text + 4, h.begin() + at); };
  tag(0, "RIFF");
  StoreLE32(&h[4], 0xFFFFFFFFu);
  tag(8, "WAVE");
  tag(12, "fmt ");
  StoreLE32(&h[16], 16);
  h[20] = 1;  // integer PCM
  h[22] = 2;  // channels
  StoreLE32(&h[24], 44100);
  StoreLE32(&h[28], 176400);
  h[32] = 4;   // bytes per frame
  h[34] = 16;  // bits per sample
  tag(36, "fact");
  StoreLE32(&h[40], 4);
  StoreLE32(&h[44], 0xFFFFFFFFu);
  tag(48, "data");
  StoreLE32(&h[52], 0xFFFFFFFFu);
  return h;
}

bool WriteU32At(std::FILE* file, long offset, std::uint32_t v) {
  std::uint8_t bytes[4];
  StoreLE32(bytes, v);
  return std::fseek(file, offset, SEEK_SET) == 0 && std::fwrite(bytes, 1, 4, file) == 4;
}

// Truncates toward zero like the export; anything beyond full scale is clipped.
std::int16_t ToSample(float x) {
  const float v = x * 32767.0f;
  if (v >= 32767.0f) return 32767;
  if (v <= -32768.0f) return -32768;
  if (v != v) return 0;  // NaN
  return static_cast<std::int16_t>(v);
}

}  // namespace

Recorder::Recorder() : ring_(new std::uint8_t[kRingBytes]) {}

Recorder::~Recorder() {
  if (IsRecording()) Finish(false);
}

bool Recorder::Start(const std::string& folder, Notifier* notifier) {
  if (IsRecording()) return true;
  notifier_ = notifier;
  // `error` is errno taken right at the call that failed.
  auto fail = [&](const std::string& path, int error) {
    if (notifier) notifier->Failure(FormatMessage(kSaveError, path), SystemReason(error));
    return false;
  };

  // "x" creates the file only if it does not exist, so a file that appears between the test
  // and the creation is never overwritten: the next number is taken instead.
  std::FILE* file = nullptr;
  std::string path;
  for (std::uint64_t n = 1; file == nullptr; ++n) {
    path = (std::filesystem::path(folder) / ("output" + std::to_string(n) + ".wav")).string();
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(path, ec))) continue;
    file = std::fopen(path.c_str(), "wbx");
    if (file == nullptr && errno != EEXIST) return fail(path, errno);
  }

  const auto header = RecordingHeader();
  if (std::fwrite(header.data(), 1, header.size(), file) != header.size() ||
      std::fflush(file) != 0) {
    const int error = errno;
    std::fclose(file);
    std::remove(path.c_str());
    return fail(path, error);
  }

  file_ = file;
  path_ = path;
  dataBytes_ = 0;
  writeError_.store(0, std::memory_order_relaxed);
  lost_.store(0, std::memory_order_relaxed);
  stopWriter_.store(false, std::memory_order_relaxed);
  try {
    writer_ = std::thread(&Recorder::WriterLoop, this);
  } catch (const std::system_error& e) {
    std::fclose(file_);
    file_ = nullptr;
    std::remove(path.c_str());
    return fail(path, e.code().value());
  }
  recording_.store(true, std::memory_order_release);
  return true;
}

void Recorder::Stop() {
  if (IsRecording()) Finish(true);
}

void Recorder::Finish(bool report) {
  recording_.store(false, std::memory_order_relaxed);
  // Either a tap sees the flag cleared, or we wait until it has put its bytes into the ring.
  taps_.WaitForEarlierCalls();

  stopWriter_.store(true, std::memory_order_release);
  writer_.join();  // the writer drains the ring before it ends

  const auto data = static_cast<std::uint32_t>(dataBytes_);
  if (WriteError() == 0 &&
      !(WriteU32At(file_, 4, data + (kHeaderBytes - 8)) && WriteU32At(file_, 44, data / 4) &&
        WriteU32At(file_, 52, data) && std::fflush(file_) == 0))
    Failed(errno);
  if (std::fclose(file_) != 0) Failed(errno);
  file_ = nullptr;

  if (!report || notifier_ == nullptr) return;
  if (const int error = WriteError())
    notifier_->Failure(FormatMessage(kSaveError, path_), SystemReason(error));
  const std::uint64_t lost = LostFrames();
  if (lost > 0) {
    notifier_->Message(FormatMessage("Warning: " + std::to_string(lost) +
                                         " frames could not be written in time and are missing "
                                         "from the recording:\n %s",
                                     path_));
  }
}

void Recorder::RecordBuffer(const float* frames, std::uint32_t count) noexcept {
  taps_.Enter();
  if (recording_.load(std::memory_order_acquire)) {
    const std::uint64_t head = head_.load(std::memory_order_relaxed);
    const std::uint64_t used = head - tail_.load(std::memory_order_acquire);
    const std::uint64_t bytes = 4ull * count;
    if (bytes > kRingBytes - used) {
      lost_.fetch_add(count, std::memory_order_relaxed);
    } else {
      std::uint8_t* ring = ring_.get();
      for (std::uint64_t i = 0; i < 2ull * count; ++i) {
        const auto s = static_cast<std::uint16_t>(ToSample(frames[i]));
        const std::uint64_t at = head + 2 * i;
        ring[at & kRingMask] = static_cast<std::uint8_t>(s);
        ring[(at + 1) & kRingMask] = static_cast<std::uint8_t>(s >> 8);
      }
      head_.store(head + bytes, std::memory_order_release);
    }
  }
  taps_.Leave();
}

void Recorder::WriterLoop() {
  while (!stopWriter_.load(std::memory_order_acquire)) {
    if (!Drain()) std::this_thread::sleep_for(kWriterPause);
  }
  Drain();
}

void Recorder::Failed(int error) {
  int none = 0;  // the first failure is the one reported
  writeError_.compare_exchange_strong(none, error != 0 ? error : EIO, std::memory_order_release,
                                      std::memory_order_relaxed);
}

bool Recorder::Drain() {
  const std::uint64_t tail = tail_.load(std::memory_order_relaxed);
  const std::uint64_t available = head_.load(std::memory_order_acquire) - tail;
  if (available == 0) return false;

  auto append = [this](const std::uint8_t* bytes, std::uint64_t n) {
    const std::uint64_t fits = std::min(n, kMaxDataBytes - dataBytes_);
    if (fits < n) lost_.fetch_add((n - fits) / 4, std::memory_order_relaxed);
    if (fits == 0 || WriteError() != 0) return;
    if (std::fwrite(bytes, 1, fits, file_) != fits) Failed(errno);
    dataBytes_ += fits;
  };
  const std::uint64_t offset = tail & kRingMask;
  const std::uint64_t first = std::min(available, kRingBytes - offset);
  append(ring_.get() + offset, first);
  if (available > first) append(ring_.get(), available - first);
  // On disk at once: a recording cut short by a crash keeps what was played.
  if (WriteError() == 0 && std::fflush(file_) != 0) Failed(errno);
  tail_.store(tail + available, std::memory_order_release);
  return true;
}

}  // namespace tond
