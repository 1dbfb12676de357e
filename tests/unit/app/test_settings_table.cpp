#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/profile_ini.h"
#include "app/saver_app.h"
#include "app/settings_table.h"

namespace {

// Records every access so that the read and write orders can be checked.
class CMemoryProfile : public IProfile {
 public:
  std::map<std::string, int> ints;
  std::map<std::string, std::string> strings;
  std::vector<std::string> reads, writes;

  int GetProfileInt(const char* section, const char* entry, int nDefault) override {
    EXPECT_STREQ(section, "Settings");
    reads.push_back(entry);
    auto it = ints.find(entry);
    return it == ints.end() ? nDefault : it->second;
  }
  std::string GetProfileString(const char* section, const char* entry, const std::string& d) override {
    EXPECT_STREQ(section, "Settings");
    reads.push_back(entry);
    auto it = strings.find(entry);
    return it == strings.end() ? d : it->second;
  }
  bool WriteProfileInt(const char*, const char* entry, int nValue) override {
    writes.push_back(entry);
    ints[entry] = nValue;
    return true;
  }
  bool WriteProfileString(const char*, const char* entry, const std::string& v) override {
    writes.push_back(entry);
    strings[entry] = v;
    return true;
  }
};

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto p = std::make_unique<CMemoryProfile>();
    profile = p.get();
    theApp.SetProfile(std::move(p));
  }
  void TearDown() override { theApp.SetProfile(nullptr); }
  CMemoryProfile* profile = nullptr;
};

}  // namespace

TEST_F(SettingsTest, EmptyStoreGivesTheDefaults) {
  theApp.LoadSettings();
  EXPECT_EQ(theApp.m_bExtraMemory, 0);
  EXPECT_EQ(theApp.m_nCompletionDelay, 1000);
  EXPECT_EQ(theApp.m_nBlankingMethod, 2);
  EXPECT_EQ(theApp.m_nColourScheme, 0xFFFF);
  EXPECT_EQ(theApp.m_nCurveType, 63);
  EXPECT_EQ(theApp.m_nMinIterations, 0);
  EXPECT_EQ(theApp.m_nMaxIterations, 0);
  EXPECT_EQ(theApp.m_nExcludeCurves, 0);
  EXPECT_EQ(theApp.m_bPausingActive + theApp.m_bPrintingActive + theApp.m_bNextActive, 0);
  EXPECT_EQ(theApp.m_strPausingKey + theApp.m_strPrintingKey + theApp.m_strNextKey, "");
  EXPECT_EQ(theApp.m_nSequenceNo, 0);
  EXPECT_EQ(theApp.m_strFileLocation, "");
  EXPECT_EQ(theApp.m_nDrawingTime, 0);
  const std::vector<std::string> order = {
      "ExtraMemory", "CompletionDelay", "BlankingMethod", "ColourScheme", "CurveType",
      "MinIterations", "MaxIterations", "ExcludeCurves", "PausingActive", "PrintingActive",
      "NextActive", "PausingKay", "PrintingKey", "NextKey", "SequenceNo", "FileLocation",
      "DrawingTime"};
  EXPECT_EQ(profile->reads, order);
}

TEST_F(SettingsTest, DelayIsSecondsInTheStoreAndMillisecondsInTheMember) {
  profile->ints["CompletionDelay"] = 5;
  theApp.LoadSettings();
  EXPECT_EQ(theApp.m_nCompletionDelay, 5000);
  theApp.SaveSettings();
  EXPECT_EQ(profile->ints["CompletionDelay"], 5);
  // A hand-edited huge value saturates instead of overflowing.
  profile->ints["CompletionDelay"] = 0x7FFFFFFF;
  theApp.ReadSetting(SettingOf(&CSettings::m_nCompletionDelay));
  EXPECT_EQ(theApp.m_nCompletionDelay, 0x7FFFFFFF);
  profile->ints["CompletionDelay"] = -5;
  theApp.ReadSetting(SettingOf(&CSettings::m_nCompletionDelay));
  EXPECT_EQ(theApp.m_nCompletionDelay, -5000);
}

