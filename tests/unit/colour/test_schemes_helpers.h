#pragma once

#include <ostream>

#include "colour/colour.h"

// A colour as a printable (R, G, B) triple, so that failures read like the tables.
struct Rgb {
  unsigned r, g, b;
  bool operator==(const Rgb&) const = default;
};

inline Rgb ToRgb(COLORREF c) { return {RedOf(c), GreenOf(c), BlueOf(c)}; }

inline std::ostream& operator<<(std::ostream& os, const Rgb& c) {
  return os << '(' << c.r << ", " << c.g << ", " << c.b << ')';
}
