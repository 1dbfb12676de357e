#include "bitmap/screenshot_win.h"

#include "framework/win_api.h"

#include <cstdio>

#include "app/profile_registry_win.h"
#include "app/saver_app.h"
#include "bitmap/bmp_dib_win.h"
#include "display/preview_wnd_win.h"
#include "framework/gdi_win.h"

int NextSequenceNo(int nLast) {
  // A hand-edited number outside 0 to 10000 counts as wrapped: neither
  // overflow at the top of the int range nor negative names.
  if (nLast >= 10000 || nLast < 0) return 0;
  return nLast + 1;
}

std::wstring ScreenshotFileName(const std::string& strFolder, int nSequenceNo) {
  wchar_t number[16];
  std::swprintf(number, std::size(number), L"%05d", nSequenceNo);
  return Utf8ToWide(strFolder) + L"\\Wexly Fractals " + number + L".bmp";
}

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
  CBmpDib dib(&bitmap);
  theApp.m_nSequenceNo = NextSequenceNo(theApp.m_nSequenceNo);
  // A refused name (folder missing, path too long) loses the picture only;
  // the number has advanced all the same.
  SaveBmpDib(dib, ScreenshotFileName(theApp.m_strFileLocation, theApp.m_nSequenceNo));
  theApp.SaveSequenceNo();
}
