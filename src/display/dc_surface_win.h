#pragma once

#include "framework/win_api.h"

#include <atomic>

#include "display/surface.h"

// Draws through a device context of a window's client area. Open and Close
// run on the drawing thread, which holds the context for the whole show.
class CDcSurface : public ISurface {
 public:
  void Attach(HWND hWnd) { m_hWnd.store(hWnd); }
  void Open() override;
  void Close() override;
  void SetPixel(int x, int y, COLORREF colour) override;
  // The stock black brush: the surface may outlive the window that owns its
  // own brush when the window stops waiting for the thread.
  void FillBlack() override;

 private:
  std::atomic<HWND> m_hWnd{nullptr};
  HDC m_hDC = nullptr;
};
