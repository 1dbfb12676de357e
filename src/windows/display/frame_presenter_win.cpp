#include "windows/display/frame_presenter_win.h"

#include <cstdint>

#include "windows/framework/gdi_win.h"

CFramePresenter::~CFramePresenter() {
  if (!m_hMemoryDC) return;
  SelectObject(m_hMemoryDC, m_hOldBitmap);
  DeleteDC(m_hMemoryDC);
}

std::unique_ptr<CFrame> CFramePresenter::MakeFrame(int nWidth, int nHeight) {
  if (m_hMemoryDC || nWidth <= 0 || nHeight <= 0) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = nWidth;
  info.bmiHeader.biHeight = -nHeight;  // top down, as the frame's rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pBits = nullptr;
  HBITMAP hBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
  if (!hBitmap || !pBits) {
    if (hBitmap) DeleteObject(hBitmap);
    return nullptr;
  }
  m_hMemoryDC = CreateCompatibleDC(nullptr);
  if (!m_hMemoryDC) {
    DeleteObject(hBitmap);
    return nullptr;
  }
  m_hOldBitmap = SelectObject(m_hMemoryDC, hBitmap);
  // A 32-bit BI_RGB section holds blue in the low byte: the default layout.
  return std::make_unique<CFrame>(nWidth, nHeight, CPixelFormat(), static_cast<std::uint32_t*>(pBits),
                                  [hBitmap](std::uint32_t*) { DeleteObject(hBitmap); });
}

bool CFramePresenter::Present() {
  // A standing picture costs a look at the marks, no call into the system.
  if (!m_pFrame || !m_hMemoryDC || !m_pFrame->AnyChanged()) return false;
  CClientDC dc(m_hWnd);
  if (!dc.GetSafeHdc()) return false;
  m_hTarget = dc.GetSafeHdc();
  const bool bAny = PresentChanges(*m_pFrame, *this);
  m_hTarget = nullptr;
  return bAny;
}

void CFramePresenter::Paint(HDC hDC, const RECT& rcPaint) {
  if (!m_pFrame || !m_hMemoryDC) return;
  m_hTarget = hDC;
  PresentRect(rcPaint.left, rcPaint.top, rcPaint.right - rcPaint.left, rcPaint.bottom - rcPaint.top);
  m_hTarget = nullptr;
}

void CFramePresenter::PresentRows(int y, int nRows) { PresentRect(0, y, m_pFrame->Width(), nRows); }

void CFramePresenter::PresentRect(int x, int y, int nWidth, int nHeight) {
  // Results are not looked at: a window that has gone simply shows nothing.
  if (m_hTarget) BitBlt(m_hTarget, x, y, nWidth, nHeight, m_hMemoryDC, x, y, SRCCOPY);
}
