#include "windows/display/saver_wnd_win.h"

#include <iterator>

#include "app/saver_app.h"
#include "display/saver_model.h"
#include "windows/display/monitors_win.h"
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

CSaverWnd::CSaverWnd(CSaverSession& session) : CPreviewWnd(1, session) {}
CSaverWnd::~CSaverWnd() = default;

const CWnd::MsgMap* CSaverWnd::GetMessageMap() const {
  static const MsgMap s_map{CPreviewWnd::GetMessageMap(), s_messages, std::size(s_messages)};
  return &s_map;
}

void CSaverWnd::CoverOtherMonitors() {
  // Each monitor's show joins the session after the primary's, which seeds it apart.
  for (const RECT& rc : OtherMonitors()) {
    auto pMonitor = std::make_unique<CMonitorWnd>(m_hWnd, m_session);
    if (pMonitor->Cover(rc)) m_pMonitors.push_back(std::move(pMonitor));
  }
}

LRESULT CSaverWnd::OnSysCommand(WPARAM nCommand, LPARAM) {
  const WPARAM command = nCommand & 0xFFF0;  // the low four bits are the system's own
  if (command == SC_SCREENSAVE || command == SC_CLOSE) return 0;
  return Default();
}

LRESULT CSaverWnd::OnDestroy(WPARAM wParam, LPARAM lParam) {
  m_pMonitors.clear();
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
  const int x = static_cast<short>(LOWORD(point)), y = static_cast<short>(HIWORD(point));
  if (PointerAction(m_ptLast, x, y) == ESaverAction::End) PostClose();
  return Default();
}

LRESULT CSaverWnd::OnButtonDown(WPARAM, LPARAM) {
  if (ButtonAction() == ESaverAction::End) PostClose();
  return Default();
}

LRESULT CSaverWnd::OnKeyDown(WPARAM nVirtKey, LPARAM) {
  switch (m_session.ActOnKey(static_cast<unsigned>(nVirtKey), false)) {
    case ESaverAction::Screenshot:
      SetCursor(LoadCursorW(nullptr, IDC_WAIT));
      SaveScreenshot();
      SetCursor(LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_INVISIBLE)));
      return 0;
    case ESaverAction::Pause:
    case ESaverAction::Next:
    case ESaverAction::Continue:
      return 0;
    case ESaverAction::End:
      break;
  }
  PostClose();
  return Default();
}

LRESULT CSaverWnd::OnSysKeyDown(WPARAM nVirtKey, LPARAM) {
  // Alt plus any key, hot keys included, and F10 come here.
  if (KeyAction(static_cast<unsigned>(nVirtKey), true, theApp) == ESaverAction::End) PostClose();
  return Default();
}

LRESULT CSaverWnd::OnClose(WPARAM, LPARAM) {
  // The stop opens the pause gate too, so a held thread wakes to see it.
  theApp.StopRunning();
  Sleep(10);
  if (theApp.m_bPaused.load()) theApp.SetPaused(false);
  // Every monitor's thread is stopping already; all are waited for within
  // the one bound, then the other monitors' windows go first.
  m_session.Stop(2000);
  m_pMonitors.clear();
  return Default();
}
