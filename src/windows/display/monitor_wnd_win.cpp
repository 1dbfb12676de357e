#include "windows/display/monitor_wnd_win.h"

#include <iterator>

const CWnd::MsgEntry CMonitorWnd::s_messages[] = {
    MsgEntryOf(WM_SYSCOMMAND, &CMonitorWnd::OnSysCommand),
    MsgEntryOf(WM_SETCURSOR, &CMonitorWnd::OnSetCursor),
    MsgEntryOf(WM_MOUSEACTIVATE, &CMonitorWnd::OnMouseActivate),
    MsgEntryOf(WM_MOUSEMOVE, &CMonitorWnd::OnMouseMove),
    MsgEntryOf(WM_LBUTTONDOWN, &CMonitorWnd::OnButtonDown),
    MsgEntryOf(WM_MBUTTONDOWN, &CMonitorWnd::OnButtonDown),
    MsgEntryOf(WM_RBUTTONDOWN, &CMonitorWnd::OnButtonDown),
    MsgEntryOf(WM_KEYDOWN, &CMonitorWnd::OnKeyDown),
    MsgEntryOf(WM_SYSKEYDOWN, &CMonitorWnd::OnSysKeyDown),
    MsgEntryOf(WM_CLOSE, &CMonitorWnd::OnClose),
};

// Not self-deleting: the saver window owns it and destroys it first.
CMonitorWnd::CMonitorWnd(HWND hSaver, CSaverSession& session) : CPreviewWnd(0, session), m_hSaver(hSaver) {
  m_bStopsSession = false;
}

CMonitorWnd::~CMonitorWnd() {
  if (m_hWnd) DestroyWindow(m_hWnd);
}

const CWnd::MsgMap* CMonitorWnd::GetMessageMap() const {
  static const MsgMap s_map{CPreviewWnd::GetMessageMap(), s_messages, std::size(s_messages)};
  return &s_map;
}

bool CMonitorWnd::Cover(const RECT& rect) {
  // Created hidden and shown without activation: the saver window keeps it,
  // and with it its rule that losing it ends the saver.
  if (!Create(WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, WS_POPUP, rect, nullptr)) return false;
  SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  return true;
}

LRESULT CMonitorWnd::OnSysCommand(WPARAM nCommand, LPARAM) {
  const WPARAM command = nCommand & 0xFFF0;
  if (command == SC_SCREENSAVE || command == SC_CLOSE) return 0;
  return Default();
}

LRESULT CMonitorWnd::OnSetCursor(WPARAM, LPARAM) {
  SetCursor(nullptr);
  return TRUE;
}

LRESULT CMonitorWnd::OnMouseActivate(WPARAM, LPARAM) { return MA_NOACTIVATE; }

LRESULT CMonitorWnd::OnMouseMove(WPARAM nFlags, LPARAM point) {
  // In the saver window's coordinates, so that one pointer rule covers
  // every window: its first report, on whichever window, is the only one kept.
  POINT pt{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
  ClientToScreen(m_hWnd, &pt);
  ScreenToClient(m_hSaver, &pt);
  SendMessageW(m_hSaver, WM_MOUSEMOVE, nFlags,
               MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)));
  return Default();
}

// The saver window's handlers end the saver, or act on every show for a hot key.
LRESULT CMonitorWnd::OnButtonDown(WPARAM wParam, LPARAM lParam) {
  SendMessageW(m_hSaver, WM_LBUTTONDOWN, wParam, lParam);
  return Default();
}

LRESULT CMonitorWnd::OnKeyDown(WPARAM nVirtKey, LPARAM lParam) {
  SendMessageW(m_hSaver, WM_KEYDOWN, nVirtKey, lParam);
  return 0;
}

LRESULT CMonitorWnd::OnSysKeyDown(WPARAM nVirtKey, LPARAM lParam) {
  SendMessageW(m_hSaver, WM_SYSKEYDOWN, nVirtKey, lParam);
  return 0;
}

LRESULT CMonitorWnd::OnClose(WPARAM, LPARAM) {
  ::PostMessageW(m_hSaver, WM_CLOSE, 0, 0);
  return 0;
}
