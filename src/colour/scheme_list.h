#pragma once

#include <cstdint>
#include <iterator>
#include <memory>
#include <new>
#include <type_traits>

#include "colour/colour_scheme.h"

// The colour schemes, one row each, in the order of their bits in the
// "ColourScheme" mask (row i is bit 1 << i). Whatever lists the schemes (the
// names, the choice, the Colour Schemes page, the XScreenSaver options file)
// walks this table.

// A new object of the scheme, null when out of memory.
using SchemeFactory = std::unique_ptr<CColourScheme> (*)(CSchemeVariants& variants);

struct CSchemeRow {
  const char* pszName;  // the check box's label, which the renderer also takes
  const char* pszDialogId;  // its check box in the XScreenSaver dialog
  int nCycle;           // indices CountColour takes before it repeats
  int nControlId;       // the check box in the Colour Schemes page's template
  SchemeFactory pfnCreate;
  // The show's channel-order counter the scheme moves on; null for none.
  std::int16_t CSchemeVariants::*pVariant = nullptr;
};

template <class T>
std::unique_ptr<CColourScheme> NewScheme(CSchemeVariants& variants) {
  if constexpr (std::is_constructible_v<T, CSchemeVariants&>)
    return std::unique_ptr<CColourScheme>(new (std::nothrow) T(variants));
  else
    return std::unique_ptr<CColourScheme>(new (std::nothrow) T());
}

inline constexpr CSchemeRow kSchemeList[] = {
    {"Rainbow", "rainbow", 7, 1013, &NewScheme<CRainbowScheme>},
    {"Mono", "mono", 2, 1006, &NewScheme<CMonoScheme>},
    {"Bold 1", "bold1", 14, 1007, &NewScheme<CBold1Scheme>},
    {"Bold 2", "bold2", 14, 1008, &NewScheme<CBold2Scheme>},
    {"Bold 3", "bold3", 14, 1009, &NewScheme<CBold3Scheme>},
    {"Bold 4", "bold4", 14, 1010, &NewScheme<CBold4Scheme>},
    {"Bold 5", "bold5", 14, 1011, &NewScheme<CBold5Scheme>},
    {"Bold 6", "bold6", 14, 1012, &NewScheme<CBold6Scheme>},
    {"Firestorm", "firestorm", 253, 1014, &NewScheme<CFirestormScheme>},
    {"Valentine", "valentine", 253, 1015, &NewScheme<CValentineScheme>},
    {"Stormy Night", "stormynight", 253, 1016, &NewScheme<CStormyNightScheme>},
    {"Red / Purple", "redpurple", 253, 1017, &NewScheme<CRedPurpleScheme>},
    {"Green / Yellow", "greenyellow", 253, 1018, &NewScheme<CGreenYellowScheme>},
    {"Blue / Green", "bluegreen", 253, 1019, &NewScheme<CBlueGreenScheme>},
    {"Aluminium Foils", "foils", 254, 1030, &NewScheme<CAluminiumFoilsScheme>,
     &CSchemeVariants::nAluminiumFoils},
    {"Metallic", "metallic", 254, 1031, &NewScheme<CMetallicScheme>, &CSchemeVariants::nMetallic},
};

constexpr int kSchemeCount = static_cast<int>(std::size(kSchemeList));
static_assert(kSchemeCount < 31, "the scheme bits must fit the mask");
constexpr int kAllSchemes = (1 << kSchemeCount) - 1;
