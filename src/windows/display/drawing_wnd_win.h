#pragma once

#include "windows/framework/win_api.h"

#include <cstddef>
#include <memory>

#include "display/saver_session.h"
#include "windows/display/frame_presenter_win.h"
#include "windows/framework/gdi_win.h"
#include "windows/framework/wnd_win.h"

class CSlideShow;

// The drawing window: a slide show of the process's session, drawn by its
// own thread into a frame in memory, which this window presents on its
// thread and repaints from. Used alone as the preview inside the host's
// pane, and as the base of the full-screen and other monitors' windows.
class CPreviewWnd : public CWnd {
 public:
  CPreviewWnd(int bAutoDelete, CSaverSession& session);
  ~CPreviewWnd() override;

  const MsgMap* GetMessageMap() const override;
  // Creates the window (registering the shared class on first use). The last
  // two arguments are accepted and ignored. On failure a self-deleting object
  // has already deleted itself.
  virtual bool Create(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, HWND hParent,
                      UINT nID = 0, void* pContext = nullptr);

  // Saves the client area as the next numbered BMP file of the screenshot folder.
  void SaveScreenshot();

  bool DrawThreadStarted() const { return m_nShow != kNoShow; }
  // This window's show; only once its thread has started.
  CSlideShow& Show() { return m_session.Show(m_nShow); }

  static constexpr const wchar_t* kClassName = L"MirovaneSaverWindow";

  std::unique_ptr<CBrush> m_pBrush;

 protected:
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnSize(WPARAM nType, LPARAM size);        // LOWORD width, HIWORD height
  LRESULT OnCreate(WPARAM, LPARAM pCreateStruct);
  LRESULT OnEraseBkgnd(WPARAM hDC, LPARAM);
  // Stops the drawing (when this window stands for the whole session) and
  // lets the frame go before the window does.
  LRESULT OnDestroy(WPARAM, LPARAM);
  // Presents what the drawing thread changed since the last tick.
  LRESULT OnTimer(WPARAM nTimer, LPARAM);

  static constexpr std::size_t kNoShow = static_cast<std::size_t>(-1);

  CSaverSession& m_session;
  // The preview and the full-screen window end the session when they go;
  // another monitor's window leaves that to the full-screen window.
  bool m_bStopsSession = true;

 private:
  static const MsgEntry s_messages[];
  void StartShow(int nWidth, int nHeight);

  std::unique_ptr<CFramePresenter> m_pPresenter;
  std::size_t m_nShow = kNoShow;
};
