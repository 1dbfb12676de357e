#pragma once

#include <cstdint>

#include "display/surface.h"

// Spreads a run of steps evenly over a span on a sleeper's clock: step k is
// due at k / n of the span. Late steps go as fast as they come, and the time
// lost is made up later; once far behind (a pause, a slow stretch), the
// schedule starts again from where it is, so that what is left is still
// spread out rather than raced through.
class CPacer {
 public:
  // Waits at most this long at a time, so the caller looks at its flags often.
  static constexpr int kMaxWaitMs = 50;

  // A span of 0 or less, or no steps, never waits.
  void Start(ISleeper& sleeper, std::int64_t nSteps, std::int64_t nSpanMs);
  void Stop() { m_nNextCheck = kNever; }
  bool Active() const { return m_nNextCheck != kNever; }

  // How many milliseconds to sleep before the next step, with nLeft steps
  // still to come (0 to kMaxWaitMs). Costs one comparison except once per
  // few milliseconds' worth of steps.
  int WaitBefore(std::int64_t nLeft) {
    const std::int64_t k = m_nSteps - nLeft;
    if (k < m_nNextCheck) return 0;
    return Check(k);
  }

 private:
  static constexpr std::int64_t kNever = INT64_MAX;
  int Check(std::int64_t k);

  ISleeper* m_pSleeper = nullptr;
  std::int64_t m_nSteps = 0;
  std::int64_t m_nSpanUs = 0;
  std::int64_t m_nStartUs = 0;
  std::int64_t m_nStepsPerCheck = 1;
  std::int64_t m_nNextCheck = kNever;
};
