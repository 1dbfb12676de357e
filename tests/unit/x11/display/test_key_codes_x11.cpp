#include <gtest/gtest.h>

#include "x11/display/key_codes_x11.h"

TEST(KeyCodesTest, KeysymsBecomeWindowsVirtualKeys) {
  EXPECT_EQ(VirtualKeyOf('a'), 0x41u);
  EXPECT_EQ(VirtualKeyOf('Z'), 0x5Au);
  EXPECT_EQ(VirtualKeyOf('7'), 0x37u);
  EXPECT_EQ(VirtualKeyOf(0xffbe), 0x70u);  // F1
  EXPECT_EQ(VirtualKeyOf(0xffc7), kVkF10);
  EXPECT_EQ(VirtualKeyOf(0xffb3), 0x63u);  // keypad 3
  EXPECT_EQ(VirtualKeyOf(0xff0d), 0x0Du);  // Return
  EXPECT_EQ(VirtualKeyOf(0xff8d), 0x0Du);  // keypad Enter
  EXPECT_EQ(VirtualKeyOf(0x0020), 0x20u);
  EXPECT_EQ(VirtualKeyOf(0xffe9), kVkMenu);
  EXPECT_EQ(VirtualKeyOf(0x1008ff11), 0u);  // a media key has none
}
