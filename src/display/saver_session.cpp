#include "display/saver_session.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "app/show_control.h"
#include "colour/scheme_registry.h"
#include "display/blanking.h"
#include "display/draw_thread.h"
#include "display/picture_log.h"
#include "display/slide_show.h"
#include "fractal/curve.h"

struct CSaverSession::CShowState {
  CShowState(const CSettings& settings, CShowControl& control, std::unique_ptr<CFrame> pFrameIn,
             std::shared_ptr<ISleeper> pSleeperIn)
      : pFrame(std::move(pFrameIn)),
        pSleeper(std::move(pSleeperIn)),
        show(settings, control, *pFrame, *pSleeper) {
    show.SetSize(pFrame->Width(), pFrame->Height());
  }
  std::unique_ptr<CFrame> pFrame;
  std::shared_ptr<ISleeper> pSleeper;
  CSlideShow show;
  int nPictures = 0;
};

CSaverSession::CSaverSession(const CSettings& settings, CShowControl& control, unsigned int nSeedBase,
                             std::shared_ptr<ISleeper> pSleeper)
    : m_settings(settings),
      m_control(control),
      m_nSeedBase(nSeedBase),
      m_pSleeper(pSleeper ? std::move(pSleeper) : std::make_shared<CRealSleeper>()),
      m_pictureLog(PictureLogFromEnvironment()) {}

CSaverSession::~CSaverSession() = default;

std::size_t CSaverSession::AddShow(std::unique_ptr<CFrame> pFrame) {
  CSlot slot;
  slot.pState = std::make_shared<CShowState>(m_settings, m_control, std::move(pFrame), m_pSleeper);
  m_shows.push_back(std::move(slot));
  return m_shows.size() - 1;
}

void CSaverSession::Start() {
  for (std::size_t i = 0; i < m_shows.size(); ++i) {
    CSlot& slot = m_shows[i];
    if (slot.pThread) continue;
    CShowState* pState = slot.pState.get();
    // The callbacks are copied: the session may go before a thread that
    // outlived the close.
    pState->show.m_onPictureDone = [pState, i, onPicture = m_onPicture,
                                    log = i == 0 ? m_pictureLog : std::function<void()>()] {
      ++pState->nPictures;
      if (onPicture) onPicture(i, pState->nPictures, pState->show);
      if (log) log();
    };
    slot.pThread = std::make_unique<CDrawThread>();
    slot.pThread->Start(std::shared_ptr<CSlideShow>(slot.pState, &pState->show),
                        m_nSeedBase + static_cast<unsigned int>(i));
  }
}

CSlideShow& CSaverSession::Show(std::size_t nShow) { return m_shows.at(nShow).pState->show; }
CFrame& CSaverSession::Frame(std::size_t nShow) { return *m_shows.at(nShow).pState->pFrame; }

std::vector<CSlideShow*> CSaverSession::Shows() {
  std::vector<CSlideShow*> shows;
  for (CSlot& slot : m_shows) shows.push_back(&slot.pState->show);
  return shows;
}

ESaverAction CSaverSession::ActOnKey(unsigned nVirtualKey, bool bAltHeld) {
  const std::vector<CSlideShow*> shows = Shows();
  return ::ActOnKey(nVirtualKey, bAltHeld, m_settings, m_control, shows);
}

bool CSaverSession::Wait(Clock::time_point deadline) {
  bool bAll = true;
  for (CSlot& slot : m_shows) {
    if (!slot.pThread) continue;
    const auto now = Clock::now();
    const long long left =
        deadline <= now ? 0 : std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count();
    if (!slot.pThread->WaitDone(static_cast<int>(std::min<long long>(left, INT_MAX)))) bAll = false;
  }
  return bAll;
}

bool CSaverSession::Stop(Clock::time_point deadline) {
  m_control.StopRunning();
  return Wait(deadline);
}

bool CSaverSession::OutOfMemory() const {
  for (const auto& slot : m_shows)
    if (slot.pThread && slot.pThread->OutOfMemory()) return true;
  return false;
}

bool CSaverSession::Stopped() const {
  for (const CSlot& slot : m_shows)
    if (slot.pThread && !slot.pThread->Done()) return false;
  return true;
}

std::string PictureLine(int nPicture, const CSlideShow& show) {
  const CCurve* curve = show.Curve();
  if (!curve) return {};
  const std::string entry = curve->m_nRow ? std::to_string(curve->m_nRow) : "default";
  const char* scheme = SchemeName(show.SchemeBit());
  char line[256];
  std::snprintf(line, sizeof line, "picture %d: %s %s scheme %s blanking %s iterations %d threshold %.17g",
                nPicture, CurveTypeName(curve->m_nTypeBit), entry.c_str(), scheme ? scheme : "Rainbow",
                BlankingName(show.Blanking()), curve->m_nIterations, curve->m_dBailout);
  return line;
}
