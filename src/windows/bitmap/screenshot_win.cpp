#include "windows/framework/win_api.h"

#include "app/saver_app.h"
#include "windows/bitmap/bmp_dib_win.h"
#include "windows/display/drawing_wnd_win.h"
#include "display/saver_model.h"
#include "windows/framework/gdi_win.h"
#include "windows/framework/utf8_win.h"

void CPreviewWnd::SaveScreenshot() {
  // What is shown is the frame as it stands: its last changes go first.
  if (m_pPresenter) m_pPresenter->Present();
  RECT rc{};
  GetClientRect(m_hWnd, &rc);
  const int width = rc.right - rc.left, height = rc.bottom - rc.top;
  CClientDC windowDC(m_hWnd);
  CMemoryDC memoryDC(windowDC.GetSafeHdc());
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(windowDC.GetSafeHdc(), width, height);
  {
    CSelectObject select(memoryDC.GetSafeHdc(), bitmap.Get());
    BitBlt(memoryDC.GetSafeHdc(), 0, 0, width, height, windowDC.GetSafeHdc(), 0, 0, SRCCOPY);
  }
  // Read once the bitmap is out of the memory context: GetDIBits wants it so.
  CBmpDib dib;
  CaptureBitmap(dib, &bitmap);
  // A refused name (folder missing, path too long) loses the picture only.
  TakeScreenshot(
      theApp, [&](const std::string& name, OutputMode mode) { return SaveBmpDib(dib, Utf8ToWide(name), mode); },
      [] { return theApp.SaveSequenceNo(); });
}
