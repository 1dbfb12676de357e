#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "display/pixel_engine.h"
#include "display/plane_map.h"
#include "display/surface.h"

class CCurve;
class CColourScheme;
class CPixelOrder;

// The page label of a blanking method bit (4, 8; anything else is Fast Fade).
const char* BlankingName(int nBlanking);

// One slide show of fractals: the drawing state of a drawing window and the
// frame cycle its drawing thread runs. Knows nothing of any window system.
class CSlideShow {
 public:
  CSlideShow(ISurface& surface, ISleeper& sleeper);
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

  // Defined with the curve selection and the catalogue.
  void ChooseCurve();
  void TakeCurve(int n);
  void BuildCatalogue();
  // Defined with the colour-scheme selection.
  void ChooseScheme();

  // Sets the size of the drawing and of the plane mapping together.
  void SetSize(int nWidth, int nHeight);

  // Called on the drawing thread each time a picture has been drawn completely.
  std::function<void()> m_onPictureDone;

  std::vector<std::unique_ptr<CCurve>> m_curves;
  short m_nBlanking = 2;
  std::unique_ptr<CCurve> m_pCurve;
  CPlaneMap m_plane;
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
  void ComputeBatch();
  void PlotBatchPosition();

  ISurface& m_surface;
  ISleeper& m_sleeper;

  // Pixels taken from the order and computed, not yet set: positions
  // [m_nBatchNext, m_nBatchSize), each of m_nBatchStride pixels.
  std::vector<int> m_batchX, m_batchY;
  std::vector<COLORREF> m_batchColours;
  int m_nBatchSize = 0;
  int m_nBatchNext = 0;
  int m_nBatchStride = 1;
};
