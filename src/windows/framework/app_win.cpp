#include "windows/framework/app_win.h"

#include "windows/framework/win_api.h"

namespace {
CWnd* g_pMainWnd = nullptr;
}

CWnd* AfxGetMainWnd() { return g_pMainWnd; }
void AfxSetMainWnd(CWnd* pWnd) { g_pMainWnd = pWnd; }

int RunMessageLoop() {
  MSG msg;
  for (;;) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got == -1) return -1;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}
