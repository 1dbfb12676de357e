#pragma once

// How the old picture goes before a new one is drawn, by its bit in the
// "BlankingMethod" mask.
inline constexpr int kFastFade = 2;
inline constexpr int kWexlyFade = 4;
inline constexpr int kNoFade = 8;

// The page label of a blanking method bit (anything unknown is Fast Fade).
const char* BlankingName(int nBlanking);

// The method of the next picture: Fast Fade after Next or for a mask without
// a known bit, else a random enabled one (drawn only when several are).
int ChooseBlanking(int nMask, bool bAfterNext);
