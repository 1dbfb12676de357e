#include "app/show_control.h"

void CShowControl::SetPaused(bool bPaused) {
  {
    std::lock_guard<std::mutex> lock(m_pauseMutex);
    m_bPaused.store(bPaused ? 1 : 0);
  }
  m_pauseChanged.notify_all();
}

void CShowControl::WaitWhilePaused() {
  if (!m_bPaused.load(std::memory_order_relaxed)) return;
  std::unique_lock<std::mutex> lock(m_pauseMutex);
  m_pauseChanged.wait(lock, [this] { return !m_bPaused.load() || !m_bRunning.load(); });
}

void CShowControl::StopRunning() {
  {
    std::lock_guard<std::mutex> lock(m_pauseMutex);
    m_bRunning.store(0);
  }
  m_pauseChanged.notify_all();
}
