#include "colour/colour_scheme.h"
#include "colour/scheme_tables.h"

// "Metallic" and "Aluminium Foils": straight-line pieces per channel over a
// 254-step cycle, with a channel order that moves on with every destroyed
// object. Double rounding of base + slope * h lifts several results onto the
// integer just above, so this must stay one double multiply and one add.

namespace {

template <std::size_t N>
const scheme_tables::Segment& FindSegment(const std::array<scheme_tables::Segment, N>& table,
                                          int t) {
  // A negative t (no caller makes one) falls into the first piece.
  for (const scheme_tables::Segment& segment : table) {
    if (t <= segment.nLast) return segment;
  }
  return table.back();
}

std::uint8_t SegmentChannel(const scheme_tables::Line& line, int h) {
  return static_cast<std::uint8_t>(TruncToInt(line.dBase + line.dSlope * h));
}

COLORREF Compose(std::uint8_t c0, std::uint8_t c1, std::uint8_t c2, int nVariant) {
  const std::uint8_t c[3] = {c0, c1, c2};
  const auto& order = scheme_tables::kChannelOrders[nVariant >= 0 && nVariant <= 5 ? nVariant : 0];
  return MakeColour(c[order[0]], c[order[1]], c[order[2]]);
}

std::int16_t NextVariant(std::int16_t nVariant) {
  return static_cast<std::int16_t>(nVariant + 1 > 5 ? 0 : nVariant + 1);
}

// The truncated product itself is the colour value, as in "Mono".
COLORREF RawInsideColour(double dModulus) {
  return static_cast<COLORREF>(TruncToInt(dModulus * 254)) & 0x00FFFFFFu;
}

}  // namespace

CAluminiumFoilsScheme::~CAluminiumFoilsScheme() { s_nVariant = NextVariant(s_nVariant); }

COLORREF CAluminiumFoilsScheme::InsideColour(double dModulus) { return RawInsideColour(dModulus); }

COLORREF CAluminiumFoilsScheme::CountColour(int nCount) {
  const int t = nCount % 254;
  const scheme_tables::Segment& segment = FindSegment(scheme_tables::kAluminiumFoils, t);
  const int h = t + segment.nOffset;
  m_c0 = SegmentChannel(segment.c0, h);
  m_c1 = SegmentChannel(segment.c1, h);
  m_c2 = SegmentChannel(segment.c2, h);
  return Compose(m_c0, m_c1, m_c2, s_nVariant);
}

COLORREF CAluminiumFoilsScheme::RootColour(int nCount, int, int) { return CountColour(nCount); }

CMetallicScheme::~CMetallicScheme() { s_nVariant = NextVariant(s_nVariant); }

COLORREF CMetallicScheme::InsideColour(double dModulus) { return RawInsideColour(dModulus); }

COLORREF CMetallicScheme::CountColour(int nCount) {
  const int t = nCount % 254;
  const scheme_tables::Segment& segment = FindSegment(scheme_tables::kMetallic, t);
  const int h = t + segment.nOffset;
  m_c0 = SegmentChannel(segment.c0, h);
  m_c1 = SegmentChannel(segment.c1, h);
  m_c2 = SegmentChannel(segment.c2, h);
  return Compose(m_c0, m_c1, m_c2, s_nVariant);
}

COLORREF CMetallicScheme::RootColour(int nCount, int, int) { return CountColour(nCount); }