TEST_F(SettingsTest, ZeroMasksReadAsDefaultsButAreWrittenUnchanged) {
  profile->ints = {{"ColourScheme", 0}, {"BlankingMethod", 0}, {"CurveType", 0x12}};
  theApp.LoadSettings();
  EXPECT_EQ(theApp.m_nColourScheme, 0xFFFF);
  EXPECT_EQ(theApp.m_nBlankingMethod, 2);
  EXPECT_EQ(theApp.m_nCurveType, 0x12);
  theApp.m_nBlankingMethod = 0;
  theApp.SaveSettings();
  EXPECT_EQ(profile->ints["BlankingMethod"], 0);
  theApp.LoadSettings();
  EXPECT_EQ(theApp.m_nBlankingMethod, 2);
}

TEST_F(SettingsTest, SaveWritesInItsOrderWithoutTheSequenceNumber) {
  theApp.LoadSettings();
  theApp.SaveSettings();
  const std::vector<std::string> order = {
      "CurveType", "ColourScheme", "BlankingMethod", "PausingActive", "PrintingActive",
      "NextActive", "PausingKay", "PrintingKey", "NextKey", "FileLocation", "CompletionDelay",
      "ExtraMemory", "MinIterations", "MaxIterations", "ExcludeCurves", "DrawingTime"};
  EXPECT_EQ(profile->writes, order);
  profile->writes.clear();
  theApp.m_nSequenceNo = 42;
  theApp.SaveSequenceNo();
  EXPECT_EQ(profile->writes, std::vector<std::string>{"SequenceNo"});
  EXPECT_EQ(profile->ints["SequenceNo"], 42);
}

TEST_F(SettingsTest, EveryStoredValueComesBackUnchangedThroughItsMember) {
  // Distinct values catch two entries sharing a member or a name.
  for (std::size_t i = 0; i < kSettingCount; ++i) {
    if (kSettings[i].pInt)
      profile->ints[kSettings[i].pszName] = 7 + static_cast<int>(i);
    else
      profile->strings[kSettings[i].pszName] = "v" + std::to_string(i);
  }
  const auto stored = std::make_pair(profile->ints, profile->strings);
  theApp.LoadSettings();
  profile->ints.clear();
  profile->strings.clear();
  theApp.SaveSettings();
  theApp.SaveSequenceNo();
  EXPECT_EQ(std::make_pair(profile->ints, profile->strings), stored);
  EXPECT_EQ(profile->ints.size() + profile->strings.size(), kSettingCount);
}

