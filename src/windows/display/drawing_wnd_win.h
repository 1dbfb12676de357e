#pragma once

#include "windows/framework/win_api.h"

#include <memory>

#include "windows/display/dc_surface_win.h"
#include "display/draw_thread.h"
#include "display/slide_show.h"
#include "windows/framework/gdi_win.h"
#include "windows/framework/wnd_win.h"

// The drawing window: a slide show drawn into a window by its own thread.
// Used alone as the preview inside the host's pane, and as the base of the
// full-screen window.
class CPreviewWnd : public CWnd {
 public:
  explicit CPreviewWnd(int bAutoDelete);
  ~CPreviewWnd() override;

  const MsgMap* GetMessageMap() const override;
  // Creates the window (registering the shared class on first use). The last
  // two arguments are accepted and ignored. On failure a self-deleting object
  // has already deleted itself.
  virtual bool Create(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, HWND hParent,
                      UINT nID = 0, void* pContext = nullptr);

  // Saves the client area as the next numbered BMP file of the screenshot folder.
  void SaveScreenshot();

  CSlideShow& Show() { return *m_pShow; }
  bool DrawThreadStarted() const { return m_pThread && m_pThread->Started(); }

  // Clears the keep-running flag and waits for the thread until the tick
  // count reaches deadline: windows stopped together share one bound.
  void StopDrawThreadBy(ULONGLONG deadline);

  static constexpr const wchar_t* kClassName = L"MirovaneSaverWindow";

  std::unique_ptr<CBrush> m_pBrush;

 protected:
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnSize(WPARAM nType, LPARAM size);        // LOWORD width, HIWORD height
  LRESULT OnCreate(WPARAM, LPARAM pCreateStruct);
  LRESULT OnEraseBkgnd(WPARAM hDC, LPARAM);
  // Stops the drawing thread before the window and its data go.
  LRESULT OnDestroy(WPARAM, LPARAM);
  // Wakes the message loop: Wine copies a window's pixels to the X server
  // only while the window's own thread passes through its message wait, and
  // the drawing thread's pixels would otherwise stay unseen until some input.
  LRESULT OnTimer(WPARAM, LPARAM);
  // After the window is shown or moved the drawing thread renews its
  // device context.
  LRESULT OnWindowPosChanged(WPARAM, LPARAM);

  // Clears the keep-running flag and waits up to nTimeoutMs for the thread.
  void StopDrawThread(int nTimeoutMs);

  // Added to the time the drawing thread is seeded with, so that shows
  // started in the same second differ.
  unsigned int m_nSeedOffset = 0;

  std::unique_ptr<CDrawThread> m_pThread;
  std::shared_ptr<CSlideShow> m_pShow;

 private:
  static const MsgEntry s_messages[];
  bool m_bStopRequested = false;
  void StartDrawThread();
  // What the drawing thread draws with; it keeps a share of it.
  struct CDrawing;
  std::shared_ptr<CDrawing> m_pDrawing;
};
