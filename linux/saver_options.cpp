#include "saver_options.h"

#include <cstring>
#include <string_view>

#include "app/saver_app.h"

// GNU style, so that help2man makes the manual page from it.
const char* const kSaverUsage =
    "Usage: mirovane [OPTION]...\n"
    "Draw mirovane's fractal slide show as an XScreenSaver display mode.\n"
    "\n"
    "Options (one dash or two):\n"
    "  -root                 draw on the root window\n"
    "  -window-id ID         draw in the window ID\n"
    "  -curve-types MASK     fractal types: 1 Mandelbrot, 2 Julia, 4 Dragon, 8 Phoenix, 16 Newton\n"
    "  -colour-schemes MASK  colour schemes, 1 to 32768, in the order of the settings dialog\n"
    "  -blanking MASK        blanking methods: 2 Fast Fade, 4 Wexly Fade, 8 No Fade\n"
    "  -delay SECONDS        how long a finished picture stays, 0 to 300\n"
    "  -extra-memory         full-resolution plotting; -no-extra-memory: 2 x 2 blocks\n"
    "  -min-iterations N     lower iteration limit of the curves shown (0: none)\n"
    "  -max-iterations N     upper iteration limit of the curves shown (0: none)\n"
    "  -exclude              leave out curves above the limit; -reduce: lower them to it\n"
    "  -seed N               random seed (default: the time)\n"
    "  -verbose              print the settings in effect and a line per finished picture\n"
    "  -help                 show this help and exit\n"
    "  -version              show the version and exit\n";

namespace {

struct MaskRule {
  const char* name;
  std::optional<int> SaverOptions::*member;
  int nKnownBits;  // a mask must have one of these and nothing outside nAllBits
  int nAllBits;
};

// Curve bit 32 and blanking bit 1 mean nothing on their own, as in the store.
constexpr MaskRule kMasks[] = {
    {"curve-types", &SaverOptions::nCurveType, 0x1F, 0x3F},
    {"colour-schemes", &SaverOptions::nColourScheme, 0xFFFF, 0xFFFF},
    {"blanking", &SaverOptions::nBlankingMethod, 0xE, 0xF},
};

struct RangeRule {
  const char* name;
  std::optional<int> SaverOptions::*member;
  int nLow;
  int nHigh;
};

// The ranges the Windows configuration pages accept.
constexpr RangeRule kRanges[] = {
    {"delay", &SaverOptions::nDelaySeconds, 0, 300},
    {"min-iterations", &SaverOptions::nMinIterations, 0, 999999},
    {"max-iterations", &SaverOptions::nMaxIterations, 0, 999999},
};

struct FlagRule {
  const char* name;
  std::optional<int> SaverOptions::*member;
  int nValue;
};

constexpr FlagRule kFlags[] = {
    {"extra-memory", &SaverOptions::bExtraMemory, 1},
    {"no-extra-memory", &SaverOptions::bExtraMemory, 0},
    {"exclude", &SaverOptions::nExcludeCurves, 1},
    {"reduce", &SaverOptions::nExcludeCurves, 0},
};

// A whole unsigned number in decimal or 0x-hexadecimal, at most nMax.
bool ParseUnsigned(const char* text, unsigned long long nMax, unsigned long long& value) {
  if (!text) return false;
  std::string_view s(text);
  int base = 10;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  if (s.empty()) return false;
  unsigned long long v = 0;
  for (char c : s) {
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      return false;
    v = v * base + digit;
    if (v > nMax) return false;
  }
  value = v;
  return true;
}

std::string Quoted(const char* text) { return std::string("'") + (text ? text : "") + "'"; }

}  // namespace

bool TakeHostWindow(const char* envValue, SaverOptions& options, std::string& error) {
  if (!envValue || !*envValue || options.mode == WindowMode::WindowId) return true;
  unsigned long long id = 0;
  if (!ParseUnsigned(envValue, 0xFFFFFFFFu, id) || id == 0) {
    error = "XSCREENSAVER_WINDOW " + Quoted(envValue) + " is not a window id";
    return false;
  }
  options.mode = WindowMode::WindowId;
  options.nWindowId = static_cast<std::uint32_t>(id);
  return true;
}

bool ParseSaverOptions(int argc, const char* const* argv, SaverOptions& options,
                       std::string& error) {
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (arg[0] != '-') {
      error = "unexpected argument " + Quoted(arg);
      return false;
    }
    const std::string_view name = arg[1] == '-' ? arg + 2 : arg + 1;
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    auto needValue = [&](unsigned long long nMax, unsigned long long& v) {
      if (!value) {
        error = "-" + std::string(name) + " needs a value";
        return false;
      }
      ++i;
      if (!ParseUnsigned(value, nMax, v)) {
        error = "-" + std::string(name) + ": bad value " + Quoted(value);
        return false;
      }
      return true;
    };
    if (name == "h" || name == "help") {
      options.bHelp = true;
      continue;
    }
    if (name == "version") {
      options.bVersion = true;
      continue;
    }
    if (name == "verbose") {
      options.bVerbose = true;
      continue;
    }
    if (name == "root") {
      if (options.mode == WindowMode::Own) options.mode = WindowMode::Root;
      continue;
    }
    if (name == "window-id") {
      unsigned long long v = 0;
      if (!needValue(0xFFFFFFFFu, v)) return false;
      if (v == 0) {
        error = "-window-id: bad value " + Quoted(value);
        return false;
      }
      options.mode = WindowMode::WindowId;
      options.nWindowId = static_cast<std::uint32_t>(v);
      continue;
    }
    if (name == "seed") {
      unsigned long long v = 0;
      if (!needValue(0xFFFFFFFFu, v)) return false;
      options.nSeed = static_cast<unsigned int>(v);
      continue;
    }
    bool known = false;
    for (const MaskRule& rule : kMasks) {
      if (name != rule.name) continue;
      unsigned long long v = 0;
      if (!needValue(static_cast<unsigned>(rule.nAllBits), v)) return false;
      if ((v & rule.nKnownBits) == 0) {
        error = "-" + std::string(name) + ": bad value " + Quoted(value);
        return false;
      }
      std::optional<int>& slot = options.*rule.member;
      slot = slot.value_or(0) | static_cast<int>(v);
      known = true;
    }
    for (const RangeRule& rule : kRanges) {
      if (name != rule.name) continue;
      unsigned long long v = 0;
      if (!needValue(static_cast<unsigned>(rule.nHigh), v)) return false;
      options.*rule.member = static_cast<int>(v);
      known = true;
    }
    for (const FlagRule& rule : kFlags) {
      if (name != rule.name) continue;
      options.*rule.member = rule.nValue;
      known = true;
    }
    if (!known) {
      error = "unknown option " + Quoted(arg);
      return false;
    }
  }
  return true;
}

void ApplySaverOptions(const SaverOptions& o, CSaverApp& app) {
  if (o.nCurveType) app.m_nCurveType = *o.nCurveType;
  if (o.nColourScheme) app.m_nColourScheme = *o.nColourScheme;
  if (o.nBlankingMethod) app.m_nBlankingMethod = *o.nBlankingMethod;
  if (o.nDelaySeconds) app.m_nCompletionDelay = *o.nDelaySeconds * 1000;
  if (o.bExtraMemory) app.m_bExtraMemory = *o.bExtraMemory;
  if (o.nMinIterations) app.m_nMinIterations = *o.nMinIterations;
  if (o.nMaxIterations) app.m_nMaxIterations = *o.nMaxIterations;
  if (o.nExcludeCurves) app.m_nExcludeCurves = *o.nExcludeCurves;
}
