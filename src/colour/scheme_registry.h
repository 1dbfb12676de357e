#pragma once

#include <memory>
#include <string>

class CColourScheme;
struct CSchemeVariants;

// The sixteen schemes by their bit in the "ColourScheme" mask (0x0001
// "Rainbow" to 0x8000 "Metallic"). A bit is one of those sixteen values;
// anything else is unknown.

constexpr int kSchemeCount = 16;
constexpr int kAllSchemes = 0xFFFF;

// The label of the configuration page ("Rainbow", "Bold 1", "Red / Purple",
// ...); nullptr for an unknown bit.
const char* SchemeName(int nBit);
// The bit of a page label, compared exactly; 0 if unknown.
int SchemeBitFromName(const std::string& strName);
// A new object of the scheme's class, "Metallic" and "Aluminium Foils" on the
// given counters; null for an unknown bit or when out of memory.
std::unique_ptr<CColourScheme> CreateScheme(int nBit, CSchemeVariants& variants);
// How many indices the scheme's CountColour takes before it repeats
// (7, 2, 14, 253 or 254); 0 for an unknown bit.
int SchemeCycleLength(int nBit);
// Sets the channel-order counter of "Metallic" or "Aluminium Foils" to
// nVariant modulo 6; false (and nothing changed) for any other bit.
bool SetSchemeVariant(CSchemeVariants& variants, int nBit, int nVariant);
// The counter of "Metallic" or "Aluminium Foils"; 0 for any other bit.
int SchemeVariant(const CSchemeVariants& variants, int nBit);

// The scheme for the next picture, a random enabled one of the "ColourScheme"
// mask, and its bit; a null scheme when out of memory.
struct CChosenScheme {
  std::unique_ptr<CColourScheme> pScheme;
  int nBit = 0;
};
CChosenScheme ChooseSchemeFor(int nMask, CSchemeVariants& variants);
