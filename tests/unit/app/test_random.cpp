#include <gtest/gtest.h>

#include <cstdint>
#include <thread>

#include "app/random.h"

TEST(RandomSource, MatchesTheClassicSequenceAfterSeedOne) {
  SRand(1);
  EXPECT_EQ(Rand(), 41);
  EXPECT_EQ(Rand(), 18467);
  EXPECT_EQ(Rand(), 6334);
  EXPECT_EQ(Rand(), 26500);
  EXPECT_EQ(Rand(), 19169);
}

TEST(RandomSource, EachThreadStartsFromStateOne) {
  SRand(12345);
  Rand();
  int first = -1;
  std::thread([&] { first = Rand(); }).join();
  EXPECT_EQ(first, 41);
}

TEST(RandomSource, StaysInRangeAndSeedRepeats) {
  SRand(0xFFFFFFFFu);
  int a[100];
  for (int& v : a) {
    v = Rand();
    ASSERT_GE(v, 0);
    ASSERT_LE(v, kRandMax);
  }
  SRand(0xFFFFFFFFu);
  for (int v : a) EXPECT_EQ(Rand(), v);
}
