#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <type_traits>

// The user's settings as plain values, each declared below with how it is
// stored. Written before any drawing thread exists; drawing only reads them.
struct CSettings {
  int m_nCompletionDelay = 0;
  int m_bExtraMemory = 0;
  int m_nBlankingMethod = 0;
  int m_nColourScheme = 0;
  int m_nCurveType = 0;
  int m_nMinIterations = 0;
  int m_nMaxIterations = 0;
  int m_nExcludeCurves = 0;
  int m_bPausingActive = 0;
  int m_bPrintingActive = 0;
  int m_bNextActive = 0;
  std::string m_strPausingKey;
  std::string m_strPrintingKey;
  std::string m_strNextKey;
  int m_nSequenceNo = 0;
  std::string m_strFileLocation;
  int m_nDrawingTime = 0;  // seconds; 0: as fast as the pixels compute
};

// How a stored integer becomes the member's value (writing undoes it).
enum class ESettingAdjust {
  None,
  SecondsToMs,    // the member holds milliseconds, saturating; written back in whole seconds
  ZeroIsDefault,  // a stored 0 (no box checked) reads as nZeroAs; written unchanged
};

// How the Linux display mode takes a setting on its command line.
enum class EOptionKind { None, Mask, Range, Flag };

// One plain setting. Exactly one of pInt and pString is set.
struct CSettingDef {
  const char* pszName;  // as stored
  int CSettings::*pInt = nullptr;
  std::string CSettings::*pString = nullptr;
  int nDefault = 0;  // when missing
  ESettingAdjust adjust = ESettingAdjust::None;
  int nZeroAs = 0;
  // The range the configuration sheet accepts, in stored units (a string:
  // its length in characters); none when nLow > nHigh.
  int nLow = 1;
  int nHigh = 0;
  // Place in SaveSettings' order, from 1; 0: SaveSettings leaves it alone.
  int nSaveRank = 0;
  // Command line: -pszOption (and -pszOffOption for a flag's 0), in stored
  // units; masks given several times are combined.
  EOptionKind option = EOptionKind::None;
  const char* pszOption = nullptr;
  const char* pszOffOption = nullptr;
  int nKnownBits = 0;  // a mask needs one of these and nothing outside nAllBits
  int nAllBits = 0;
  const char* pszOptionArg = "";  // in the usage text
  const char* pszOptionHelp = "";
  const char* pszPrintName = nullptr;  // in the settings printout; the option's name when null
};

