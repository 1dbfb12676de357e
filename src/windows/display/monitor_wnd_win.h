#pragma once

#include "windows/framework/win_api.h"

#include "windows/display/drawing_wnd_win.h"

// A slide show covering one monitor besides the primary. It never takes
// activation and decides nothing itself: every input goes to the saver
// window, which rules for the whole process and closes everything.
class CMonitorWnd : public CPreviewWnd {
 public:
  // Its show joins the session after the primary's.
  CMonitorWnd(HWND hSaver, CSaverSession& session);
  ~CMonitorWnd() override;

  const MsgMap* GetMessageMap() const override;
  // Shows the window over rect without activating it.
  bool Cover(const RECT& rect);

 protected:
  LRESULT OnSysCommand(WPARAM nCommand, LPARAM);
  LRESULT OnSetCursor(WPARAM, LPARAM);
  LRESULT OnMouseActivate(WPARAM, LPARAM);
  LRESULT OnMouseMove(WPARAM nFlags, LPARAM point);  // client coordinates
  LRESULT OnButtonDown(WPARAM, LPARAM);  // left, middle and right
  LRESULT OnKeyDown(WPARAM nVirtKey, LPARAM);
  LRESULT OnSysKeyDown(WPARAM nVirtKey, LPARAM);
  LRESULT OnClose(WPARAM, LPARAM);

 private:
  HWND m_hSaver;
  static const MsgEntry s_messages[];
};
