#include "colour/scheme_registry.h"

#include <array>
#include <new>

#include "colour/colour_scheme.h"

namespace {

struct SchemeInfo {
  const char* pszName;
  int nCycle;
};

// Indexed by bit number.
constexpr std::array<SchemeInfo, kSchemeCount> kSchemes{{
    {"Rainbow", 7},
    {"Mono", 2},
    {"Bold 1", 14},
    {"Bold 2", 14},
    {"Bold 3", 14},
    {"Bold 4", 14},
    {"Bold 5", 14},
    {"Bold 6", 14},
    {"Firestorm", 253},
    {"Valentine", 253},
    {"Stormy Night", 253},
    {"Red / Purple", 253},
    {"Green / Yellow", 253},
    {"Blue / Green", 253},
    {"Aluminium Foils", 254},
    {"Metallic", 254},
}};

constexpr int kAluminiumFoilsBit = 0x4000;
constexpr int kMetallicBit = 0x8000;

// The bit number of a single-bit value, or -1.
int BitNumber(int nBit) {
  for (int i = 0; i < kSchemeCount; ++i) {
    if (nBit == (1 << i)) return i;
  }
  return -1;
}

template <class T, class... Args>
std::unique_ptr<CColourScheme> New(Args&... args) {
  return std::unique_ptr<CColourScheme>(new (std::nothrow) T(args...));
}

}  // namespace

const char* SchemeName(int nBit) {
  const int i = BitNumber(nBit);
  return i < 0 ? nullptr : kSchemes[i].pszName;
}

int SchemeBitFromName(const std::string& strName) {
  for (int i = 0; i < kSchemeCount; ++i) {
    if (strName == kSchemes[i].pszName) return 1 << i;
  }
  return 0;
}

int SchemeCycleLength(int nBit) {
  const int i = BitNumber(nBit);
  return i < 0 ? 0 : kSchemes[i].nCycle;
}

std::unique_ptr<CColourScheme> CreateScheme(int nBit, CSchemeVariants& variants) {
  switch (BitNumber(nBit)) {
    case 0: return New<CRainbowScheme>();
    case 1: return New<CMonoScheme>();
    case 2: return New<CBold1Scheme>();
    case 3: return New<CBold2Scheme>();
    case 4: return New<CBold3Scheme>();
    case 5: return New<CBold4Scheme>();
    case 6: return New<CBold5Scheme>();
    case 7: return New<CBold6Scheme>();
    case 8: return New<CFirestormScheme>();
    case 9: return New<CValentineScheme>();
    case 10: return New<CStormyNightScheme>();
    case 11: return New<CRedPurpleScheme>();
    case 12: return New<CGreenYellowScheme>();
    case 13: return New<CBlueGreenScheme>();
    case 14: return New<CAluminiumFoilsScheme>(variants);
    case 15: return New<CMetallicScheme>(variants);
    default: return nullptr;
  }
}

bool SetSchemeVariant(CSchemeVariants& variants, int nBit, int nVariant) {
  const auto v = static_cast<std::int16_t>(((nVariant % 6) + 6) % 6);
  if (nBit == kMetallicBit) {
    variants.nMetallic = v;
    return true;
  }
  if (nBit == kAluminiumFoilsBit) {
    variants.nAluminiumFoils = v;
    return true;
  }
  return false;
}

int SchemeVariant(const CSchemeVariants& variants, int nBit) {
  if (nBit == kMetallicBit) return variants.nMetallic;
  if (nBit == kAluminiumFoilsBit) return variants.nAluminiumFoils;
  return 0;
}
