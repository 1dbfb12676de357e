#include "windows/framework/win_api.h"
#include <shellapi.h>

#include <new>

#include "app/saver_app.h"
#include "windows/app/profile_registry_win.h"
#include "windows/app/saver_app_win.h"
#include "windows/framework/app_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // No console to write to: a failed allocation ends with status 2 rather
  // than through abort.
  try {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    theApp.SetProfile(NewSaverRegistryProfile());
    const bool bRun = argv && InitInstance(theApp, argc, argv);
    LocalFree(argv);
    return bRun ? RunMessageLoop() : 0;
  } catch (const std::bad_alloc&) {
    return 2;
  }
}
