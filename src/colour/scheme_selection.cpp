#include "app/random.h"
#include "colour/colour_scheme.h"
#include "colour/scheme_choice.h"
#include "colour/scheme_list.h"
#include "colour/scheme_registry.h"

namespace {

// The bit number to show for a mask; draws only when more than one scheme
// could match.
int ChooseSchemeBitNumber(int nMask) {
  if (nMask == 0) return 0;
  for (int i = 0; i < kSchemeCount; ++i) {
    if (nMask == (1 << i)) return i;
  }
  // No scheme bit at all (a hand-edited store) would never match a draw:
  // show "Rainbow", as for an empty mask.
  if ((nMask & kAllSchemes) == 0) return 0;
  // Disabled schemes are drawn and thrown back, so each enabled one is
  // equally likely.
  for (;;) {
    const int k = Rand() % kSchemeCount;
    if (nMask & (1 << k)) return k;
  }
}

}  // namespace

CChosenScheme ChooseSchemeFor(int nMask, CSchemeVariants& variants) {
  const int nBit = 1 << ChooseSchemeBitNumber(nMask);
  return {CreateScheme(nBit, variants), nBit};
}

void CSchemeChoice::Choose(int nMask) {
  CChosenScheme chosen = ChooseSchemeFor(nMask, m_variants);
  // Out of memory: the previous scheme colours the next picture too.
  if (!chosen.pScheme) return;
  // Replacing destroys the previous scheme, which advances a Metallic or
  // Aluminium Foils channel order before the new scheme draws anything.
  m_pScheme = std::move(chosen.pScheme);
  m_nBit = chosen.nBit;
}
