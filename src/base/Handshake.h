#pragma once
#include <atomic>
#include <cstdint>
#include <thread>

namespace tond {

// How the window thread learns that the audio thread has let go of something it changed. The
// audio side wraps each call that reads the shared thing in Enter()/Leave(); the window side
// publishes its change (a request, a cleared flag, a new pointer) and then calls
// WaitForEarlierCalls(), which returns once every call that may have missed the change has
// ended. Calls that begin later see the change. No lock: the audio side only counts.
class AudioHandshake {
 public:
  // Both sides read-modify-write the one counter with acquire-release, so the two are ordered:
  // either the window's read comes later and counts this call (and waits for it), or this call
  // comes later and sees everything the window published before its read. No fence, which
  // ThreadSanitizer could not follow.
  void Enter() noexcept { entered_.fetch_add(1, std::memory_order_acq_rel); }
  void Leave() noexcept { left_.fetch_add(1, std::memory_order_release); }

  void WaitForEarlierCalls() {
    const std::uint64_t begun = entered_.fetch_add(0, std::memory_order_acq_rel);
    while (left_.load(std::memory_order_acquire) < begun) std::this_thread::yield();
  }

 private:
  std::atomic<std::uint64_t> entered_{0};
  std::atomic<std::uint64_t> left_{0};
};

}  // namespace tond
