#include "screenshot.h"

#include <cstdio>

#include "app/saver_app.h"
#include "bitmap/bmp_writer.h"

int NextSequenceNo(int nSequenceNo) {
  // A hand-edited number outside 0 to 10000 counts as wrapped: neither
  // overflow at the top of the int range nor negative names.
  if (nSequenceNo >= 10000 || nSequenceNo < 0) return 0;
  return nSequenceNo + 1;
}

std::string ScreenshotName(const std::string& strFolder, int nSequenceNo) {
  char tail[40];
  std::snprintf(tail, sizeof tail, "/Wexly Fractals %05ld.bmp", static_cast<long>(nSequenceNo));
  return strFolder + tail;
}

bool SaveScreenshot(CSaverApp& app, int nWidth, int nHeight, const std::vector<COLORREF>& pixels) {
  app.m_nSequenceNo = NextSequenceNo(app.m_nSequenceNo);
  const std::string name = ScreenshotName(app.m_strFileLocation, app.m_nSequenceNo);
  const bool written = WriteBmp24(name, nWidth, nHeight, pixels) != 0;
  app.SaveSequenceNo();
  return written;
}
