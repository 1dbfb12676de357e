#pragma once

#include <memory>

#include "colour/colour_scheme.h"

// The scheme of one show's current picture and the channel-order counters
// its replacements advance, so that every show goes through the orders as
// if it were alone.
class CSchemeChoice {
 public:
  // A random enabled scheme of the "ColourScheme" mask replaces the current
  // one; when out of memory the current one stays.
  void Choose(int nMask);

  CColourScheme* Scheme() const { return m_pScheme.get(); }
  // The bit of the current scheme (0 before the first choice).
  int Bit() const { return m_nBit; }
  const CSchemeVariants& Variants() const { return m_variants; }

 private:
  // Declared before the scheme, which advances them when destroyed.
  CSchemeVariants m_variants;
  std::unique_ptr<CColourScheme> m_pScheme;
  int m_nBit = 0;
};
