#include "colour/colour_scheme.h"
#include "colour/scheme_tables.h"

namespace {

std::uint8_t GradientChannel(const scheme_tables::GradientLine& line, int t) {
  // Stored modulo 256: the green channel wraps from 0 to 254 after t = 221.
  return static_cast<std::uint8_t>(TruncToInt(line.dBase + line.dSlope * (t + line.nOffset)));
}

}  // namespace

void CGradientScheme::SetGradientColour(int nIndex) {
  const int t = nIndex % 253;
  // A negative t takes the first piece's formulas.
  for (const scheme_tables::GradientPiece& piece : scheme_tables::kGradient) {
    if (t <= piece.nLast) {
      m_c0 = GradientChannel(piece.c0, t);
      m_c1 = GradientChannel(piece.c1, t);
      m_c2 = GradientChannel(piece.c2, t);
      return;
    }
  }
}

COLORREF CGradientScheme::InsideColour(double dModulus) {
  return CountColour(TruncToInt(dModulus * 253));
}

// Root 1 walks the cycle forwards two steps per Newton step, root 2 walks it
// backwards from the same start, so the two basins mirror each other.
COLORREF CGradientScheme::RootColour(int nCount, int nRoots, int nRoot) {
  if (nRoots != 2) return CountColour(nCount);
  // Wrapping arithmetic: a hand-edited iteration limit may make 2n overflow.
  const unsigned twice = 2u * static_cast<unsigned>(nCount);
  return CountColour(static_cast<int>(nRoot == 1 ? twice : 253u - twice));
}

COLORREF CFirestormScheme::CountColour(int nCount) {
  SetGradientColour(nCount);
  return MakeColour(m_c0, m_c1, m_c2);
}

COLORREF CValentineScheme::CountColour(int nCount) {
  SetGradientColour(nCount);
  return MakeColour(m_c1, m_c2, m_c0);
}

COLORREF CStormyNightScheme::CountColour(int nCount) {
  SetGradientColour(nCount);
  return MakeColour(m_c2, m_c1, m_c0);
}

COLORREF CRedPurpleScheme::CountColour(int nCount) {
  SetGradientColour(nCount);
  return MakeColour(m_c0, m_c2, m_c1);
}

COLORREF CGreenYellowScheme::CountColour(int nCount) {
  SetGradientColour(nCount);
  return MakeColour(m_c1, m_c0, m_c2);
}

COLORREF CBlueGreenScheme::CountColour(int nCount) {
  SetGradientColour(nCount);
  return MakeColour(m_c2, m_c0, m_c1);
}
