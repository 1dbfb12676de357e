// The Linux display mode's command line and $XSCREENSAVER_WINDOW.
#include <vector>

#include "app/saver_app.h"
#include "fuzz_input.h"
#include "x11/app/saver_options_x11.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args = SplitArguments(data, size);
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  argv.push_back(nullptr);
  SaverOptions options;
  std::string error;
  if (ParseSaverOptions(static_cast<int>(args.size()), argv.data(), options, error)) {
    CSaverApp app;
    ApplySaverOptions(options, app);
  } else if (error.empty() || error.find('\n') != std::string::npos) {
    __builtin_trap();
  }
  // The host's window id comes as text too: the last argument stands in.
  SaverOptions host;
  TakeHostWindow(args.back().c_str(), host, error);
  return 0;
}
