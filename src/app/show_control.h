#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>

// How the user-interface thread stops and pauses drawing threads. One control
// may serve every slide show of a process.
class CShowControl {
 public:
  // Pause is a gate rather than a thread suspension: a suspended thread may
  // be holding the heap or a device-context lock, and the close handler must
  // always be able to wake it.
  void SetPaused(bool bPaused);
  // Blocks the calling (drawing) thread while paused and still running.
  void WaitWhilePaused();
  // Clears the keep-running flag and opens the pause gate.
  void StopRunning();

  bool Running() const { return m_bRunning.load(std::memory_order_relaxed) != 0; }

  std::atomic<int> m_bPaused{0};
  std::atomic<int> m_bRunning{1};

 private:
  std::mutex m_pauseMutex;
  std::condition_variable m_pauseChanged;
};
