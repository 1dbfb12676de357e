#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include <cstdint>
#include <memory>

#include "display/frame.h"
#include "display/pixel_format.h"

// The X side of a client-side image: an XImage over the memory a frame
// draws into, in shared memory when the server takes it.
class CX11Image {
 public:
  ~CX11Image();
  CX11Image(const CX11Image&) = delete;
  CX11Image& operator=(const CX11Image&) = delete;

  // Null when the visual is not 32 bits a pixel TrueColor.
  static std::unique_ptr<CX11Image> Create(Display* pDisplay, Visual* pVisual, int nDepth,
                                           int nWidth, int nHeight, bool bTryShm);

  // Takes the memory for the frame to draw into; call once. The frame then
  // owns it and frees it, so a drawing thread that outlives this object
  // still draws into valid memory.
  std::unique_ptr<CFrame> MakeFrame();

  // Sends the part (x, y, w, h) of the image to the same place of the drawable.
  void Put(Drawable drawable, GC gc, int x, int y, int nWidth, int nHeight);
  bool Shared() const { return m_bShm; }

 private:
  CX11Image() = default;

  Display* m_pDisplay = nullptr;
  XImage* m_pImage = nullptr;
  XShmSegmentInfo m_shm{};
  bool m_bShm = false;
  CPixelFormat m_format;
};
