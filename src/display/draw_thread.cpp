#include "display/draw_thread.h"

#include <chrono>
#include <new>

void CRealSleeper::Sleep(int nMilliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(nMilliseconds));
}

std::int64_t CRealSleeper::NowMicroseconds() {
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

CDrawThread::~CDrawThread() {
  if (!m_thread.joinable()) return;
  if (Done())
    m_thread.join();
  else
    m_thread.detach();  // it owns its share of the drawing state
}

void CDrawThread::Start(std::shared_ptr<CSlideShow> pShow, unsigned int seed) {
  if (m_thread.joinable()) return;
  m_pDone = std::make_shared<std::atomic<int>>(0);
  auto pDone = m_pDone;
  m_thread = std::thread([pShow = std::move(pShow), pDone, seed] {
    // An exception leaving a thread would end the process without a word.
    try {
      pShow->DrawThreadProc(seed);
    } catch (const std::bad_alloc&) {
      pDone->store(kOutOfMemory);
      return;
    }
    pDone->store(1);
  });
}

bool CDrawThread::WaitDone(int nTimeoutMs) {
  if (!m_thread.joinable()) return true;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(nTimeoutMs);
  while (!Done() && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  if (!Done()) return false;
  m_thread.join();
  return true;
}
