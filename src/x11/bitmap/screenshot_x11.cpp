#include "x11/bitmap/screenshot_x11.h"

#include "app/saver_app.h"
#include "bitmap/bmp_writer.h"
#include "display/saver_model.h"

bool SaveScreenshot(CSaverApp& app, int nWidth, int nHeight, const std::vector<COLORREF>& pixels) {
  return TakeScreenshot(
      app, [&](const std::string& name, OutputMode mode) { return WriteBmp24(name, nWidth, nHeight, pixels, mode); },
      [&app] { return app.SaveSequenceNo(); });
}
