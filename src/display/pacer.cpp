#include "display/pacer.h"

#include <algorithm>

namespace {
// Between looks at the clock: about one frame of a 60 Hz screen, which shows
// no finer steps anyway. Every wake-up costs processor time of its own
// (cold caches, a slower clock), so looking more often costs more.
constexpr std::int64_t kCheckUs = 16000;
// Further behind than this, the schedule is moved rather than caught up.
constexpr std::int64_t kSlackUs = 250000;
}  // namespace

void CPacer::Start(ISleeper& sleeper, std::int64_t nSteps, std::int64_t nSpanMs) {
  if (nSteps <= 0 || nSpanMs <= 0) {
    Stop();
    return;
  }
  m_pSleeper = &sleeper;
  m_nSteps = nSteps;
  m_nSpanUs = std::min<std::int64_t>(nSpanMs, INT64_MAX / 4000) * 1000;
  m_nStartUs = sleeper.NowMicroseconds();
  m_nStepsPerCheck = std::max<std::int64_t>(
      1, static_cast<std::int64_t>(static_cast<double>(nSteps) * kCheckUs / static_cast<double>(m_nSpanUs)));
  m_nNextCheck = 0;
}

int CPacer::Check(std::int64_t k) {
  const std::int64_t now = m_pSleeper->NowMicroseconds();
  // In two parts, so that no product of span and steps can overflow; the
  // remainder's share is below one step's time, so a double is exact enough.
  k = std::clamp<std::int64_t>(k, 0, m_nSteps);
  const std::int64_t due = m_nStartUs + m_nSpanUs / m_nSteps * k +
      static_cast<std::int64_t>(static_cast<double>(m_nSpanUs % m_nSteps) * static_cast<double>(k) /
                                static_cast<double>(m_nSteps));
  if (now < due) {
    // Under a millisecond early: draw on, the next look makes it up.
    const std::int64_t ms = (due - now) / 1000;
    if (ms > 0) return static_cast<int>(std::min<std::int64_t>(ms, kMaxWaitMs));
  } else if (now - due > kSlackUs) {
    m_nStartUs += now - due;
  }
  m_nNextCheck = k + m_nStepsPerCheck;
  return 0;
}
