#include "display/dc_surface_win.h"

void CDcSurface::Open() {
  if (!m_hDC) m_hDC = GetDC(m_hWnd.load());
}

void CDcSurface::Close() {
  if (m_hDC) ReleaseDC(m_hWnd.load(), m_hDC);
  m_hDC = nullptr;
}

void CDcSurface::SetPixel(int x, int y, COLORREF colour) {
  // Results are not looked at: a window that has gone simply shows nothing.
  if (m_hDC) ::SetPixelV(m_hDC, x, y, colour);
}

void CDcSurface::FillBlack() {
  if (!m_hDC) return;
  RECT rc{};
  GetClientRect(m_hWnd.load(), &rc);
  FillRect(m_hDC, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}
