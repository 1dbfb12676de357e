#pragma once

#include "display/frame.h"

// What a platform back end supplies, so that the portable saver session
// (display/saver_session.h) runs on its desktop. Each back end lives in
// one folder (src/windows, src/x11) and is checked against this list:
//
// 1. Frames: one CFrame per show, at the size of its window, over memory
//    the platform can put on screen as it stands (a DIB section, an
//    XImage) in that memory's CPixelFormat.
// 2. A presenter per window (IFramePresenter below), driven on the
//    user-interface thread: PresentChanges at least every 16 ms, and
//    PresentRect from the frame whenever the system asks for a repaint.
//    The drawing threads never make a platform drawing call.
// 3. A sleeper: CRealSleeper (display/draw_thread.h) serves both desktops.
// 4. Input: the window's events turned into the saver model's rules
//    (display/saver_model.h: PointerAction, ButtonAction, and
//    CSaverSession::ActOnKey for keys), ending the saver on End and taking
//    the screenshot, from what is shown, on Screenshot.
// 5. A settings store: an IProfile (app/profile.h), the registry or the
//    per-user INI file.
// 6. The close: CSaverSession::Stop within one bound for every show, then
//    the windows go.
class IFramePresenter {
 public:
  virtual ~IFramePresenter() = default;
  // Puts the frame's rows [y, y + nRows) on the screen: one platform call.
  virtual void PresentRows(int y, int nRows) = 0;
  // Puts the frame's rectangle on the screen (a repaint of an uncovered part).
  virtual void PresentRect(int x, int y, int nWidth, int nHeight) = 0;
};

// Puts every band of rows changed since the last call on the screen, one
// call a band; nothing when nothing changed. True when it presented anything.
inline bool PresentChanges(CFrame& frame, IFramePresenter& presenter) {
  return frame.TakeChangedRows([&](int y, int n) { presenter.PresentRows(y, n); });
}
