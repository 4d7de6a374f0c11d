#pragma once
// Records the live output into numbered 16-bit stereo wave files ("output1.wav", ...).
//
// Threads: Start() and Stop() run on the window thread; RecordBuffer() is the tap that the
// audio callback calls for every buffer. The tap only converts the buffer to 16 bits and puts
// it into a preallocated lock-free ring; a writer thread, alive while a recording runs, takes
// the bytes out and appends them to the file. Stop() first makes sure that no tap is still
// writing into the ring, then lets the writer drain it and finishes the header. A write that
// fails (disk full, ...) is published by the writer through one atomic, so that the window
// thread can notice it while the recording runs (WriteError()) and stop it.
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>

#include "base/Handshake.h"

namespace tond {

class Notifier;

class Recorder {
 public:
  // Ring size: about 5.9 seconds of output, so that a slow disk does not lose frames.
  static constexpr std::uint32_t kRingBytes = 1u << 20;
  static constexpr std::uint32_t kHeaderBytes = 56;

  Recorder();
  // Finishes a recording still running (as Stop(), but shows no message).
  ~Recorder();
  Recorder(const Recorder&) = delete;
  Recorder& operator=(const Recorder&) = delete;

  // Creates "output<n>.wav" in `folder` with the first n from 1 on whose file does not exist,
  // and starts taking the buffers. When the file cannot be created, notifier (if any) shows
  // "Error: unable to save the file:\n <path>" and false is returned: no recording runs.
  // Does nothing (true) while a recording runs. notifier must outlive the recording.
  bool Start(const std::string& folder, Notifier* notifier);
  // Ends the recording and finishes the file: data size, RIFF size and the "fact" frame count.
  // Reports through the notifier given to Start() a file that could not be completed (with the
  // system's reason), and frames lost because the disk could not keep up. Does nothing while not
  // recording.
  void Stop();
  bool IsRecording() const { return recording_.load(std::memory_order_relaxed); }
  // The file of the running or of the last recording; empty before the first one.
  const std::string& Path() const { return path_; }
  // Frames of the running or last recording that did not reach the file.
  std::uint64_t LostFrames() const { return lost_.load(std::memory_order_relaxed); }
  // The system's error number of the first write to the file of the running or last recording
  // that failed (ENOSPC: the disk is full), 0 while every write succeeded. From that write on
  // nothing more reaches the file. Any thread.
  int WriteError() const { return writeError_.load(std::memory_order_acquire); }
  // The last recording is finished and holds every frame it was given.
  bool Complete() const { return !IsRecording() && WriteError() == 0 && LostFrames() == 0; }

  // The tap, on the audio thread: `frames` interleaved stereo float frames, converted to 16 bits
  // (clipped to the 16-bit range). Never blocks, allocates or touches the file. A buffer that
  // does not fit into the ring is dropped whole and counted as lost.
  void RecordBuffer(const float* frames, std::uint32_t count) noexcept;

 private:
  void WriterLoop();
  // Moves whatever is in the ring to the file; false when nothing was there.
  bool Drain();
  void Finish(bool report);
  // Keeps the first write failure (errno; EIO when the system gave none).
  void Failed(int error);

  std::unique_ptr<std::uint8_t[]> ring_;
  // Bytes ever put in (by the tap) and taken out (by the writer); their difference is the fill.
  std::atomic<std::uint64_t> head_{0};
  std::atomic<std::uint64_t> tail_{0};
  std::atomic<bool> recording_{false};
  // Taps begun and ended, so that Stop() knows when none can still be writing into the ring.
  AudioHandshake taps_;
  std::atomic<std::uint64_t> lost_{0};
  std::atomic<bool> stopWriter_{false};

  // Window thread, and the writer thread while it runs.
  std::thread writer_;
  std::FILE* file_ = nullptr;
  std::string path_;
  Notifier* notifier_ = nullptr;
  std::atomic<int> writeError_{0};  // set by the writer, or by Stop() finishing the header
  std::uint64_t dataBytes_ = 0;     // written by the writer only
};

}  // namespace tond
