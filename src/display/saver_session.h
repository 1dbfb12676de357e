#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "display/frame.h"
#include "display/saver_model.h"
#include "display/surface.h"

class CDrawThread;
class CShowControl;
class CSlideShow;
struct CSettings;

// The shows of one process (one per monitor, the primary first), their
// drawing threads and the one stop/pause control they share. Each show
// draws into a frame of its own, which the platform presents; show i is
// seeded seed base + i, so shows started together differ.
class CSaverSession {
 public:
  using Clock = std::chrono::steady_clock;

  // The sleeper serves every show; null for real sleeps.
  CSaverSession(const CSettings& settings, CShowControl& control, unsigned int nSeedBase,
                std::shared_ptr<ISleeper> pSleeper = nullptr);
  // Waits for nothing: a thread still running keeps its own share of its show.
  ~CSaverSession();
  CSaverSession(const CSaverSession&) = delete;
  CSaverSession& operator=(const CSaverSession&) = delete;

  // A show at the frame's size; its thread starts with Start. The index it returns is its number.
  std::size_t AddShow(std::unique_ptr<CFrame> pFrame);
  // Starts every show's thread not started yet.
  void Start();

  std::size_t Count() const { return m_shows.size(); }
  CSlideShow& Show(std::size_t nShow);
  CFrame& Frame(std::size_t nShow);
  std::vector<CSlideShow*> Shows();

  // A key for every show: Next ends each show's picture, Pause holds them all.
  ESaverAction ActOnKey(unsigned nVirtualKey, bool bAltHeld);

  // Waits for every drawing thread within the one bound; true when all have ended.
  bool Wait(Clock::time_point deadline);
  // Clears the keep-running flag (opening the pause gate), then waits.
  bool Stop(Clock::time_point deadline);
  bool Stop(int nTimeoutMs) { return Stop(Clock::now() + std::chrono::milliseconds(nTimeoutMs)); }
  // True when every thread has ended (or none started).
  bool Stopped() const;
  // True when a show's thread ended because memory ran out.
  bool OutOfMemory() const;

  // Called on a show's drawing thread after each of its complete pictures,
  // numbered from 1. Set before the show's thread starts.
  std::function<void(std::size_t nShow, int nPicture, CSlideShow& show)> m_onPicture;

 private:
  struct CShowState;
  struct CSlot {
    std::shared_ptr<CShowState> pState;
    std::unique_ptr<CDrawThread> pThread;
  };

  const CSettings& m_settings;
  CShowControl& m_control;
  unsigned int m_nSeedBase;
  std::shared_ptr<ISleeper> m_pSleeper;
  std::function<void()> m_pictureLog;
  std::vector<CSlot> m_shows;
};

// The line that describes a finished picture: curve type and catalogue row,
// scheme, blanking, iterations and threshold.
std::string PictureLine(int nPicture, const CSlideShow& show);
