#pragma once

#include "windows/framework/win_api.h"

#include <memory>
#include <vector>

#include "windows/display/drawing_wnd_win.h"
#include "windows/display/monitor_wnd_win.h"

// The full-screen saver: a top-most borderless drawing window that hides the
// cursor, ends on any ordinary input or loss of activation, acts on the
// three hot keys, and stops its drawing thread in order before it goes.
class CSaverWnd : public CPreviewWnd {
 public:
  explicit CSaverWnd(CSaverSession& session);
  ~CSaverWnd() override;

  const MsgMap* GetMessageMap() const override;

  // Puts a show of its own on every other monitor; their input comes here.
  void CoverOtherMonitors();

  POINT m_ptLast{-1, -1};

 protected:
  LRESULT OnSysCommand(WPARAM nCommand, LPARAM);
  LRESULT OnDestroy(WPARAM, LPARAM);
  LRESULT OnSetCursor(WPARAM, LPARAM);
  LRESULT OnNcActivate(WPARAM bActive, LPARAM);
  LRESULT OnActivate(WPARAM nState, LPARAM);
  LRESULT OnActivateApp(WPARAM bActive, LPARAM);
  LRESULT OnMouseMove(WPARAM, LPARAM point);  // client coordinates
  LRESULT OnButtonDown(WPARAM, LPARAM);        // left, middle and right
  LRESULT OnKeyDown(WPARAM nVirtKey, LPARAM);
  LRESULT OnSysKeyDown(WPARAM nVirtKey, LPARAM);
  LRESULT OnClose(WPARAM, LPARAM);

 private:
  void PostClose() { PostMessage(WM_CLOSE, 0, 0); }

  std::vector<std::unique_ptr<CMonitorWnd>> m_pMonitors;

  static const MsgEntry s_messages[];
};
