#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "app/settings_table.h"

// Where the pictures go: a host's window, the root window, or our own.
enum class WindowMode { Own, Root, WindowId };

// The command line of the X11 display mode. Each setting left unset keeps
// the value of the per-user settings file.
struct SaverOptions {
  WindowMode mode = WindowMode::Own;
  std::uint32_t nWindowId = 0;
  bool bHelp = false;
  bool bVersion = false;
  // One line on stdout with the settings in effect, then one per finished picture.
  bool bVerbose = false;

  // By index into kSettings, in stored units (the delay in seconds).
  std::array<std::optional<int>, kSettingCount> settings;
  std::optional<unsigned int> nSeed;

  std::optional<int>& Setting(int CSettings::*pMember) { return settings[IndexOf(pMember)]; }
  const std::optional<int>& Setting(int CSettings::*pMember) const { return settings[IndexOf(pMember)]; }
  static std::size_t IndexOf(int CSettings::*pMember) { return static_cast<std::size_t>(&SettingOf(pMember) - kSettings); }
};

// Fills options from argv (one or two leading dashes alike). The masks may be
// given several times and are then combined, which is how the XScreenSaver
// dialog's check boxes reach us. False with a one-line message on error.
bool ParseSaverOptions(int argc, const char* const* argv, SaverOptions& options,
                       std::string& error);

// $XSCREENSAVER_WINDOW, when the host set it, names the window to draw in.
bool TakeHostWindow(const char* envValue, SaverOptions& options, std::string& error);

// Overrides the loaded settings with what the command line gave.
void ApplySaverOptions(const SaverOptions& options, CSettings& app);

// The --help text.
std::string SaverUsage();

// The settings the command line can set, as they stand: "curve-types 63 ...".
std::string SettingsLine(const CSettings& app);
