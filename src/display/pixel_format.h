#pragma once

#include <cstdint>

#include "colour/colour.h"

// Turns colour values into a platform's 32-bit pixels and back, from its
// channel masks (a TrueColor visual's, a DIB section's); a channel wider
// than 8 bits gets the colour in its top 8 bits. The default is the layout
// of a 32-bit DIB section and of the usual X visual: blue in the low byte.
class CPixelFormat {
 public:
  CPixelFormat() : CPixelFormat(0xFF0000, 0x00FF00, 0x0000FF) {}
  CPixelFormat(std::uint32_t redMask, std::uint32_t greenMask, std::uint32_t blueMask);

  std::uint32_t ToPixel(COLORREF colour) const {
    return Put(RedOf(colour), m_red) | Put(GreenOf(colour), m_green) | Put(BlueOf(colour), m_blue);
  }
  COLORREF ToColour(std::uint32_t pixel) const {
    return MakeColour(Get(pixel, m_red), Get(pixel, m_green), Get(pixel, m_blue));
  }

 private:
  struct Channel {
    int nShift = 0;  // of the channel's lowest bit
    int nBits = 8;
  };
  static Channel FromMask(std::uint32_t mask);
  static std::uint32_t Put(unsigned value, Channel c) {
    return static_cast<std::uint32_t>(value >> (8 - c.nBits)) << c.nShift;
  }
  static unsigned Get(std::uint32_t pixel, Channel c) {
    return ((pixel >> c.nShift) & ((1u << c.nBits) - 1)) << (8 - c.nBits);
  }

  Channel m_red, m_green, m_blue;
};
