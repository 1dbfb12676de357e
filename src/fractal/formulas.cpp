#include "fractal/formulas.h"

#include <cstring>
#include <string_view>

#include "app/settings_table.h"

namespace {

// The settings table sits below the formulas, so it cannot read this one;
// these checks hold the two together.
constexpr bool HelpListsFormulas(std::string_view help) {
  constexpr std::string_view kHead = "fractal types: ";
  if (help.substr(0, kHead.size()) != kHead) return false;
  help.remove_prefix(kHead.size());
  for (std::size_t i = 0; i < kFormulaCount; ++i) {
    std::string_view item = help.substr(0, help.find(", "));
    const std::size_t space = item.find(' ');
    if (space == std::string_view::npos || item.substr(space + 1) != kFormulas[i].pszLabel)
      return false;
    int nBit = 0;
    for (const char c : item.substr(0, space)) nBit = nBit * 10 + (c - '0');
    if (nBit != kFormulas[i].nTypeBit) return false;
    help.remove_prefix(item.size());
    if (i + 1 < kFormulaCount) {
      if (help.substr(0, 2) != ", ") return false;
      help.remove_prefix(2);
    }
  }
  return help.empty();
}

constexpr const CSettingDef& kCurveTypeSetting = SettingOf(&CSettings::m_nCurveType);
static_assert(kCurveTypeSetting.nKnownBits == kAllFormulaBits,
              "the CurveType setting must know every formula's bit");
// The one bit above the formulas is stored but shows nothing on its own.
static_assert(kCurveTypeSetting.nAllBits == (kAllFormulaBits << 1 | kAllFormulaBits) &&
                  kCurveTypeSetting.nZeroAs == kCurveTypeSetting.nAllBits,
              "the CurveType setting's whole mask must be the formulas' and the bit above");
static_assert(HelpListsFormulas(kCurveTypeSetting.pszOptionHelp),
              "the CurveType help must list each formula's bit and label");

}  // namespace

const CFormula* FormulaOfBit(int nTypeBit) {
  for (const CFormula& f : kFormulas)
    if (f.nTypeBit == nTypeBit) return &f;
  return nullptr;
}

const CFormula* FormulaOfName(const char* pszName) {
  for (const CFormula& f : kFormulas)
    if (std::strcmp(f.pszName, pszName) == 0) return &f;
  return nullptr;
}

const CFormula* FormulaOfCurve(const CCurve& curve) {
  for (const CFormula& f : kFormulas)
    if (typeid(curve) == *f.pCurveClass) return &f;
  return nullptr;
}

const char* CurveTypeName(int nTypeBit) {
  const CFormula* pFormula = FormulaOfBit(nTypeBit);
  return pFormula ? pFormula->pszName : "unknown";
}
