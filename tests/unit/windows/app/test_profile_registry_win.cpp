#include <gtest/gtest.h>

#include "windows/framework/win_api.h"

#include <cstdlib>
#include <string>

#include "windows/app/profile_registry_win.h"
#include "app/saver_app.h"

namespace {
// A key of its own, so the tests never touch a user's real settings.
const wchar_t* kTestApp = L"mirovane-unit-test";

void DeleteTestKey() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tolvarn\\mirovane-unit-test"); }

void SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Tolvarn\\mirovane-unit-test\\Settings", 0,
                            nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}
}  // namespace

TEST(RegistryProfile, RoundTripsDwordsAndStrings) {
  DeleteTestKey();
  CRegistryProfile reg(L"Tolvarn", kTestApp);
  EXPECT_EQ(reg.GetProfileInt("Settings", "CurveType", 63), 63);  // no key at all
  reg.WriteProfileInt("Settings", "CurveType", 31);
  reg.WriteProfileInt("Settings", "MaxIterations", -1);
  reg.WriteProfileString("Settings", "FileLocation", "C:\\Bilder \xC3\xA4");
  EXPECT_EQ(reg.GetProfileInt("Settings", "CurveType", 0), 31);
  EXPECT_EQ(reg.GetProfileInt("Settings", "MaxIterations", 0), -1);
  EXPECT_EQ(reg.GetProfileString("Settings", "FileLocation", ""), "C:\\Bilder \xC3\xA4");
  DWORD type = 0;
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Tolvarn\\mirovane-unit-test\\Settings", 0,
                          KEY_READ, &key),
            ERROR_SUCCESS);
  RegQueryValueExW(key, L"CurveType", nullptr, &type, nullptr, nullptr);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  RegQueryValueExW(key, L"FileLocation", nullptr, &type, nullptr, nullptr);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  RegCloseKey(key);
  DeleteTestKey();
}

TEST(RegistryProfile, ValuesOfTheWrongTypeReadAsMissing) {
  DeleteTestKey();
  SetRaw(L"CurveType", REG_SZ, L"31", 6);
  const DWORD seven = 7;
  SetRaw(L"NextKey", REG_DWORD, &seven, sizeof seven);
  const unsigned char two[2] = {1, 2};
  SetRaw(L"MinIterations", REG_BINARY, two, 2);
  SetRaw(L"MaxIterations", REG_DWORD, two, 2);     // a short DWORD
  SetRaw(L"PrintingKey", REG_SZ, L"AB", 4);         // no terminator stored
  CRegistryProfile reg(L"Tolvarn", kTestApp);
  EXPECT_EQ(reg.GetProfileInt("Settings", "CurveType", 63), 63);
  EXPECT_EQ(reg.GetProfileString("Settings", "NextKey", "none"), "none");
  EXPECT_EQ(reg.GetProfileInt("Settings", "MinIterations", 5), 5);
  EXPECT_EQ(reg.GetProfileInt("Settings", "MaxIterations", 5), 5);
  EXPECT_EQ(reg.GetProfileString("Settings", "PrintingKey", ""), "AB");
  DeleteTestKey();
}

// Driven by an end-to-end script that checks the real registry with Wine's reg tool.
TEST(RegistryThroughTheApp, ScriptedPhase) {
  const char* phase = std::getenv("MIROVANE_REGISTRY_PHASE");
  if (!phase) GTEST_SKIP() << "run by tests/e2e/registry_store.sh";
  theApp.SetProfile(NewSaverRegistryProfile());
  if (std::string(phase) == "write") {
    theApp.LoadSettings();
    theApp.m_nCompletionDelay = 7000;
    theApp.m_nCurveType = 0x15;
    theApp.m_strNextKey = "N";
    theApp.m_strFileLocation = "C:\\shots";
    theApp.SaveSettings();
    theApp.m_nSequenceNo = 9;
    theApp.SaveSequenceNo();
  } else {
    theApp.LoadSettings();
    EXPECT_EQ(theApp.m_nCompletionDelay, 12000);
    EXPECT_EQ(theApp.m_nColourScheme, 0xFFFF);  // stored 0
    EXPECT_EQ(theApp.m_nMaxIterations, 250);
    EXPECT_EQ(theApp.m_nMinIterations, 0);       // REG_SZ where a DWORD belongs
    EXPECT_EQ(theApp.m_strPausingKey, "P");
  }
}
