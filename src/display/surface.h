#pragma once

#include <cstdint>

#include "colour/colour.h"

// What the drawing thread draws on: a window's device context on Windows,
// a memory buffer in the renderer and the tests, an X11 drawable on Linux.
class ISurface {
 public:
  virtual ~ISurface() = default;
  // Called on the drawing thread before its first and after its last pixel.
  virtual void Open() {}
  virtual void Close() {}
  virtual void SetPixel(int x, int y, COLORREF colour) = 0;
  virtual void FillBlack() = 0;
};

// How the drawing thread waits; tests and the renderer count instead of sleeping.
class ISleeper {
 public:
  virtual ~ISleeper() = default;
  virtual void Sleep(int nMilliseconds) = 0;
  // A clock that never goes back and on which the sleeps pass: a counting
  // sleeper's time advances by what it was asked to sleep.
  virtual std::int64_t NowMicroseconds() = 0;
};
