#include "windows/display/dc_surface_win.h"

void CDcSurface::Open() {
  m_bOpen = true;
  if (!m_hDC) m_hDC = GetDC(m_hWnd.load());
}

void CDcSurface::Close() {
  if (m_hDC) ReleaseDC(m_hWnd.load(), m_hDC);
  m_hDC = nullptr;
  m_bOpen = false;
}

HDC CDcSurface::Dc() {
  // A relaxed look first: this runs for every pixel.
  if (m_bRenew.load(std::memory_order_relaxed) && m_bRenew.exchange(false) && m_bOpen) {
    if (m_hDC) ReleaseDC(m_hWnd.load(), m_hDC);
    m_hDC = GetDC(m_hWnd.load());
  }
  return m_hDC;
}

void CDcSurface::SetPixel(int x, int y, COLORREF colour) {
  // Results are not looked at: a window that has gone simply shows nothing.
  if (HDC hDC = Dc()) ::SetPixelV(hDC, x, y, colour);
}

void CDcSurface::FillBlack() {
  HDC hDC = Dc();
  if (!hDC) return;
  RECT rc{};
  GetClientRect(m_hWnd.load(), &rc);
  FillRect(hDC, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}
