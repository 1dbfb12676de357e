#pragma once

#include <string>

#include "bitmap/dib.h"

class CBitmap;

// A picture that writes itself as a BMP file, keeping its colour table in
// index form between saves when a palette holds its colours.
class CBmpDib : public CDib {
 public:
  CBmpDib() = default;
  // Captures a device bitmap (null gives an empty object); defined in the
  // Windows build, which alone has device bitmaps.
  explicit CBmpDib(CBitmap* pBitmap);

  // Non-zero when the file was written completely.
  int Save(const std::string& strName);

  std::string m_strFileName;  // the path last saved
};
