#include <gtest/gtest.h>

#include <cstdint>

#include "app/switches.h"

TEST(Switches, MatchOnlyTheFirstLetterAfterOnePrefix) {
  for (const char* arg : {"/s", "-S", "s", "Save", "/s:123", "screen"}) EXPECT_TRUE(MatchSwitch(arg, 's')) << arg;
  for (const char* arg : {"/c:1234", "C:", "c"}) EXPECT_TRUE(MatchSwitch(arg, 'c')) << arg;
  EXPECT_TRUE(MatchSwitch(L"/P", 'p'));
  for (const char* arg : {"/a", "x", "/", "", "//s", "-/s"}) {
    EXPECT_FALSE(MatchSwitch(arg, 's')) << arg;
    EXPECT_FALSE(MatchSwitch(arg, 'c')) << arg;
    EXPECT_FALSE(MatchSwitch(arg, 'p')) << arg;
  }
  EXPECT_FALSE(MatchSwitch(static_cast<const char*>(nullptr), 's'));
}

TEST(Switches, PreviewHandleReadsLikeAtolButKeepsUnsigned32Bits) {
  std::uintptr_t h = 99;
  EXPECT_TRUE(ReadPreviewHandle("1234", h));
  EXPECT_EQ(h, 1234u);
  EXPECT_TRUE(ReadPreviewHandle("  \t+77abc", h));
  EXPECT_EQ(h, 77u);
  EXPECT_TRUE(ReadPreviewHandle(L"3000000000", h));
  EXPECT_EQ(h, 3000000000u);
  EXPECT_TRUE(ReadPreviewHandle("4294967295", h));
  EXPECT_EQ(h, 4294967295u);
  EXPECT_TRUE(ReadPreviewHandle("99999999999999999999", h));  // wraps, never undefined
  EXPECT_LE(h, 0xFFFFFFFFu);
  EXPECT_FALSE(ReadPreviewHandle("abc", h));
  EXPECT_EQ(h, 0u);
  EXPECT_FALSE(ReadPreviewHandle("", h));
  EXPECT_FALSE(ReadPreviewHandle(static_cast<const char*>(nullptr), h));
}

TEST(Switches, HandleTextComesAfterTheColonOrFromTheNextArgument) {
  EXPECT_STREQ(PreviewHandleText(L"/p:5678", L"1234"), L"5678");
  EXPECT_STREQ(PreviewHandleText(L"/p", L"1234"), L"1234");
  EXPECT_EQ(PreviewHandleText(L"/p", nullptr), nullptr);
}
