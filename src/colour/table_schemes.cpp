#include <climits>

#include "colour/colour_scheme.h"
#include "colour/scheme_tables.h"

// "Rainbow", "Mono" and the six Bold schemes. Remainders keep the sign of
// the dividend; a negative index (only the mirrored gradient roots make one,
// but nothing forbids it here) gives black.

int TruncToInt(double v) {
  if (v > -2147483649.0 && v < 2147483648.0) return static_cast<int>(v);
  return INT_MIN;
}

COLORREF CRainbowScheme::InsideColour(double dModulus) {
  return CountColour(TruncToInt(dModulus * 7));
}

COLORREF CRainbowScheme::CountColour(int nCount) {
  const int r = nCount % 7;
  if (r < 0) return 0;
  const scheme_tables::Rgb& c = scheme_tables::kRainbow[r];
  return MakeColour(c.r, c.g, c.b);
}

COLORREF CRainbowScheme::RootColour(int nCount, int, int) { return CountColour(nCount); }

// The truncated product itself is the colour: black or a very dark red. The
// mask only matters for values no curve passes (NaN, beyond any bail-out).
COLORREF CMonoScheme::InsideColour(double dModulus) {
  return static_cast<COLORREF>(TruncToInt(dModulus * 2)) & 0x00FFFFFFu;
}

COLORREF CMonoScheme::CountColour(int nCount) {
  return nCount % 2 == 0 ? MakeColour(255, 255, 255) : 0;
}

COLORREF CMonoScheme::RootColour(int nCount, int, int) { return CountColour(nCount); }

void CBoldScheme::SetBoldColour(int nIndex) {
  m_c0 = m_c1 = m_c2 = 0;
  const int r = nIndex % 14;
  if (r < 0) return;
  const scheme_tables::Rgb& c = scheme_tables::kBold[r];
  m_c0 = c.r;
  m_c1 = c.g;
  m_c2 = c.b;
}

COLORREF CBoldScheme::InsideColour(double dModulus) {
  return CountColour(TruncToInt(dModulus * 14));
}

COLORREF CBoldScheme::RootColour(int nCount, int, int) { return CountColour(nCount); }

COLORREF CBold1Scheme::CountColour(int nCount) {
  SetBoldColour(nCount);
  return MakeColour(m_c0, m_c1, m_c2);
}

COLORREF CBold2Scheme::CountColour(int nCount) {
  SetBoldColour(nCount);
  return MakeColour(m_c0, m_c2, m_c1);
}

COLORREF CBold3Scheme::CountColour(int nCount) {
  SetBoldColour(nCount);
  return MakeColour(m_c1, m_c0, m_c2);
}

COLORREF CBold4Scheme::CountColour(int nCount) {
  SetBoldColour(nCount);
  return MakeColour(m_c1, m_c2, m_c0);
}

COLORREF CBold5Scheme::CountColour(int nCount) {
  SetBoldColour(nCount);
  return MakeColour(m_c2, m_c1, m_c0);
}

COLORREF CBold6Scheme::CountColour(int nCount) {
  SetBoldColour(nCount);
  return MakeColour(m_c2, m_c0, m_c1);
}
