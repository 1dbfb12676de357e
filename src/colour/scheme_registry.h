#pragma once

#include <memory>
#include <string>

class CColourScheme;
struct CSchemeVariants;

// The schemes of colour/scheme_list.h by their bit in the "ColourScheme"
// mask (0x0001 "Rainbow" on). A bit is a single bit of a row; anything else
// is unknown.

// The label of the configuration page ("Rainbow", "Bold 1", "Red / Purple",
// ...); nullptr for an unknown bit.
const char* SchemeName(int nBit);
// The bit of a page label, compared exactly; 0 if unknown.
int SchemeBitFromName(const std::string& strName);
// A new object of the scheme's class, those with a channel-order counter
// ("Metallic", "Aluminium Foils") on the given ones; null for an unknown bit
// or when out of memory.
std::unique_ptr<CColourScheme> CreateScheme(int nBit, CSchemeVariants& variants);
// How many indices the scheme's CountColour takes before it repeats; 0 for
// an unknown bit.
int SchemeCycleLength(int nBit);
// Sets the scheme's channel-order counter to nVariant modulo 6; false (and
// nothing changed) for a scheme without one.
bool SetSchemeVariant(CSchemeVariants& variants, int nBit, int nVariant);
// The scheme's channel-order counter; 0 for a scheme without one.
int SchemeVariant(const CSchemeVariants& variants, int nBit);

// The scheme for the next picture, a random enabled one of the "ColourScheme"
// mask, and its bit; a null scheme when out of memory.
struct CChosenScheme {
  std::unique_ptr<CColourScheme> pScheme;
  int nBit = 0;
};
CChosenScheme ChooseSchemeFor(int nMask, CSchemeVariants& variants);
