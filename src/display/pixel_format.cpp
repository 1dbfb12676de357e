#include "display/pixel_format.h"

CPixelFormat::CPixelFormat(std::uint32_t redMask, std::uint32_t greenMask, std::uint32_t blueMask)
    : m_red(FromMask(redMask)), m_green(FromMask(greenMask)), m_blue(FromMask(blueMask)) {}

CPixelFormat::Channel CPixelFormat::FromMask(std::uint32_t mask) {
  Channel c;
  if (mask == 0) {
    c.nBits = 0;
    return c;
  }
  while (!(mask & 1u)) {
    mask >>= 1;
    ++c.nShift;
  }
  c.nBits = 0;
  while (mask & 1u) {
    mask >>= 1;
    ++c.nBits;
  }
  if (c.nBits > 8) {
    c.nShift += c.nBits - 8;
    c.nBits = 8;
  }
  return c;
}
