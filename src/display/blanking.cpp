#include "display/blanking.h"

#include "app/random.h"

const char* BlankingName(int nBlanking) {
  switch (nBlanking) {
    case kWexlyFade: return "Wexly Fade";
    case kNoFade: return "No Fade";
    default: return "Fast Fade";
  }
}

int ChooseBlanking(int nMask, bool bAfterNext) {
  if (bAfterNext || nMask == 0) return kFastFade;
  if (nMask == kWexlyFade || nMask == kFastFade || nMask == kNoFade) return nMask;
  // No known method bit (a hand-edited store): no draw could ever match.
  if ((nMask & (kFastFade | kWexlyFade | kNoFade)) == 0) return kFastFade;
  int b = 0;
  do {
    b = Rand() % 3 + 1;
  } while ((nMask & (1 << b)) == 0);
  return 1 << b;
}
