#include "colour/scheme_registry.h"

#include <string_view>

#include "app/settings_table.h"
#include "colour/colour_scheme.h"
#include "colour/scheme_list.h"

namespace {

// The settings table sits below the schemes, so it cannot read this one;
// these checks hold the two together.
constexpr bool HelpNamesTopBit(std::string_view help) {
  constexpr std::string_view kHead = "colour schemes, 1 to ";
  if (help.substr(0, kHead.size()) != kHead) return false;
  int nTop = 0;
  for (std::size_t i = kHead.size(); i < help.size() && help[i] >= '0' && help[i] <= '9'; ++i)
    nTop = nTop * 10 + (help[i] - '0');
  return nTop == 1 << (kSchemeCount - 1);
}

constexpr const CSettingDef& kColourSchemeSetting = SettingOf(&CSettings::m_nColourScheme);
static_assert(kColourSchemeSetting.nKnownBits == kAllSchemes &&
                  kColourSchemeSetting.nAllBits == kAllSchemes &&
                  kColourSchemeSetting.nZeroAs == kAllSchemes,
              "the ColourScheme setting's masks must be every scheme's bit");
static_assert(HelpNamesTopBit(kColourSchemeSetting.pszOptionHelp),
              "the ColourScheme help must name the last scheme's bit");

// The row of a single-bit value, or null.
const CSchemeRow* RowOf(int nBit) {
  for (int i = 0; i < kSchemeCount; ++i) {
    if (nBit == (1 << i)) return &kSchemeList[i];
  }
  return nullptr;
}

}  // namespace

const char* SchemeName(int nBit) {
  const CSchemeRow* pRow = RowOf(nBit);
  return pRow ? pRow->pszName : nullptr;
}

int SchemeBitFromName(const std::string& strName) {
  for (int i = 0; i < kSchemeCount; ++i) {
    if (strName == kSchemeList[i].pszName) return 1 << i;
  }
  return 0;
}

int SchemeCycleLength(int nBit) {
  const CSchemeRow* pRow = RowOf(nBit);
  return pRow ? pRow->nCycle : 0;
}

std::unique_ptr<CColourScheme> CreateScheme(int nBit, CSchemeVariants& variants) {
  const CSchemeRow* pRow = RowOf(nBit);
  return pRow ? pRow->pfnCreate(variants) : nullptr;
}

bool SetSchemeVariant(CSchemeVariants& variants, int nBit, int nVariant) {
  const CSchemeRow* pRow = RowOf(nBit);
  if (!pRow || !pRow->pVariant) return false;
  variants.*pRow->pVariant = static_cast<std::int16_t>(((nVariant % 6) + 6) % 6);
  return true;
}

int SchemeVariant(const CSchemeVariants& variants, int nBit) {
  const CSchemeRow* pRow = RowOf(nBit);
  return pRow && pRow->pVariant ? variants.*pRow->pVariant : 0;
}
