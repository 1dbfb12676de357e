#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "display/surface.h"
#include "x11/display/pixel_format_x11.h"

// The client-side image the drawing thread draws into, in the visual's pixel
// format, 32 bits a pixel, rows packed. Remembers which rows changed so the
// window is sent only those.
class CImageSurface : public ISurface {
 public:
  // Draws into pMemory (nWidth * nHeight pixels, released by release) when
  // given, else into memory of its own.
  CImageSurface(int nWidth, int nHeight, CPixelFormat format, std::uint32_t* pMemory = nullptr,
                std::function<void(std::uint32_t*)> release = {});
  ~CImageSurface() override;
  CImageSurface(const CImageSurface&) = delete;
  CImageSurface& operator=(const CImageSurface&) = delete;

  void SetPixel(int x, int y, COLORREF colour) override;
  void FillBlack() override;

  int Width() const { return m_nWidth; }
  int Height() const { return m_nHeight; }
  std::uint32_t* Memory() { return m_pPixels; }

  // Calls send(firstRow, rowCount) for each run of changed rows and forgets
  // them; the drawing thread is held off meanwhile, so send sees whole rows.
  void SendChangedRows(const std::function<void(int, int)>& send);
  // Runs fn with the drawing thread held off (repainting exposed parts).
  void WithImage(const std::function<void()>& fn);
  // The picture as colour values, for screenshots.
  std::vector<COLORREF> Snapshot();

 private:
  int m_nWidth;
  int m_nHeight;
  CPixelFormat m_format;
  std::vector<std::uint32_t> m_own;
  std::uint32_t* m_pPixels;
  std::function<void(std::uint32_t*)> m_release;
  std::vector<std::uint8_t> m_changed;
  bool m_bAnyChanged = false;
  std::mutex m_mutex;
};
