#pragma once

#include <cstdint>

// Colour values use the Win32 layout: red in bits 0-7, green 8-15, blue 16-23.
// On Windows this is the very type of <windows.h> (DWORD is unsigned long
// there), so the two declarations agree whichever comes first.
#ifdef _WIN32
using COLORREF = unsigned long;
#else
using COLORREF = std::uint32_t;
#endif

constexpr COLORREF MakeColour(unsigned r, unsigned g, unsigned b) {
  return (r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16);
}
constexpr unsigned RedOf(COLORREF c) { return c & 0xFFu; }
constexpr unsigned GreenOf(COLORREF c) { return (c >> 8) & 0xFFu; }
constexpr unsigned BlueOf(COLORREF c) { return (c >> 16) & 0xFFu; }
