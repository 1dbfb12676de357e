#include <gtest/gtest.h>

#include <string>

#include "windows/framework/ddx_text_win.h"
#include "windows/framework/utf8_win.h"

namespace {

TEST(DdxText, ParseUIntAcceptsOnlyWholeUnsignedNumbers) {
  unsigned n = 7;
  EXPECT_TRUE(ParseUInt("301", n));
  EXPECT_EQ(301u, n);
  EXPECT_TRUE(ParseUInt(" 0 ", n));
  EXPECT_EQ(0u, n);
  EXPECT_TRUE(ParseUInt("4294967295", n));
  EXPECT_EQ(4294967295u, n);
  n = 7;
  for (const char* bad : {"", "  ", "-1", "+1", "12a", "1 2", "4294967296", "99999999999999999999"})
    EXPECT_FALSE(ParseUInt(bad, n)) << '"' << bad << '"';
  EXPECT_EQ(7u, n) << "a refused text leaves the value alone";
}

TEST(DdxText, PromptsNameTheirBounds) {
  EXPECT_EQ("Please enter an integer between 0 and 300.",
            FormatPrompt(kParseRangePrompt, {"0", "300"}));
  EXPECT_EQ("Please enter no more than 255 characters.", FormatPrompt(kMaxCharsPrompt, {"255"}));
  EXPECT_EQ("100% %3", FormatPrompt("100% %3", {"x"}));
}

TEST(Utf8Text, RoundTripsBeyondTheBasicPlane) {
  const std::string text = "C:\\Bilder \xC3\xA4\xE2\x82\xAC \xF0\x9F\x98\x80";
  const std::wstring wide = Utf8ToWide(text);
  EXPECT_EQ(wide, L"C:\\Bilder \u00E4\u20AC \U0001F600");
  EXPECT_EQ(WideToUtf8(wide), text);
  EXPECT_EQ(Utf8ToWide(""), L"");
}

}  // namespace
