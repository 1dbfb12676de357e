#pragma once

#include <array>
#include <cstdint>

// The colour data of the sixteen schemes. Every fractional number is written
// as the decimal whose nearest double the colour functions must use: some
// colours sit exactly on the double rounding of these products.

namespace scheme_tables {

struct Rgb {
  std::uint8_t r, g, b;
};

inline constexpr std::array<Rgb, 7> kRainbow{{
    {255, 0, 0},
    {255, 128, 0},
    {255, 255, 0},
    {0, 255, 0},
    {0, 0, 255},
    {128, 64, 196},
    {255, 0, 255},
}};

// Channel bytes m_c0, m_c1, m_c2 of the Bold schemes, before channel ordering.
inline constexpr std::array<Rgb, 14> kBold{{
    {0, 0, 84},
    {0, 0, 168},
    {0, 0, 252},
    {0, 84, 252},
    {0, 168, 252},
    {0, 252, 252},
    {252, 252, 168},
    {252, 252, 0},
    {252, 168, 0},
    {252, 84, 0},
    {252, 0, 0},
    {168, 0, 0},
    {84, 0, 0},
    {252, 252, 84},
}};

// One channel of a straight-line piece: trunc(dBase + dSlope * h), stored
// modulo 256. Integer lines are exact in double, so one form serves all.
struct Line {
  double dBase;
  double dSlope;
};

// A piece covers the indices up to nLast (from the end of the previous piece,
// the first piece also every negative index); h = t + nOffset.
struct Segment {
  int nLast;
  int nOffset;
  Line c0, c1, c2;
};

// The gradient cycle of 253 steps; each channel has its own origin here, so
// a channel is trunc(dBase + dSlope * (t + nOffset)).
struct GradientLine {
  double dBase;
  double dSlope;
  int nOffset;
};

struct GradientPiece {
  int nLast;
  GradientLine c0, c1, c2;
};

inline constexpr std::array<GradientPiece, 8> kGradient{{
    // (t + 10) * 6, (30 - t) * 2, (30 - t) * 2
    {30, {0, 6, 10}, {0, -2, -30}, {0, -2, -30}},
    // 252, trunc((t - 31) * 7.626), 0
    {62, {252, 0, 0}, {0, 7.626, -31}, {0, 0, 0}},
    {63, {252, 0, 0}, {252, 0, 0}, {0, 0, 0}},
    // 252, 252, trunc((t - 64) * 7.5)
    {96, {252, 0, 0}, {252, 0, 0}, {0, 7.5, -64}},
    // 252, (221 - t) * 2, (224 - t) * 4
    {159, {252, 0, 0}, {0, -2, -221}, {0, -4, -224}},
    {192, {252, 0, 0}, {0, -2, -221}, {0, 0, 0}},
    // 55 - 3t, (221 - t) * 2, 0
    {225, {55, -3, 0}, {0, -2, -221}, {0, 0, 0}},
    // 55 - 3t, (221 - t) * 2, 2t + 60
    {252, {55, -3, 0}, {0, -2, -221}, {60, 2, 0}},
}};

inline constexpr std::array<Segment, 17> kMetallic{{
    {6, 1, {52, 4.5}, {48, 5.5}, {52, 5.5}},
    {22, -7, {88, -2.9333}, {92, -3.7333}, {92, -4}},
    {46, -23, {44, 4.1739}, {40, 5.7391}, {36, 5.2174}},
    {69, -47, {148, -4.1818}, {180, -5.636}, {164, -4.727}},
    {81, -70, {48, 8}, {48, 10.909}, {52, 9.091}},
    {98, -82, {148, -6.25}, {180, -8.25}, {164, -7}},
    {112, -99, {44, 13.846}, {40, 11.692}, {36, 9.231}},
    {130, -113, {240, -13.647}, {208, -12}, {168, -9.882}},
    {145, -131, {40, 7.143}, {44, 8.857}, {55, 7.143}},
    {162, -146, {148, -6}, {180, -7.75}, {164, -6}},
    {165, -163, {40, -4}, {44, -6}, {56, 0}},
    {187, -166, {24, 4.19}, {20, 4.762}, {24, 5.333}},
    {201, -188, {124, -7.077}, {132, -8}, {144, -8.308}},
    {212, -202, {24, 8.4}, {20, 9.6}, {24, 10.4}},
    {223, -213, {104, -6}, {112, -7.6}, {124, -8}},
    {243, -224, {36, 6.316}, {28, 7.158}, {36, 6.947}},
    {253, -244, {148, -8.4}, {156, -9.6}, {160, -9.6}},
}};

// Here h starts at -1 in every piece after the first: its first index
// continues its line one step backwards. Two values leave 0..255 and wrap.
inline constexpr std::array<Segment, 20> kAluminiumFoils{{
    {12, 1, {44, 16}, {32, 12.615}, {16, 7.077}},
    {29, -14, {240, -13.73}, {188, -10.75}, {104, -6.5}},
    {45, -31, {32, 13.867}, {56, 12.267}, {68, 10.667}},
    {61, -47, {232, -11.2}, {232, -10.933}, {220, -9.333}},
    {64, -63, {52, -4}, {56, -6}, {68, 0}},
    {87, -66, {32, 2.909}, {32, 4}, {36, 5.455}},
    {100, -89, {92, -4}, {116, -6.333}, {148, -8.333}},
    {111, -102, {36, 6}, {36, 6.8}, {32, 8.4}},
    {122, -113, {92, -4}, {100, -5.6}, {112, -5.6}},
    {142, -124, {48, 10.737}, {40, 6.526}, {48, 3.158}},
    {149, -144, {224, -31.333}, {148, -19.333}, {100, -10.667}},
    {160, -151, {40, 6}, {36, 6.8}, {40, 6.8}},
    {186, -162, {100, -3.2}, {104, -3.52}, {104, -4.16}},
    {201, -188, {44, 14.571}, {24, 11.714}, {0, 4.268}},
    {215, -203, {248, -13.538}, {188, -11.077}, {60, -4}},
    {216, 0, {0, 0}, {0, 0}, {0, 0}},
    {217, 0, {20, 0}, {16, 0}, {0, 0}},
    {218, 0, {0, 0}, {0, 0}, {0, 0}},
    {239, -220, {20, 0.4}, {12, 2.2}, {0, 0}},
    {253, -241, {28, -2.154}, {56, -2.769}, {0, 0}},
}};

// The six channel orders of the variant counters: which of m_c0, m_c1, m_c2
// goes into red, green and blue.
inline constexpr std::array<std::array<int, 3>, 6> kChannelOrders{{
    {0, 1, 2},
    {0, 2, 1},
    {1, 0, 2},
    {1, 2, 0},
    {2, 0, 1},
    {2, 1, 0},
}};

}  // namespace scheme_tables
