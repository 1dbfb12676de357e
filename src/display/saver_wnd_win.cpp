#include "display/saver_wnd_win.h"

#include <iterator>
#include <string>

#include "app/saver_app.h"
#include "resources/resource.h"

const CWnd::MsgEntry CSaverWnd::s_messages[] = {
    MsgEntryOf(WM_SYSCOMMAND, &CSaverWnd::OnSysCommand),
    MsgEntryOf(WM_DESTROY, &CSaverWnd::OnDestroy),
    MsgEntryOf(WM_SETCURSOR, &CSaverWnd::OnSetCursor),
    MsgEntryOf(WM_NCACTIVATE, &CSaverWnd::OnNcActivate),
    MsgEntryOf(WM_ACTIVATE, &CSaverWnd::OnActivate),
    MsgEntryOf(WM_ACTIVATEAPP, &CSaverWnd::OnActivateApp),
    MsgEntryOf(WM_MOUSEMOVE, &CSaverWnd::OnMouseMove),
    MsgEntryOf(WM_LBUTTONDOWN, &CSaverWnd::OnButtonDown),
    MsgEntryOf(WM_MBUTTONDOWN, &CSaverWnd::OnButtonDown),
    MsgEntryOf(WM_RBUTTONDOWN, &CSaverWnd::OnButtonDown),
    MsgEntryOf(WM_KEYDOWN, &CSaverWnd::OnKeyDown),
    MsgEntryOf(WM_SYSKEYDOWN, &CSaverWnd::OnSysKeyDown),
    MsgEntryOf(WM_CLOSE, &CSaverWnd::OnClose),
};

CSaverWnd::CSaverWnd() : CPreviewWnd(1) {}
CSaverWnd::~CSaverWnd() = default;

const CWnd::MsgMap* CSaverWnd::GetMessageMap() const {
  static const MsgMap s_map{CPreviewWnd::GetMessageMap(), s_messages, std::size(s_messages)};
  return &s_map;
}

CSaverWnd::HotKey CSaverWnd::ClassifyKey(WPARAM nVirtKey) {
  // Stored keys are the one-character string of the key's code, so an empty
  // or longer stored string never matches.
  const std::string key(1, static_cast<char>(nVirtKey & 0xFF));
  if (theApp.m_bPrintingActive && theApp.m_strPrintingKey == key) return HotKey::Screenshot;
  if (theApp.m_bPausingActive && theApp.m_strPausingKey == key) return HotKey::Pause;
  if (theApp.m_bNextActive && theApp.m_strNextKey == key) return HotKey::Next;
  return HotKey::None;
}

LRESULT CSaverWnd::OnSysCommand(WPARAM nCommand, LPARAM) {
  const WPARAM command = nCommand & 0xFFF0;  // the low four bits are the system's own
  if (command == SC_SCREENSAVE || command == SC_CLOSE) return 0;
  return Default();
}

LRESULT CSaverWnd::OnDestroy(WPARAM wParam, LPARAM lParam) {
  PostQuitMessage(0);
  return CPreviewWnd::OnDestroy(wParam, lParam);
}

LRESULT CSaverWnd::OnSetCursor(WPARAM, LPARAM) {
  SetCursor(nullptr);
  return TRUE;
}

LRESULT CSaverWnd::OnNcActivate(WPARAM bActive, LPARAM) {
  if (!bActive) return FALSE;
  return Default();
}

LRESULT CSaverWnd::OnActivate(WPARAM nState, LPARAM) {
  if (LOWORD(nState) == WA_INACTIVE) PostClose();
  return Default();
}

LRESULT CSaverWnd::OnActivateApp(WPARAM bActive, LPARAM) {
  if (!bActive) PostClose();
  return Default();
}

LRESULT CSaverWnd::OnMouseMove(WPARAM, LPARAM point) {
  const POINT p{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
  if (m_ptLast.x == -1 && m_ptLast.y == -1) {
    // The system reports the cursor once when the window appears under it.
    m_ptLast = p;
  } else if (p.x != m_ptLast.x || p.y != m_ptLast.y) {
    PostClose();
  }
  return Default();
}

LRESULT CSaverWnd::OnButtonDown(WPARAM, LPARAM) {
  PostClose();
  return Default();
}

LRESULT CSaverWnd::OnKeyDown(WPARAM nVirtKey, LPARAM) {
  switch (ClassifyKey(nVirtKey)) {
    case HotKey::Screenshot:
      SetCursor(LoadCursorW(nullptr, IDC_WAIT));
      SaveScreenshot();
      SetCursor(LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_INVISIBLE)));
      return 0;
    case HotKey::Pause:
      theApp.SetPaused(!theApp.m_bPaused.load());
      return 0;
    case HotKey::Next:
      Show().m_bPictureDone.store(1);
      Show().m_bSwitchNow.store(1);
      return 0;
    case HotKey::None:
      break;
  }
  PostClose();
  return Default();
}

LRESULT CSaverWnd::OnSysKeyDown(WPARAM, LPARAM) {
  // Alt plus any key, hot keys included, and F10 end the saver.
  PostClose();
  return Default();
}

LRESULT CSaverWnd::OnClose(WPARAM, LPARAM) {
  // The stop opens the pause gate too, so a held thread wakes to see it.
  theApp.StopRunning();
  Sleep(10);
  if (theApp.m_bPaused.load()) theApp.SetPaused(false);
  StopDrawThread(2000);
  return Default();
}
