#pragma once

#include "windows/framework/win_api.h"

#include <atomic>

#include "display/surface.h"

// Draws through a device context of a window's client area. Open and Close
// run on the drawing thread, which holds the context for the whole show.
class CDcSurface : public ISurface {
 public:
  void Attach(HWND hWnd) { m_hWnd.store(hWnd); }
  // Called on the window's thread when the window has been shown or moved.
  // A context taken before may stay bound to a drawing surface the system
  // has since replaced (under Wine a show then drew into nothing for its
  // whole life in about one start of twenty), so the drawing thread takes a
  // fresh one before its next pixel.
  void Renew() { m_bRenew.store(true, std::memory_order_release); }
  void Open() override;
  void Close() override;
  void SetPixel(int x, int y, COLORREF colour) override;
  // The stock black brush: the surface may outlive the window that owns its
  // own brush when the window stops waiting for the thread.
  void FillBlack() override;

 private:
  // The context to draw with, renewed first when the window asked for it.
  HDC Dc();

  std::atomic<HWND> m_hWnd{nullptr};
  std::atomic<bool> m_bRenew{false};
  bool m_bOpen = false;
  HDC m_hDC = nullptr;
};
