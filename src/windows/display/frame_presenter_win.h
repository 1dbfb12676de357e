#pragma once

#include "windows/framework/win_api.h"

#include <memory>

#include "display/back_end.h"
#include "display/frame.h"

// A drawing window's picture: a DIB section of the client size that the
// show's frame draws into, and the window's presenter, which copies its
// changed rows, or a part to repaint, into the window. Used on the window's
// thread only; the drawing thread only writes the pixels.
class CFramePresenter : public IFramePresenter {
 public:
  explicit CFramePresenter(HWND hWnd) : m_hWnd(hWnd) {}
  // Puts the bitmap back out of the memory context; the bitmap itself goes
  // with the frame, which a drawing thread may still be writing.
  ~CFramePresenter() override;
  CFramePresenter(const CFramePresenter&) = delete;
  CFramePresenter& operator=(const CFramePresenter&) = delete;

  // The frame over a new DIB section of nWidth x nHeight, once; null when
  // the system has no memory for it.
  std::unique_ptr<CFrame> MakeFrame(int nWidth, int nHeight);
  // The frame MakeFrame made, once its owner holds it.
  void Attach(CFrame* pFrame) { m_pFrame = pFrame; }

  // The rows changed since the last present, one BitBlt a band; true when any.
  bool Present();
  // The part of the frame under rcPaint, into the painting context.
  void Paint(HDC hDC, const RECT& rcPaint);

  void PresentRows(int y, int nRows) override;
  void PresentRect(int x, int y, int nWidth, int nHeight) override;

 private:
  HWND m_hWnd;
  HDC m_hMemoryDC = nullptr;
  HGDIOBJ m_hOldBitmap = nullptr;
  CFrame* m_pFrame = nullptr;
  // The context being drawn into during one present or paint.
  HDC m_hTarget = nullptr;
};
