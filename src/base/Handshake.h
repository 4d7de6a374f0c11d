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
  void Enter() noexcept {
    entered_.fetch_add(1, std::memory_order_relaxed);
    // Pairs with the fence in WaitForEarlierCalls(): either this call sees the change, or the
    // waiter sees this call begun and waits for it.
    std::atomic_thread_fence(std::memory_order_seq_cst);
  }
  void Leave() noexcept { left_.fetch_add(1, std::memory_order_release); }

  void WaitForEarlierCalls() const {
    std::atomic_thread_fence(std::memory_order_seq_cst);
    const std::uint64_t begun = entered_.load(std::memory_order_relaxed);
    while (left_.load(std::memory_order_acquire) < begun) std::this_thread::yield();
  }

 private:
  std::atomic<std::uint64_t> entered_{0};
  std::atomic<std::uint64_t> left_{0};
};

}  // namespace tond
