#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "colour/colour_scheme.h"
#include "display/pacer.h"
#include "display/pixel_engine.h"
#include "display/plane_map.h"
#include "display/surface.h"

class CCurve;
class CPixelOrder;
class CShowControl;
struct CSettings;

// The page label of a blanking method bit (4, 8; anything else is Fast Fade).
const char* BlankingName(int nBlanking);

// One slide show of fractals: the drawing state of a drawing window and the
// frame cycle its drawing thread runs. Knows nothing of any window system and
// reaches for no global: it draws by the settings, stops and pauses by the
// control (which several shows may share) and draws through the surface and
// sleeper it is given, all of which must outlive it.
class CSlideShow {
 public:
  CSlideShow(const CSettings& settings, CShowControl& control, ISurface& surface,
             ISleeper& sleeper);
  virtual ~CSlideShow();
  CSlideShow(const CSlideShow&) = delete;
  CSlideShow& operator=(const CSlideShow&) = delete;

  // The drawing thread's body; seed is what the thread's generator starts from.
  int DrawThreadProc(unsigned int seed);

  void NewPicture();
  void ChooseBlanking();
  void BuildOrder();
  void DrawPixels();
  void PlotPixel(int x, int y);
  void FadeToBlack();
  void ClearToBlack();
  void FreeCurves();

  // Appends the catalogue's curves to the list.
  void BuildCatalogue();
  // The next curve from the list, rebuilt when empty.
  void ChooseCurve();
  // Curve n of the list becomes the current one (nothing happens for no such curve).
  void TakeCurve(int n);
  void ChooseScheme();

  // Sets the size of the drawing and of the plane mapping together.
  void SetSize(int nWidth, int nHeight);

  // Called on the drawing thread each time a picture has been drawn completely.
  std::function<void()> m_onPictureDone;

  // Set by the drawing thread when it has cleaned up.
  std::atomic<int> m_bThreadDone{0};

  std::vector<std::unique_ptr<CCurve>> m_curves;
  short m_nBlanking = 2;
  std::unique_ptr<CCurve> m_pCurve;
  CPlaneMap m_plane;
  // Declared before the scheme, which advances them when destroyed.
  CSchemeVariants m_variants;
  std::unique_ptr<CColourScheme> m_pScheme;
  int m_nWidth = 0;
  int m_nHeight = 0;
  std::atomic<int> m_bSwitchNow{1};
  std::unique_ptr<CPixelOrder> m_pOrder;
  std::atomic<int> m_bPictureDone{1};

  // The scheme bit chosen for the current picture (for names in reports).
  int m_nSchemeBit = 0;

  // How DrawPixels computes its pixels: null for one ColourAt at a time (the
  // reference), else several positions' pixels in one batch, which then runs
  // up to m_nBatchPositions positions ahead of the screen (0: enough to fill
  // the engine's lanes twice over).
  std::unique_ptr<CPixelEngine> m_pEngine;
  int m_nBatchPositions = 0;

 private:
  bool Running() const;
  void ShowCurve(std::unique_ptr<CCurve> pCurve);
  void ComputeBatch();
  void PlotBatchPosition();
  // Asks the pacer before the next position, with nLeft still to come;
  // true when it has slept, and the caller should look at its flags again.
  bool Paced(std::int64_t nLeft);

  const CSettings& m_settings;
  CShowControl& m_control;
  ISurface& m_surface;
  ISleeper& m_sleeper;

  // Pixels taken from the order and computed, not yet set: positions
  // [m_nBatchNext, m_nBatchSize), each of m_nBatchStride pixels.
  std::vector<int> m_batchX, m_batchY;
  std::vector<COLORREF> m_batchColours;
  int m_nBatchSize = 0;
  int m_nBatchNext = 0;
  int m_nBatchStride = 1;

  // Spreads the drawing over the drawing time, and a Wexly Fade over its part.
  CPacer m_pacer;
};
