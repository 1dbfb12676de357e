#pragma once

#include <string>

#include "bitmap/dib.h"

// A picture that writes itself as a BMP file, keeping its colour table in
// index form between saves when a palette holds its colours.
class CBmpDib : public CDib {
 public:
  // Non-zero when the file was written completely.
  int Save(const std::string& strName);

  std::string m_strFileName;  // the path last saved
};
