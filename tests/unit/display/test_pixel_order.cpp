#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "../../bench/literal_pixel_order.h"
#include "app/random.h"
#include "display/pixel_order.h"
#include "display/small_modulo.h"

namespace {

using Positions = std::vector<std::pair<int, int>>;

template <typename Order>
Positions Drain(Order& order) {
  Positions out;
  while (!order.done()) {
    int x = -1, y = -1;
    order.Take(x, y);
    out.emplace_back(x, y);
  }
  return out;
}

// The order for a W x H client area, built as the drawing window builds it.
Positions DrainClient(int nWidth, int nHeight, bool bExtraMemory, unsigned seed) {
  SRand(seed);
  CPixelOrder order(bExtraMemory ? nWidth : nWidth / 2, bExtraMemory ? nHeight : nHeight / 2);
  order.Fill(bExtraMemory);
  return Drain(order);
}

// How many draws from seed it takes to reach the generator's current state.
int DrawsSince(unsigned seed) {
  const std::vector<int> next{Rand(), Rand(), Rand()};
  SRand(seed);
  std::vector<int> window{Rand(), Rand(), Rand()};
  for (int n = 0; n < 1000; ++n) {
    if (window == next) return n;
    window.erase(window.begin());
    window.push_back(Rand());
  }
  return -1;
}

TEST(PixelOrder, SinglePositionIsHandedOutAndEndsTheList) {
  SRand(99);
  CPixelOrder order(1, 1);
  order.Fill(1);
  ASSERT_FALSE(order.done());
  int x = -1, y = -1;
  order.Take(x, y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  EXPECT_TRUE(order.done());
  EXPECT_EQ(order.Remaining(), 0);
  EXPECT_EQ(DrawsSince(99), 2) << "a take draws the row and the entry, nothing more";
}

TEST(PixelOrder, EveryPositionExactlyOnceInBothModes) {
  for (bool bExtra : {true, false}) {
    for (auto [w, h] : {std::pair{7, 5}, std::pair{64, 3}, std::pair{2, 33}}) {
      const Positions got = DrainClient(w, h, bExtra, 12345);
      const int step = bExtra ? 1 : 2;
      std::set<std::pair<int, int>> expected;
      for (int y = 0; y + step <= h; y += step)
        for (int x = 0; x + step <= w; x += step) expected.emplace(x, y);
      const std::set<std::pair<int, int>> unique(got.begin(), got.end());
      EXPECT_EQ(got.size(), expected.size()) << w << "x" << h << " extra " << bExtra;
      EXPECT_EQ(unique, expected) << w << "x" << h << " extra " << bExtra;
    }
  }
}

TEST(PixelOrder, OddWidthWithoutExtraMemoryLeavesTheLastColumn) {
  std::set<int> columns;
  for (auto [x, y] : DrainClient(5, 4, false, 7)) columns.insert(x);
  EXPECT_EQ(columns, (std::set<int>{0, 2}));
}

TEST(PixelOrder, EmptyListsAreDoneAtOnceAndDrawNothing) {
  for (auto [perRow, rows] : {std::pair{0, 5}, std::pair{5, 0}, std::pair{0, 0}, std::pair{-3, 4}}) {
    SRand(5);
    CPixelOrder order(perRow, rows);
    order.Fill(0);
    EXPECT_TRUE(order.done()) << perRow << " per row, " << rows << " rows";
    int x = 17, y = 23;
    order.Take(x, y);
    EXPECT_EQ(std::pair(x, y), std::pair(17, 23));
    EXPECT_EQ(DrawsSince(5), 0);
  }
}

TEST(PixelOrder, TakeAfterDoneDrawsNothing) {
  SRand(3);
  CPixelOrder order(3, 2);
  order.Fill(1);
  Drain(order);
  int x = -7, y = -9;
  order.Take(x, y);
  EXPECT_EQ(std::pair(x, y), std::pair(-7, -9));
  EXPECT_EQ(DrawsSince(3), 12);
}

// Same shapes, same stream: the Fenwick lookup must reproduce the list walk.
TEST(PixelOrder, SameSequenceAsTheLinkedListWalk) {
  struct Case {
    int perRow, rows, bStep1;
    unsigned seed;
  };
  for (const Case& c : {Case{320, 240, 1, 1}, Case{160, 120, 0, 42}, Case{1, 1000, 1, 9},
                        Case{1000, 1, 0, 8}, Case{70000, 3, 0, 5},
                        Case{13, 37, 1, 2024}}) {
    SRand(c.seed);
    CLiteralPixelOrder literal(c.perRow, c.rows);
    literal.Fill(c.bStep1);
    const Positions expected = Drain(literal);
    SRand(c.seed);
    CPixelOrder order(c.perRow, c.rows);
    order.Fill(c.bStep1);
    EXPECT_EQ(Drain(order), expected) << c.perRow << " x " << c.rows;
  }
}

// The division-free remainder must agree with % for every generator value,
// small divisors and those at the edges of its range alike.
TEST(PixelOrder, SmallModuloAgreesWithTheRemainderForEveryGeneratorValue) {
  std::vector<int> divisors;
  for (int d = 1; d <= 1100; ++d) divisors.push_back(d);
  for (int d : {2160, 3839, 3840, 32767, 32768, 32769, 65535, 65536, 65537, 99991, 131071, 131072})
    divisors.push_back(d);
  for (int d : divisors) {
    const std::uint64_t factor = SmallModuloFactor(d);
    int wrong = 0;
    for (int n = 0; n <= 0x7FFF; ++n) wrong += SmallModulo(n, d, factor) != n % d;
    ASSERT_EQ(wrong, 0) << "divisor " << d;
  }
}

// Taking before filling, and filling again half way, renumber only the rows
// still present, exactly as the list does.
TEST(PixelOrder, RefillingHalfWayMatchesTheLinkedListWalk) {
  auto run = [](auto& order) {
    Positions out;
    for (int i = 0; i < 150; ++i) {
      int x, y;
      order.Take(x, y);
      out.emplace_back(x, y);
    }
    order.Fill(0);
    for (auto p : Drain(order)) out.push_back(p);
    return out;
  };
  SRand(31);
  CLiteralPixelOrder literal(6, 40);
  const Positions expected = run(literal);
  SRand(31);
  CPixelOrder order(6, 40);
  EXPECT_EQ(run(order), expected);
}

TEST(PixelOrder, EntriesTakeTwoBytesUnlessARowIsTooWide) {
  EXPECT_EQ(CPixelOrder(3840, 4).EntryBytes(), 2u * 3840 * 4);
  EXPECT_EQ(CPixelOrder(65536, 1).EntryBytes(), 2u * 65536);
  EXPECT_EQ(CPixelOrder(65537, 1).EntryBytes(), 4u * 65537);
}

}  // namespace
