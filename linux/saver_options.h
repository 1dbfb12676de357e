#pragma once

#include <cstdint>
#include <optional>
#include <string>

class CSaverApp;

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

  std::optional<int> nCurveType;
  std::optional<int> nColourScheme;
  std::optional<int> nBlankingMethod;
  std::optional<int> nDelaySeconds;
  std::optional<int> bExtraMemory;
  std::optional<int> nMinIterations;
  std::optional<int> nMaxIterations;
  std::optional<int> nExcludeCurves;
  std::optional<unsigned int> nSeed;
};

// Fills options from argv (one or two leading dashes alike). The masks may be
// given several times and are then combined, which is how the XScreenSaver
// dialog's check boxes reach us. False with a one-line message on error.
bool ParseSaverOptions(int argc, const char* const* argv, SaverOptions& options,
                       std::string& error);

// $XSCREENSAVER_WINDOW, when the host set it, names the window to draw in.
bool TakeHostWindow(const char* envValue, SaverOptions& options, std::string& error);

// Overrides the loaded settings with what the command line gave.
void ApplySaverOptions(const SaverOptions& options, CSaverApp& app);

extern const char* const kSaverUsage;
