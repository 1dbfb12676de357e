#include "windows/framework/win_api.h"

#include <cstdint>
#include <ctime>

#include "app/saver_app.h"
#include "app/switches.h"
#include "display/saver_session.h"
#include "windows/app/saver_app_win.h"
#include "windows/config/config_sheet_win.h"
#include "windows/display/drawing_wnd_win.h"
#include "windows/display/saver_wnd_win.h"
#include "windows/framework/app_win.h"

namespace {

// The one session of the process: its windows' shows, seeded from the time.
CSaverSession& Session() {
  static CSaverSession session(theApp, theApp, static_cast<unsigned int>(std::time(nullptr)));
  return session;
}

bool StartPreview(const wchar_t* switchArg, const wchar_t* nextArg) {
  std::uintptr_t handle = 0;
  if (!ReadPreviewHandle(PreviewHandleText(switchArg, nextArg), handle)) return false;
  HWND hParent = reinterpret_cast<HWND>(handle);
  // A host that gave no window, or one already gone, gets nothing.
  if (!IsWindow(hParent)) return false;
  RECT rc{};
  GetClientRect(hParent, &rc);
  auto* pWnd = new CPreviewWnd(1, Session());
  if (!pWnd->Create(0, WS_CHILD | WS_VISIBLE, rc, hParent)) return false;
  AfxSetMainWnd(pWnd);
  return true;
}

bool StartFullScreen() {
  auto* pWnd = new CSaverWnd(Session());
  const RECT rc{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (!pWnd->Create(WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE, rc, nullptr)) return false;
  AfxSetMainWnd(pWnd);
  pWnd->CoverOtherMonitors();
  return true;
}

}  // namespace

bool InitInstance(CSaverApp& app, int argc, wchar_t** argv) {
  app.LoadSettings();
  const wchar_t* arg = argc > 1 ? argv[1] : nullptr;
  if (!arg || MatchSwitch(arg, 'c')) {
    RunConfigSheet();
    return false;
  }
  if (MatchSwitch(arg, 'p')) return StartPreview(arg, argc > 2 ? argv[2] : nullptr);
  if (MatchSwitch(arg, 's')) return StartFullScreen();
  return false;
}
