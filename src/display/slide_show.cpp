#include "display/slide_show.h"

#include <algorithm>

#include "app/random.h"
#include "app/settings_table.h"
#include "app/show_control.h"
#include "display/blanking.h"
#include "display/pixel_order.h"
#include "fractal/curve.h"

namespace {
// A Wexly Fade takes a tenth of the drawing time, and never more than this.
constexpr std::int64_t kMaxFadeMs = 3000;
// The most pixels one position of the order stands for.
constexpr int kBlockPixels = 4;
}  // namespace

CSlideShow::CSlideShow(const CSettings& settings, CShowControl& control, ISurface& surface,
                       ISleeper& sleeper)
    : m_settings(settings), m_control(control), m_surface(surface), m_sleeper(sleeper),
      m_deck(settings, control.m_bRunning),
      m_pEngine(std::make_unique<CPixelEngine>(EngineKind::kVector, 1)) {}

CSlideShow::~CSlideShow() = default;

bool CSlideShow::Running() const { return m_control.Running(); }

void CSlideShow::SetSize(int nWidth, int nHeight) {
  m_nWidth = nWidth;
  m_nHeight = nHeight;
  m_plane.m_nWidth = nWidth;
  m_plane.m_nHeight = nHeight;
}

void CSlideShow::SetEngine(std::unique_ptr<CPixelEngine> pEngine, int nBatchPositions) {
  m_pEngine = std::move(pEngine);
  m_nBatchPositions = nBatchPositions;
}

void CSlideShow::Next() {
  m_bPictureDone.store(1);
  m_bSwitchNow.store(1);
}

int CSlideShow::DrawThreadProc(unsigned int seed) {
  SRand(seed);
  m_surface.Open();
  m_surface.FillBlack();
  while (Running()) {
    m_control.WaitWhilePaused();
    if (m_bPictureDone.load())
      NewPicture();
    else
      DrawPixels();
  }
  m_surface.Close();
  m_pOrder.reset();
  FreeCurves();
  return 0;
}

void CSlideShow::NewPicture() {
  if (m_bSwitchNow.load()) m_sleeper.Sleep(50);
  ChooseCurve();
  m_schemes.Choose(m_settings.m_nColourScheme);
  m_nBlanking = ChooseBlanking(m_settings.m_nBlankingMethod, m_bSwitchNow.load() != 0);
  if (!Running()) return;
  BuildOrder();
  if (!Running()) return;
  int n = 0;
  if (m_bSwitchNow.load()) {
    m_bSwitchNow.store(0);
  } else {
    n = m_settings.m_nCompletionDelay / 100;
  }
  for (int i = 0; i < n; ++i) {
    if (!Running()) return;
    m_sleeper.Sleep(100);
    m_control.WaitWhilePaused();
  }
  if (!Running()) return;
  if (m_nBlanking == kWexlyFade)
    FadeToBlack();
  else if (m_nBlanking != kNoFade)
    m_surface.FillBlack();
  // A hand-edited negative time paces nothing.
  m_pacer.Start(m_sleeper, m_pOrder ? m_pOrder->Remaining() : 0,
                std::max(0, m_settings.m_nDrawingTime) * std::int64_t{1000});
  m_bPictureDone.store(0);
}

void CSlideShow::BuildOrder() {
  if (m_nWidth == 0 || m_nHeight == 0) return;
  m_nBatchSize = m_nBatchNext = 0;
  m_pOrder.reset();
  if (m_settings.m_bExtraMemory)
    m_pOrder = std::make_unique<CPixelOrder>(m_nWidth, m_nHeight);
  else
    m_pOrder = std::make_unique<CPixelOrder>(m_nWidth / 2, m_nHeight / 2);
  m_pOrder->Fill(m_settings.m_bExtraMemory);
}

void CSlideShow::DrawPixels() {
  std::uint32_t& rand = RandState();
  for (;;) {
    // A zero-sized window has no list; its picture is complete at once.
    if (m_nBatchNext == m_nBatchSize && (!m_pOrder || m_pOrder->done())) {
      m_bPictureDone.store(1);
      if (m_onPictureDone) m_onPictureDone();
      return;
    }
    if (!Running()) return;
    if (m_bPictureDone.load()) return;
    m_control.WaitWhilePaused();
    if (Paced(m_pOrder->Remaining() + (m_nBatchSize - m_nBatchNext))) continue;
    if (m_pEngine) {
      if (m_nBatchNext == m_nBatchSize) ComputeBatch(rand);
      PlotBatchPosition();
      continue;
    }
    int xs[kBlockPixels], ys[kBlockPixels];
    const int n = TakeBlock(xs, ys, rand);
    for (int i = 0; i < n; ++i)
      m_surface.SetPixel(xs[i], ys[i], m_plane.ColourAt(xs[i], ys[i], m_schemes.Scheme()));
  }
}

