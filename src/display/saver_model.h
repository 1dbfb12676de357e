#pragma once

#include <cstddef>
#include <iterator>
#include <span>
#include <string>

#include "app/output_target.h"
#include "app/settings_table.h"
#include "app/show_control.h"

class CSlideShow;

// The full-screen saver's rules, shared by the Windows window and the X11
// display mode; each platform only turns its events into these calls.

// What an input does to the saver.
enum class ESaverAction { Continue, Screenshot, Pause, Next, End };

// Windows virtual-key codes, in which the hot keys are stored.
inline constexpr unsigned kVkMenu = 0x12;  // Alt
inline constexpr unsigned kVkF10 = 0x79;

// A pointer position; (-1, -1) until the first report.
struct CSaverPoint {
  int x = -1;
  int y = -1;
};

// The first report only says where the pointer is (the system reports it
// once when the window appears under it); any later report at another
// place, one pixel is enough, ends the saver. ptLast starts at (-1, -1).
template <class Point>
ESaverAction PointerAction(Point& ptLast, int x, int y) {
  if (ptLast.x == -1 && ptLast.y == -1) {
    ptLast.x = x;
    ptLast.y = y;
    return ESaverAction::Continue;
  }
  return x != ptLast.x || y != ptLast.y ? ESaverAction::End : ESaverAction::Continue;
}

// Any mouse button ends the saver.
constexpr ESaverAction ButtonAction() { return ESaverAction::End; }

// The hot keys in the order Screenshot, Pause, Next, each only while its
// Active flag is set. A key pressed with Alt, Alt itself and F10 are system
// keys and always end the saver.
ESaverAction KeyAction(unsigned nVirtualKey, bool bAltHeld, const CSettings& settings);

// Decides a key and carries out Pause (toggles) and Next (ends the picture at
// once) on the show, which may be null; the caller takes a screenshot or ends.
ESaverAction ActOnKey(unsigned nVirtualKey, bool bAltHeld, const CSettings& settings,
                      CShowControl& control, CSlideShow* pShow);
// The same for a saver with one show per monitor: Next ends every show's
// picture, Pause toggles once, since one gate holds every drawing thread.
ESaverAction ActOnKey(unsigned nVirtualKey, bool bAltHeld, const CSettings& settings,
                      CShowControl& control, std::span<CSlideShow* const> shows);

#ifdef _WIN32
inline constexpr char kScreenshotSeparator = '\\';
#else
inline constexpr char kScreenshotSeparator = '/';
#endif

inline constexpr int kLastSequenceNo = 10000;

// The number of the screenshot after nLast: 1 to 10000, then 0 again; 0
// after a number below 0.
int NextSequenceNo(int nLast);

// "<folder><separator>Wexly Fractals <number, five digits>.bmp", the folder
// as stored; an empty folder gives a name in the root.
std::string ScreenshotName(const std::string& strFolder, int nSequenceNo,
                           char separator = kScreenshotSeparator);

// Names were composed in a 256-character buffer: the folder may take what the
// separator, the words, five digits, ".bmp" and the terminator leave.
inline constexpr std::size_t kMaxScreenshotFolder = 256 - std::size("\\Wexly Fractals 00000.bmp");

// Advances the number, stores it, then writes the picture under its name;
// the number is used up even when the file cannot be written, so a retry
// never overwrites. When the number cannot be stored (a read-only settings
// file), the next session would take it again: then no file already there
// is replaced, and the next free number is taken. write(name, mode) writes
// the file and says Written, Exists (only with KeepExisting) or Failed;
// saveNumber() stores the settings' number and says whether it could.
template <class WriteFn, class SaveFn>
bool TakeScreenshot(CSettings& settings, WriteFn write, SaveFn saveNumber) {
  // Every number once at most: a folder full of screenshots ends the search.
  for (int nTry = 0; nTry <= kLastSequenceNo; ++nTry) {
    settings.m_nSequenceNo = NextSequenceNo(settings.m_nSequenceNo);
    const OutputMode mode = saveNumber() ? OutputMode::Replace : OutputMode::KeepExisting;
    const OutputResult result = write(ScreenshotName(settings.m_strFileLocation, settings.m_nSequenceNo), mode);
    if (result != OutputResult::Exists) return result == OutputResult::Written;
  }
  return false;
}
