#include "windows/framework/win_api.h"

#include "app/saver_app.h"
#include "windows/bitmap/bmp_dib_win.h"
#include "windows/display/drawing_wnd_win.h"
#include "display/saver_model.h"
#include "windows/framework/gdi_win.h"
#include "windows/framework/utf8_win.h"

void CPreviewWnd::SaveScreenshot() {
  CClientDC windowDC(m_hWnd);
  CMemoryDC memoryDC(windowDC.GetSafeHdc());
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(windowDC.GetSafeHdc(), Show().m_nWidth, Show().m_nHeight);
  {
    CSelectObject select(memoryDC.GetSafeHdc(), bitmap.Get());
    BitBlt(memoryDC.GetSafeHdc(), 0, 0, Show().m_nWidth, Show().m_nHeight, windowDC.GetSafeHdc(),
           0, 0, SRCCOPY);
  }
  // Read once the bitmap is out of the memory context: GetDIBits wants it so.
  CBmpDib dib;
  CaptureBitmap(dib, &bitmap);
  // A refused name (folder missing, path too long) loses the picture only.
  TakeScreenshot(
      theApp, [&](const std::string& name) { return SaveBmpDib(dib, Utf8ToWide(name)) != 0; },
      [] { theApp.SaveSequenceNo(); });
}
