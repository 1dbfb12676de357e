#include "x11/app/saver_options_x11.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "app/settings_table.h"

namespace {

// The settings' options in the order of SaveSettings, which is also the order of the usage and the printout.
template <class Fn>
void ForEachOption(Fn fn) {
  for (std::size_t i : kSaveOrder)
    if (kSettings[i].option != EOptionKind::None) fn(i, kSettings[i]);
}

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

// GNU style, so that help2man makes the manual page from it.
std::string SaverUsage() {
  std::string usage =
      "Usage: mirovane [OPTION]...\n"
      "Draw mirovane's fractal slide show as an XScreenSaver display mode.\n"
      "\n"
      "Options (one dash or two):\n"
      "  -root                 draw on the root window\n"
      "  -window-id ID         draw in the window ID\n";
  ForEachOption([&](std::size_t, const CSettingDef& setting) {
    std::string head = std::string("  -") + setting.pszOption;
    if (*setting.pszOptionArg) head += std::string(" ") + setting.pszOptionArg;
    head.resize(std::max<std::size_t>(head.size() + 1, 24), ' ');
    usage += head + setting.pszOptionHelp + "\n";
  });
  return usage +
         "  -seed N               random seed (default: the time)\n"
         "  -verbose              print the settings in effect and a line per finished picture\n"
         "  -help                 show this help and exit\n"
         "  -version              show the version and exit\n"
         "\n"
         "Settings not given come from $XDG_CONFIG_HOME/Tolvarn/mirovane.ini (default\n"
         "~/.config/Tolvarn/mirovane.ini): a regular file of at most 1 MB, a UTF-8 mark\n"
         "allowed. Anything else counts as no settings; -verbose says so.\n";
}

std::string SettingsLine(const CSettings& app) {
  std::string line;
  ForEachOption([&](std::size_t, const CSettingDef& setting) {
    if (!line.empty()) line += ' ';
    line += std::string(setting.pszPrintName ? setting.pszPrintName : setting.pszOption) + " " +
            std::to_string(app.*setting.pInt);
  });
  return line;
}

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
    bool ok = true;
    ForEachOption([&](std::size_t index, const CSettingDef& setting) {
      if (known || !ok) return;
      std::optional<int>& slot = options.settings[index];
      if (setting.option == EOptionKind::Flag) {
        if (name == setting.pszOption) slot = 1;
        else if (name == setting.pszOffOption) slot = 0;
        else return;
        known = true;
        return;
      }
      if (name != setting.pszOption) return;
      known = true;
      unsigned long long v = 0;
      const bool mask = setting.option == EOptionKind::Mask;
      if (!needValue(static_cast<unsigned>(mask ? setting.nAllBits : setting.nHigh), v) ||
          (mask && (v & static_cast<unsigned>(setting.nKnownBits)) == 0) ||
          (!mask && v < static_cast<unsigned>(setting.nLow))) {
        if (error.empty()) error = "-" + std::string(name) + ": bad value " + Quoted(value);
        ok = false;
        return;
      }
      slot = mask ? slot.value_or(0) | static_cast<int>(v) : static_cast<int>(v);
    });
    if (!ok) return false;
    if (!known) {
      error = "unknown option " + Quoted(arg);
      return false;
    }
  }
  return true;
}

void ApplySaverOptions(const SaverOptions& o, CSettings& app) {
  for (std::size_t i = 0; i < kSettingCount; ++i)
    if (o.settings[i] && kSettings[i].pInt) app.*kSettings[i].pInt = AdjustRead(kSettings[i], *o.settings[i]);
}