namespace {
class IniProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("mirovane-ini-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir);
    path = dir / "Tolvarn" / "mirovane.ini";
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  void WriteFile(const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
  }
  std::string ReadFile() {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::filesystem::path dir, path;
};
}  // namespace

TEST_F(IniProfileTest, RoundTripCreatesFoldersAndKeepsUnknownKeys) {
  WriteFile("; my notes\n[Other]\nA=1\n\n[Settings]\nFuture=yes\nCurveType=7\n");
  CIniProfile ini(path);
  ini.WriteProfileInt("Settings", "CurveType", 31);
  ini.WriteProfileString("Settings", "FileLocation", "C:\\Shots = mine");
  ini.WriteProfileInt("Settings", "SequenceNo", -3);
  EXPECT_EQ(ini.GetProfileInt("Settings", "CurveType", 0), 31);
  EXPECT_EQ(ini.GetProfileString("Settings", "FileLocation", ""), "C:\\Shots = mine");
  EXPECT_EQ(ini.GetProfileInt("Settings", "SequenceNo", 0), -3);
  EXPECT_EQ(ini.GetProfileString("Settings", "Future", ""), "yes");
  EXPECT_EQ(ini.GetProfileInt("Other", "A", 0), 1);
  EXPECT_NE(ReadFile().find("; my notes"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(path.string() + ".tmp"));

  std::filesystem::remove_all(dir);
  CIniProfile fresh(path);
  fresh.WriteProfileInt("Settings", "ExtraMemory", 1);
  EXPECT_EQ(ReadFile(), "[Settings]\nExtraMemory=1\n");
}

TEST_F(IniProfileTest, BadValuesAndLinesReadAsMissing) {
  WriteFile(
      "[Settings]\nCurveType=abc\nMinIterations=12x\nMaxIterations=4294967296\n"
      "ExcludeCurves=\n=5\ngarbage line\nSequenceNo = 17 \r\nColourScheme=-2147483648\n"
      "[Settings\nNextActive=1\n");
  CIniProfile ini(path);
  EXPECT_EQ(ini.GetProfileInt("Settings", "CurveType", -1), -1);
  EXPECT_EQ(ini.GetProfileInt("Settings", "MinIterations", -1), -1);
  EXPECT_EQ(ini.GetProfileInt("Settings", "MaxIterations", -1), -1);
  EXPECT_EQ(ini.GetProfileInt("Settings", "ExcludeCurves", -1), -1);
  EXPECT_EQ(ini.GetProfileInt("Settings", "SequenceNo", -1), 17);
  EXPECT_EQ(ini.GetProfileInt("Settings", "ColourScheme", -1), -2147483647 - 1);
  EXPECT_EQ(ini.GetProfileInt("Settings", "NextActive", -1), 1);  // a broken header changes nothing
}

TEST_F(IniProfileTest, MissingOrUnwritableStoreGivesDefaultsAndStaysSilent) {
  CIniProfile ini(dir / "no" / "such" / "file.ini");
  EXPECT_EQ(ini.GetProfileInt("Settings", "CurveType", 63), 63);
  EXPECT_EQ(ini.GetProfileString("Settings", "NextKey", "d"), "d");
  // A folder where the file should be: writing fails quietly, nothing is lost.
  std::filesystem::create_directories(path);
  CIniProfile blocked(path);
  EXPECT_FALSE(blocked.WriteProfileInt("Settings", "CurveType", 1));
  EXPECT_TRUE(std::filesystem::is_directory(path));
  EXPECT_EQ(blocked.GetProfileInt("Settings", "CurveType", 5), 5);
}

TEST_F(IniProfileTest, StringsCannotBreakTheFileFormat) {
  CIniProfile ini(path);
  ini.WriteProfileString("Settings", "FileLocation", "a\nCurveType=1\r\nb");
  ini.WriteProfileInt("Settings", "CurveType", 8);
  EXPECT_EQ(ini.GetProfileInt("Settings", "CurveType", 0), 8);
  EXPECT_EQ(ini.GetProfileString("Settings", "FileLocation", ""), "aCurveType=1b");
}

TEST_F(IniProfileTest, AByteOrderMarkIsReadAndKept) {
  WriteFile("\xEF\xBB\xBF[Settings]\r\nCurveType=5\r\n");
  CIniProfile ini(path);
  EXPECT_EQ(ini.GetProfileInt("Settings", "CurveType", 63), 5);
  EXPECT_TRUE(ini.WriteProfileInt("Settings", "DelayTime", 7));
  EXPECT_EQ(ReadFile(), "\xEF\xBB\xBF[Settings]\r\nCurveType=5\r\nDelayTime=7\n");
}

// Read once: a 1 MB file of lines no longer costs a read per setting, and
// what is larger cannot be a settings file at all.
TEST_F(IniProfileTest, TheFileIsReadOnceAndAnOversizedOneIsRefusedAndKept) {
  WriteFile("[Settings]\nCurveType=5\n");
  CIniProfile ini(path);
  EXPECT_EQ(ini.GetProfileInt("Settings", "CurveType", 63), 5);
  WriteFile("[Settings]\nCurveType=6\n");
  EXPECT_EQ(ini.GetProfileInt("Settings", "CurveType", 63), 5) << "parsed at the first read only";
  EXPECT_TRUE(ini.WriteProfileInt("Settings", "DelayTime", 7));
  EXPECT_EQ(ini.GetProfileInt("Settings", "CurveType", 63), 6) << "a write takes the file afresh";

  std::string big = "[Settings]\nCurveType=5\n";
  big.resize(kMaxIniBytes, '\n');
  WriteFile(big);
  EXPECT_EQ(CheckIniFile(path), "");
  EXPECT_EQ(CIniProfile(path).GetProfileInt("Settings", "CurveType", 63), 5);
  WriteFile(big + "x");
  CIniProfile huge(path);
  EXPECT_EQ(huge.GetProfileInt("Settings", "CurveType", 63), 63);
  EXPECT_EQ(huge.State(), IniFileState::TooLarge);
  EXPECT_FALSE(huge.WriteProfileInt("Settings", "CurveType", 1));
  EXPECT_EQ(ReadFile().size(), kMaxIniBytes + 1);
  EXPECT_NE(CheckIniFile(path).find("larger than 1 MB"), std::string::npos);
  EXPECT_NE(CheckIniFile(dir / "none.ini").find("does not exist"), std::string::npos);
  std::filesystem::create_directories(dir / "folder.ini");
  EXPECT_NE(CheckIniFile(dir / "folder.ini").find("is not a regular file"), std::string::npos);
}

#ifndef _WIN32
TEST_F(IniProfileTest, SpecialFilesNeverBlockNorGrowAndAreLeftAlone) {
  std::filesystem::create_directories(path.parent_path());
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  CIniProfile fifo(path);
  EXPECT_EQ(fifo.GetProfileInt("Settings", "CurveType", 63), 63);
  EXPECT_EQ(fifo.State(), IniFileState::NotAFile);
  EXPECT_FALSE(fifo.WriteProfileInt("Settings", "CurveType", 1));
  EXPECT_TRUE(std::filesystem::is_fifo(path));
  EXPECT_NE(CheckIniFile(path).find("is not a regular file"), std::string::npos);

  EXPECT_NE(CheckIniFile("/dev/zero").find("is not a regular file"), std::string::npos);
  EXPECT_EQ(CIniProfile("/dev/zero").State(), IniFileState::NotAFile);
  EXPECT_EQ(CheckIniFile("/dev/null"), "") << "the null device reads as no settings";
}

// A dotfiles setup: the settings file is a link into a folder of its own.
TEST_F(IniProfileTest, AWriteKeepsTheLinkAndReplacesTheFileItNames) {
  std::filesystem::create_directories(dir / "dotfiles");
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(dir / "dotfiles" / "mirovane.ini", std::ios::binary) << "[Settings]\nCurveType=5\n";
  std::filesystem::create_symlink(dir / "dotfiles" / "mirovane.ini", path);
  CIniProfile ini(path);
  EXPECT_TRUE(ini.WriteProfileInt("Settings", "SequenceNo", 42));
  EXPECT_TRUE(std::filesystem::is_symlink(path));
  EXPECT_EQ(ReadFile(), "[Settings]\nCurveType=5\nSequenceNo=42\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(path.parent_path()), {}), 1);
}

TEST(IniLocation, FollowsXdgConfigHome) {
  const char* old = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = old ? old : "";
  const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  setenv("XDG_CONFIG_HOME", "/tmp/xdg-test", 1);
  EXPECT_EQ(DefaultIniPath(), std::filesystem::path("/tmp/xdg-test/Tolvarn/mirovane.ini"));
  setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored, as the XDG rules say
  setenv("HOME", "/home/u", 1);
  EXPECT_EQ(DefaultIniPath(), std::filesystem::path("/home/u/.config/Tolvarn/mirovane.ini"));
  if (old) setenv("XDG_CONFIG_HOME", saved.c_str(), 1); else unsetenv("XDG_CONFIG_HOME");
  setenv("HOME", home.c_str(), 1);
}
#endif
