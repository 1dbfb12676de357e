#include "display/slide_show.h"

#include <algorithm>

#include "app/random.h"
#include "app/settings_table.h"
#include "app/show_control.h"
#include "colour/scheme_registry.h"
#include "display/pixel_order.h"
#include "fractal/catalogue.h"
#include "fractal/curve.h"

namespace {
// A Wexly Fade takes a tenth of the drawing time, and never more than this.
constexpr std::int64_t kMaxFadeMs = 3000;
}  // namespace

const char* BlankingName(int nBlanking) {
  switch (nBlanking) {
    case 4: return "Wexly Fade";
    case 8: return "No Fade";
    default: return "Fast Fade";
  }
}

CSlideShow::CSlideShow(const CSettings& settings, CShowControl& control, ISurface& surface,
                       ISleeper& sleeper)
    : m_pEngine(std::make_unique<CPixelEngine>(EngineKind::kVector, 1)),
      m_settings(settings), m_control(control), m_surface(surface), m_sleeper(sleeper) {}

CSlideShow::~CSlideShow() = default;

bool CSlideShow::Running() const { return m_control.Running(); }

void CSlideShow::SetSize(int nWidth, int nHeight) {
  m_nWidth = nWidth;
  m_nHeight = nHeight;
  m_plane.m_nWidth = nWidth;
  m_plane.m_nHeight = nHeight;
}

int CSlideShow::DrawThreadProc(unsigned int seed) {
  m_bThreadDone.store(0);
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
  m_bThreadDone.store(1);
  return 0;
}

void CSlideShow::NewPicture() {
  if (m_bSwitchNow.load()) m_sleeper.Sleep(50);
  ChooseCurve();
  ChooseScheme();
  ChooseBlanking();
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
  if (m_nBlanking == 4)
    FadeToBlack();
  else if (m_nBlanking != 8)
    ClearToBlack();
  // A hand-edited negative time paces nothing.
  m_pacer.Start(m_sleeper, m_pOrder ? m_pOrder->Remaining() : 0,
                std::max(0, m_settings.m_nDrawingTime) * std::int64_t{1000});
  m_bPictureDone.store(0);
}

void CSlideShow::ChooseBlanking() {
  const int mask = m_settings.m_nBlankingMethod;
  if (m_bSwitchNow.load() || mask == 0) {
    m_nBlanking = 2;
  } else if (mask == 4 || mask == 2 || mask == 8) {
    m_nBlanking = static_cast<short>(mask);
  } else if ((mask & 0xE) == 0) {
    // No known method bit (a hand-edited store): no draw could ever match.
    m_nBlanking = 2;
  } else {
    int b = 0;
    do {
      b = Rand() % 3 + 1;
    } while ((mask & (1 << b)) == 0);
    m_nBlanking = static_cast<short>(1 << b);
  }
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
      if (m_nBatchNext == m_nBatchSize) ComputeBatch();
      PlotBatchPosition();
      continue;
    }
    int x = 0, y = 0;
    m_pOrder->Take(x, y);
    PlotPixel(x, y);
    if (!m_settings.m_bExtraMemory) {
      PlotPixel(x + 1, y);
      PlotPixel(x, y + 1);
      PlotPixel(x + 1, y + 1);
    }
  }
}

// Takes positions exactly as the reference loop would, only earlier.
void CSlideShow::ComputeBatch() {
  m_nBatchStride = m_settings.m_bExtraMemory ? 1 : 4;
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
    int x = 0, y = 0;
    m_pOrder->Take(x, y);
    int* px = &m_batchX[static_cast<std::size_t>(n) * m_nBatchStride];
    int* py = &m_batchY[static_cast<std::size_t>(n) * m_nBatchStride];
    px[0] = x;
    py[0] = y;
    if (m_nBatchStride == 4) {
      px[1] = x + 1, py[1] = y;
      px[2] = x, py[2] = y + 1;
      px[3] = x + 1, py[3] = y + 1;
    }
    ++n;
  }
  m_pEngine->Colours(m_plane, m_pScheme.get(), m_batchX.data(), m_batchY.data(),
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
        Running() ? m_batchColours[i] : m_plane.ColourAt(m_batchX[i], m_batchY[i], m_pScheme.get());
    m_surface.SetPixel(m_batchX[i], m_batchY[i], colour);
  }
}

void CSlideShow::PlotPixel(int x, int y) {
  m_surface.SetPixel(x, y, m_plane.ColourAt(x, y, m_pScheme.get()));
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
  for (;;) {
    if (!m_pOrder || m_pOrder->done()) {
      BuildOrder();
      return;
    }
    if (!Running()) return;
    m_control.WaitWhilePaused();
    if (Paced(m_pOrder->Remaining())) continue;
    int x = 0, y = 0;
    m_pOrder->Take(x, y);
    m_surface.SetPixel(x, y, 0);
    if (!m_settings.m_bExtraMemory) {
      m_surface.SetPixel(x + 1, y, 0);
      m_surface.SetPixel(x, y + 1, 0);
      m_surface.SetPixel(x + 1, y + 1, 0);
    }
  }
}

void CSlideShow::ClearToBlack() { m_surface.FillBlack(); }

void CSlideShow::FreeCurves() {
  m_pCurve.reset();
  m_plane.m_pCurve = nullptr;
  m_curves.clear();
}

void CSlideShow::BuildCatalogue() {
  for (std::unique_ptr<CCurve>& pCurve : BuildCatalogueCurves(m_settings, m_control.m_bRunning))
    m_curves.push_back(std::move(pCurve));
}

// Each curve leaves the list when shown and the list is rebuilt only when
// empty, so every admitted entry is shown once before any is shown again.
void CSlideShow::ChooseCurve() {
  if (m_curves.empty()) BuildCatalogue();
  // Out of memory: keep drawing the current curve rather than none.
  if (std::unique_ptr<CCurve> pCurve = ChooseCurveFrom(m_curves, m_control.m_bRunning))
    ShowCurve(std::move(pCurve));
}

void CSlideShow::TakeCurve(int n) {
  if (std::unique_ptr<CCurve> pCurve = TakeCurveFrom(m_curves, n)) ShowCurve(std::move(pCurve));
}

void CSlideShow::ShowCurve(std::unique_ptr<CCurve> pCurve) {
  m_pCurve = std::move(pCurve);
  m_plane.m_pCurve = m_pCurve.get();
  m_plane.m_x0 = m_pCurve->m_x0;
  m_plane.m_y0 = m_pCurve->m_y0;
  m_plane.m_x1 = m_pCurve->m_x1;
  m_plane.m_y1 = m_pCurve->m_y1;
}

void CSlideShow::ChooseScheme() {
  CChosenScheme chosen = ChooseSchemeFor(m_settings.m_nColourScheme, m_variants);
  // Out of memory: the previous scheme colours the next picture too.
  if (!chosen.pScheme) return;
  // Replacing destroys the previous scheme, which advances a Metallic or
  // Aluminium Foils channel order before the new scheme draws anything.
  m_pScheme = std::move(chosen.pScheme);
  m_nSchemeBit = chosen.nBit;
}