// In LoadSettings' order.
inline constexpr CSettingDef kSettings[] = {
    {.pszName = "ExtraMemory", .pInt = &CSettings::m_bExtraMemory, .nSaveRank = 12,
     .option = EOptionKind::Flag, .pszOption = "extra-memory", .pszOffOption = "no-extra-memory",
     .pszOptionHelp = "full-resolution plotting; -no-extra-memory: 2 x 2 blocks"},
    {.pszName = "CompletionDelay", .pInt = &CSettings::m_nCompletionDelay, .nDefault = 1,
     .adjust = ESettingAdjust::SecondsToMs, .nLow = 0, .nHigh = 300, .nSaveRank = 11,
     .option = EOptionKind::Range, .pszOption = "delay", .pszOptionArg = "SECONDS",
     .pszOptionHelp = "how long a finished picture stays, 0 to 300", .pszPrintName = "delay-ms"},
    // Blanking bit 1 and curve bit 32 mean nothing on their own.
    {.pszName = "BlankingMethod", .pInt = &CSettings::m_nBlankingMethod,
     .adjust = ESettingAdjust::ZeroIsDefault, .nZeroAs = 2, .nSaveRank = 3,
     .option = EOptionKind::Mask, .pszOption = "blanking", .nKnownBits = 0xE, .nAllBits = 0xF,
     .pszOptionArg = "MASK", .pszOptionHelp = "blanking methods: 2 Fast Fade, 4 Wexly Fade, 8 No Fade"},
    {.pszName = "ColourScheme", .pInt = &CSettings::m_nColourScheme,
     .adjust = ESettingAdjust::ZeroIsDefault, .nZeroAs = 0xFFFF, .nSaveRank = 2,
     .option = EOptionKind::Mask, .pszOption = "colour-schemes", .nKnownBits = 0xFFFF,
     .nAllBits = 0xFFFF, .pszOptionArg = "MASK",
     .pszOptionHelp = "colour schemes, 1 to 32768, in the order of the settings dialog"},
    {.pszName = "CurveType", .pInt = &CSettings::m_nCurveType,
     .adjust = ESettingAdjust::ZeroIsDefault, .nZeroAs = 0x3F, .nSaveRank = 1,
     .option = EOptionKind::Mask, .pszOption = "curve-types", .nKnownBits = 0x1F, .nAllBits = 0x3F,
     .pszOptionArg = "MASK",
     .pszOptionHelp = "fractal types: 1 Mandelbrot, 2 Julia, 4 Dragon, 8 Phoenix, 16 Newton"},
    {.pszName = "MinIterations", .pInt = &CSettings::m_nMinIterations, .nLow = 0, .nHigh = 999999,
     .nSaveRank = 13, .option = EOptionKind::Range, .pszOption = "min-iterations",
     .pszOptionArg = "N", .pszOptionHelp = "lower iteration limit of the curves shown (0: none)"},
    {.pszName = "MaxIterations", .pInt = &CSettings::m_nMaxIterations, .nLow = 0, .nHigh = 999999,
     .nSaveRank = 14, .option = EOptionKind::Range, .pszOption = "max-iterations",
     .pszOptionArg = "N", .pszOptionHelp = "upper iteration limit of the curves shown (0: none)"},
    {.pszName = "ExcludeCurves", .pInt = &CSettings::m_nExcludeCurves, .nSaveRank = 15,
     .option = EOptionKind::Flag, .pszOption = "exclude", .pszOffOption = "reduce",
     .pszOptionHelp = "leave out curves above the limit; -reduce: lower them to it"},
    {.pszName = "PausingActive", .pInt = &CSettings::m_bPausingActive, .nSaveRank = 4},
    {.pszName = "PrintingActive", .pInt = &CSettings::m_bPrintingActive, .nSaveRank = 5},
    {.pszName = "NextActive", .pInt = &CSettings::m_bNextActive, .nSaveRank = 6},
    // The misspelling is the stored name.
    {.pszName = "PausingKay", .pString = &CSettings::m_strPausingKey, .nLow = 0, .nHigh = 1, .nSaveRank = 7},
    {.pszName = "PrintingKey", .pString = &CSettings::m_strPrintingKey, .nLow = 0, .nHigh = 1, .nSaveRank = 8},
    {.pszName = "NextKey", .pString = &CSettings::m_strNextKey, .nLow = 0, .nHigh = 1, .nSaveRank = 9},
    // Kept by the screenshots alone (SaveSequenceNo).
    {.pszName = "SequenceNo", .pInt = &CSettings::m_nSequenceNo},
    {.pszName = "FileLocation", .pString = &CSettings::m_strFileLocation, .nLow = 0, .nHigh = 255,
     .nSaveRank = 10},
    {.pszName = "DrawingTime", .pInt = &CSettings::m_nDrawingTime, .nLow = 0, .nHigh = 600,
     .nSaveRank = 16, .option = EOptionKind::Range, .pszOption = "drawing-time",
     .pszOptionArg = "SECONDS",
     .pszOptionHelp = "draw each picture over at least this long, 0 (as fast as it computes) to 600"},
};

inline constexpr std::size_t kSettingCount = std::size(kSettings);

inline constexpr std::size_t kSavedCount = [] {
  std::size_t n = 0;
  for (const CSettingDef& s : kSettings) n += s.nSaveRank > 0;
  return n;
}();

// Indexes into kSettings in SaveSettings' order.
inline constexpr auto kSaveOrder = [] {
  std::array<std::size_t, kSavedCount> order{};
  for (std::size_t i = 0; i < kSettingCount; ++i)
    if (kSettings[i].nSaveRank > 0) order[kSettings[i].nSaveRank - 1] = i;
  return order;
}();

static_assert([] {
  for (std::size_t rank = 1; rank <= kSavedCount; ++rank)
    if (kSettings[kSaveOrder[rank - 1]].nSaveRank != static_cast<int>(rank)) return false;
  return true;
}(), "the save ranks must be 1 to the number of saved settings, each once");

// The entry of a member; a member without one does not compile where a constant is needed.
template <class T>
constexpr const CSettingDef& SettingOf(T CSettings::*pMember) {
  for (const CSettingDef& s : kSettings) {
    if constexpr (std::is_same_v<T, int>) {
      if (s.pInt == pMember) return s;
    } else {
      if (s.pString == pMember) return s;
    }
  }
  throw "no such setting";
}

// The member's value from the stored integer, and back.
int AdjustRead(const CSettingDef& setting, int nStored);
int AdjustWrite(const CSettingDef& setting, int nMember);
