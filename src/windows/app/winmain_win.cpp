#include "windows/framework/win_api.h"
#include <shellapi.h>

#include "app/saver_app.h"
#include "windows/framework/app_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const bool bRun = argv && theApp.InitInstance(argc, argv);
  LocalFree(argv);
  return bRun ? RunMessageLoop() : 0;
}
