#include "app/saver_app.h"

#include "app/settings_table.h"

CSaverApp theApp;

namespace {

// What the application reads before any store was handed over.
class CNoProfile final : public IProfile {
 public:
  int GetProfileInt(const char*, const char*, int nDefault) override { return nDefault; }
  std::string GetProfileString(const char*, const char*, const std::string& strDefault) override {
    return strDefault;
  }
  void WriteProfileInt(const char*, const char*, int) override {}
  void WriteProfileString(const char*, const char*, const std::string&) override {}
};

}  // namespace

CSaverApp::CSaverApp() = default;
CSaverApp::~CSaverApp() = default;

void CSaverApp::SetProfile(std::unique_ptr<IProfile> pProfile) { m_pProfile = std::move(pProfile); }

IProfile& CSaverApp::Profile() {
  if (!m_pProfile) m_pProfile = std::make_unique<CNoProfile>();
  return *m_pProfile;
}

int AdjustRead(const CSettingDef& setting, int nStored) {
  switch (setting.adjust) {
    case ESettingAdjust::SecondsToMs: {
      // A hand-edited huge value must not overflow the millisecond member.
      long long nMs = static_cast<long long>(nStored) * 1000;
      if (nMs > 0x7FFFFFFF) nMs = 0x7FFFFFFF;
      if (nMs < -0x7FFFFFFFLL) nMs = -0x7FFFFFFFLL;
      return static_cast<int>(nMs);
    }
    case ESettingAdjust::ZeroIsDefault:
      return nStored == 0 ? setting.nZeroAs : nStored;
    case ESettingAdjust::None:
      break;
  }
  return nStored;
}

int AdjustWrite(const CSettingDef& setting, int nMember) {
  return setting.adjust == ESettingAdjust::SecondsToMs ? nMember / 1000 : nMember;
}

void CSaverApp::ReadSetting(const CSettingDef& setting) {
  if (setting.pInt)
    this->*setting.pInt =
        AdjustRead(setting, Profile().GetProfileInt(kSettingsSection, setting.pszName, setting.nDefault));
  else
    this->*setting.pString = Profile().GetProfileString(kSettingsSection, setting.pszName, std::string());
}

void CSaverApp::WriteSetting(const CSettingDef& setting) {
  if (setting.pInt)
    Profile().WriteProfileInt(kSettingsSection, setting.pszName, AdjustWrite(setting, this->*setting.pInt));
  else
    Profile().WriteProfileString(kSettingsSection, setting.pszName, this->*setting.pString);
}

void CSaverApp::LoadSettings() {
  for (const CSettingDef& setting : kSettings) ReadSetting(setting);
}

void CSaverApp::SaveSettings() {
  for (std::size_t i : kSaveOrder) WriteSetting(kSettings[i]);
}

void CSaverApp::SaveSequenceNo() { WriteSetting(SettingOf(&CSaverApp::m_nSequenceNo)); }

