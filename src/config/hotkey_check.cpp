#include "config/hotkey_check.h"

std::size_t Utf8Length(const std::string& text) {
  // Counted in UTF-16 units, as the edit box and the file name buffer see it.
  std::size_t n = 0;
  for (unsigned char c : text) {
    if ((c & 0xC0) == 0x80) continue;
    n += (c >= 0xF0) ? 2 : 1;
  }
  return n;
}