int CSlideShow::TakeBlock(int* px, int* py, std::uint32_t& rand) {
  int x = 0, y = 0;
  m_pOrder->Take(x, y, rand);
  px[0] = x;
  py[0] = y;
  if (m_settings.m_bExtraMemory) return 1;
  // Without Extra Memory the order is of half the size, each position the
  // top left of a 2x2 block.
  px[1] = x + 1, py[1] = y;
  px[2] = x, py[2] = y + 1;
  px[3] = x + 1, py[3] = y + 1;
  return kBlockPixels;
}

// Takes positions exactly as the reference loop would, only earlier.
void CSlideShow::ComputeBatch(std::uint32_t& rand) {
  m_nBatchStride = m_settings.m_bExtraMemory ? 1 : kBlockPixels;
  int positions = m_nBatchPositions;
  if (positions <= 0) positions = 2 * m_pEngine->Lanes() / m_nBatchStride;
  if (positions < 1) positions = 1;
  const std::size_t pixels = static_cast<std::size_t>(positions) * m_nBatchStride;
  if (m_batchX.size() < pixels) {
    m_batchX.resize(pixels);
    m_batchY.resize(pixels);
    m_batchColours.resize(pixels);
  }
  int n = 0;
  while (n < positions && !m_pOrder->done()) {
    const std::size_t first = static_cast<std::size_t>(n) * m_nBatchStride;
    TakeBlock(&m_batchX[first], &m_batchY[first], rand);
    ++n;
  }
  m_pEngine->Colours(m_plane, m_schemes.Scheme(), m_batchX.data(), m_batchY.data(),
                     static_cast<std::size_t>(n) * m_nBatchStride, m_batchColours.data());
  m_nBatchSize = n;
  m_nBatchNext = 0;
}

void CSlideShow::PlotBatchPosition() {
  const std::size_t first = static_cast<std::size_t>(m_nBatchNext++) * m_nBatchStride;
  for (std::size_t i = first; i < first + m_nBatchStride; ++i) {
    // Once closing, the rest goes as the reference would draw it: the batch
    // may have finished a pixel the reference would have cut short.
    const COLORREF colour =
        Running() ? m_batchColours[i] : m_plane.ColourAt(m_batchX[i], m_batchY[i], m_schemes.Scheme());
    m_surface.SetPixel(m_batchX[i], m_batchY[i], colour);
  }
}

bool CSlideShow::Paced(std::int64_t nLeft) {
  const int nMs = m_pacer.WaitBefore(nLeft);
  if (nMs == 0) return false;
  m_sleeper.Sleep(nMs);
  return true;
}

void CSlideShow::FadeToBlack() {
  const std::int64_t nSpanMs =
      std::clamp<std::int64_t>(m_settings.m_nDrawingTime * std::int64_t{100}, 0, kMaxFadeMs);
  m_pacer.Start(m_sleeper, m_pOrder ? m_pOrder->Remaining() : 0, nSpanMs);
  std::uint32_t& rand = RandState();
  for (;;) {
    if (!m_pOrder || m_pOrder->done()) {
      BuildOrder();
      return;
    }
    if (!Running()) return;
    m_control.WaitWhilePaused();
    if (Paced(m_pOrder->Remaining())) continue;
    int xs[kBlockPixels], ys[kBlockPixels];
    const int n = TakeBlock(xs, ys, rand);
    for (int i = 0; i < n; ++i) m_surface.SetPixel(xs[i], ys[i], 0);
  }
}

void CSlideShow::FreeCurves() {
  m_plane.SetCurve(nullptr);
  m_pCurve.reset();
  m_deck.Clear();
}

void CSlideShow::ChooseCurve() {
  std::unique_ptr<CCurve> pCurve = m_deck.Deal();
  // Out of memory: keep drawing the current curve rather than none.
  if (!pCurve) return;
  m_pCurve = std::move(pCurve);
  m_plane.SetCurve(m_pCurve.get());
}
