// mirovane: the fractal slide show as an XScreenSaver display mode.

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>

#include "app/profile_ini.h"
#include "app/saver_app.h"
#include "mirovane_version.h"
#include "x11/app/saver_options_x11.h"
#include "x11/app/saver_x11.h"

int main(int argc, char** argv) {
  SaverOptions options;
  std::string error;
  if (!ParseSaverOptions(argc, argv, options, error) ||
      !TakeHostWindow(std::getenv("XSCREENSAVER_WINDOW"), options, error)) {
    std::fprintf(stderr, "mirovane: %s\n", error.c_str());
    return 2;
  }
  if (options.bHelp) {
    std::fputs(SaverUsage().c_str(), stdout);
    return 0;
  }
  if (options.bVersion) {
    std::printf("mirovane %s\n%s\n", MIROVANE_VERSION, MIROVANE_COPYRIGHT);
    return 0;
  }
  try {
    auto pIni = std::make_unique<CIniProfile>(DefaultIniPath());
    CIniProfile& ini = *pIni;
    theApp.SetProfile(std::move(pIni));
    theApp.LoadSettings();
    // A settings file that cannot be one is read as empty; -verbose says so.
    if (options.bVerbose) {
      const std::string problem = IniFileProblem(ini.State());
      if (!problem.empty())
        std::printf("settings file '%s' %s: the defaults apply\n", ini.Path().string().c_str(), problem.c_str());
    }
    ApplySaverOptions(options, theApp);
    CX11Saver saver;
    return saver.Run(options);
  } catch (const std::bad_alloc&) {
    std::fputs("mirovane: out of memory\n", stderr);
    return 2;
  }
}
