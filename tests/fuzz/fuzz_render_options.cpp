// mirovane-render's command line.
#include <vector>

#include "fuzz_input.h"
#include "render_options.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args = SplitArguments(data, size);
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  RenderOptions options;
  std::string error;
  if (ParseRenderOptions(static_cast<int>(args.size()), argv.data(), options, error)) {
    // What the renderer relies on once parsing succeeded.
    if (options.mode != RenderOptions::Mode::Swatch && (options.nWidth <= 0 || options.nHeight <= 0))
      __builtin_trap();
    if (options.strOut.empty()) __builtin_trap();
  } else if (error.empty() || error.find('\n') != std::string::npos) {
    // A refusal is one line of text.
    __builtin_trap();
  }
  return 0;
}
