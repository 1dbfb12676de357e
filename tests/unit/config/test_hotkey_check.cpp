#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/hotkey_check.h"

namespace {

struct FakeStatus {
  EPathStatus status = EPathStatus::Directory;
  std::vector<std::string>* pQueried = nullptr;
  EPathStatus operator()(const std::string& path) const {
    if (pQueried) pQueried->push_back(path);
    return status;
  }
};

CHotkeysData Keys(const char* pause, int bPause, const char* shot, int bShot, const char* next,
                  int bNext) {
  CHotkeysData d;
  d.m_strPausingKey = pause;
  d.m_bPausingActive = bPause;
  d.m_strPrintingKey = shot;
  d.m_bPrintingActive = bShot;
  d.m_strNextKey = next;
  d.m_bNextActive = bNext;
  return d;
}

TEST(HotkeysCheck, ActivePairsMustDifferInTheirOrder) {
  const FakeStatus ok;
  // Empty keys are equal too.
  CHotkeysCheck r = CheckHotkeys(Keys("", 1, "", 1, "", 0), ok);
  EXPECT_EQ(EHotkeysVerdict::KeysNotUnique, r.verdict);
  EXPECT_EQ(1031, r.nFocusId);
  // All three equal: the Pause/Screenshot pair is reported first.
  EXPECT_EQ(1031, CheckHotkeys(Keys("A", 1, "A", 1, "A", 1), ok).nFocusId);
  EXPECT_EQ(1034, CheckHotkeys(Keys("A", 1, "B", 1, "B", 1), ok).nFocusId);
  EXPECT_EQ(1030, CheckHotkeys(Keys("C", 1, "B", 1, "C", 1), ok).nFocusId);
}

TEST(HotkeysCheck, InactiveOrDifferingKeysAreAccepted) {
  const FakeStatus ok;
  EXPECT_EQ(EHotkeysVerdict::Accept, CheckHotkeys(Keys("P", 1, "P", 0, "", 0), ok).verdict);
  EXPECT_EQ(EHotkeysVerdict::Accept, CheckHotkeys(Keys("P", 0, "P", 0, "P", 1), ok).verdict);
  EXPECT_EQ(EHotkeysVerdict::Accept, CheckHotkeys(Keys("P", 1, "S", 1, "N", 1), ok).verdict);
  // Byte comparison: case matters.
  EXPECT_EQ(EHotkeysVerdict::Accept, CheckHotkeys(Keys("p", 1, "P", 1, "", 0), ok).verdict);
}

TEST(HotkeysCheck, FolderIsQueriedOnlyWhenKeysPassAndNotEmpty) {
  std::vector<std::string> queried;
  FakeStatus missing{EPathStatus::Missing, &queried};
  CHotkeysData d = Keys("", 1, "", 1, "", 0);
  d.m_strFileLocation = "C:\\nowhere";
  CheckHotkeys(d, missing);
  EXPECT_TRUE(queried.empty()) << "a key clash is reported before the folder";

  d = Keys("", 0, "", 0, "", 0);
  EXPECT_EQ(EHotkeysVerdict::Accept, CheckHotkeys(d, missing).verdict);
  EXPECT_TRUE(queried.empty());

  d.m_strFileLocation = "C:\\nowhere";
  const CHotkeysCheck r = CheckHotkeys(d, missing);
  EXPECT_EQ(EHotkeysVerdict::FolderMissing, r.verdict);
  EXPECT_EQ(1032, r.nFocusId);
  ASSERT_EQ(1u, queried.size());
  EXPECT_EQ("C:\\nowhere", queried[0]);
}

TEST(HotkeysCheck, FolderStatusDecidesTheVerdict) {
  CHotkeysData d;
  d.m_strFileLocation = "C:\\x";
  EXPECT_EQ(EHotkeysVerdict::Accept, CheckHotkeys(d, FakeStatus{EPathStatus::Directory}).verdict);
  EXPECT_EQ(EHotkeysVerdict::FolderMissing,
            CheckHotkeys(d, FakeStatus{EPathStatus::NotDirectory}).verdict);
  EXPECT_EQ(EHotkeysVerdict::Accept, CheckHotkeys(d, FakeStatus{EPathStatus::Unknown}).verdict);
}

TEST(HotkeysCheck, FolderMustLeaveRoomForTheScreenshotName) {
  CHotkeysData d;
  d.m_strFileLocation = "C:\\" + std::string(227, 'a');  // 230 characters
  EXPECT_EQ(EHotkeysVerdict::Accept, CheckHotkeys(d, FakeStatus{}).verdict);
  d.m_strFileLocation += "b";
  const CHotkeysCheck r = CheckHotkeys(d, FakeStatus{});
  EXPECT_EQ(EHotkeysVerdict::FolderTooLong, r.verdict);
  EXPECT_EQ(1032, r.nFocusId);
  // Counted in characters, not bytes: 230 two-byte letters fit.
  std::string wide;
  for (int i = 0; i < 230; ++i) wide += "\xC3\xA4";
  d.m_strFileLocation = wide;
  EXPECT_EQ(EHotkeysVerdict::Accept, CheckHotkeys(d, FakeStatus{}).verdict);
  EXPECT_EQ(2u, Utf8Length("\xF0\x9F\x98\x80"));  // outside the BMP: a surrogate pair
}

}  // namespace
