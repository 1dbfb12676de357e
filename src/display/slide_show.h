#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "colour/scheme_choice.h"
#include "display/pacer.h"
#include "display/pixel_engine.h"
#include "display/plane_map.h"
#include "display/surface.h"
#include "fractal/curve_deck.h"

class CCurve;
class CPixelOrder;
class CShowControl;
struct CSettings;

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

  // The size of the drawing; set before the thread starts.
  void SetSize(int nWidth, int nHeight);
  // How pixels are computed: null for one ColourAt at a time (the reference),
  // else several positions' pixels in one batch, which then runs up to
  // nBatchPositions positions ahead of the screen (0: enough to fill the
  // engine's lanes twice over). A vector engine until set.
  void SetEngine(std::unique_ptr<CPixelEngine> pEngine, int nBatchPositions = 0);

  // The drawing thread's body; seed is what the thread's generator starts from.
  int DrawThreadProc(unsigned int seed);

  // Ends the picture being drawn; the next comes at once, with a Fast Fade.
  // Safe from any thread.
  void Next();
  // From Next (or the start) until the next picture has been chosen.
  bool NextPending() const { return m_bSwitchNow.load() != 0; }

  // Called on the drawing thread each time a picture has been drawn completely.
  std::function<void()> m_onPictureDone;

  // The current picture's curve (null before the first and after the thread
  // has ended), scheme bit and blanking method, for the report line.
  const CCurve* Curve() const { return m_pCurve.get(); }
  int SchemeBit() const { return m_schemes.Bit(); }
  int Blanking() const { return m_nBlanking; }

 private:
  bool Running() const;
  void NewPicture();
  void ChooseCurve();
  void BuildOrder();
  void DrawPixels();
  void FadeToBlack();
  void FreeCurves();
  // Takes one position of the order; returns how many pixels it stands for.
  // rand is the drawing thread's random state, looked up once per loop:
  // MinGW emulates thread-local storage behind a lock.
  int TakeBlock(int* px, int* py, std::uint32_t& rand);
  void ComputeBatch(std::uint32_t& rand);
  void PlotBatchPosition();
  // Asks the pacer before the next position, with nLeft still to come;
  // true when it has slept, and the caller should look at its flags again.
  bool Paced(std::int64_t nLeft);

  const CSettings& m_settings;
  CShowControl& m_control;
  ISurface& m_surface;
  ISleeper& m_sleeper;

  CCurveDeck m_deck;
  std::unique_ptr<CCurve> m_pCurve;
  CPlaneMap m_plane;
  CSchemeChoice m_schemes;
  int m_nBlanking = 2;
  int m_nWidth = 0;
  int m_nHeight = 0;
  std::unique_ptr<CPixelOrder> m_pOrder;
  std::atomic<int> m_bSwitchNow{1};
  std::atomic<int> m_bPictureDone{1};

  std::unique_ptr<CPixelEngine> m_pEngine;
  int m_nBatchPositions = 0;
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
