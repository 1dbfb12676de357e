#pragma once

#include <memory>
#include <string>

#include "x11/app/saver_options_x11.h"

// The X11 display mode: draws the slide show into a host's window, the root
// window or a full-screen window of its own until it is told to stop.
// Expects the settings to be loaded and the options applied already.
class CX11Saver {
 public:
  CX11Saver();
  ~CX11Saver();
  CX11Saver(const CX11Saver&) = delete;
  CX11Saver& operator=(const CX11Saver&) = delete;

  // The exit status: 0 after a normal end, 1 when the display or window
  // cannot be used, 2 when memory ran out (with a one-line message on stderr).
  int Run(const SaverOptions& options);

 private:
  class CImpl;
  std::unique_ptr<CImpl> m_pImpl;
};
