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
  // Nothing is stored, and the callers are told so.
  bool WriteProfileInt(const char*, const char*, int) override { return false; }
  bool WriteProfileString(const char*, const char*, const std::string&) override { return false; }
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

bool CSaverApp::WriteSetting(const CSettingDef& setting) {
  if (setting.pInt)
    return Profile().WriteProfileInt(kSettingsSection, setting.pszName, AdjustWrite(setting, this->*setting.pInt));
  return Profile().WriteProfileString(kSettingsSection, setting.pszName, this->*setting.pString);
}

void CSaverApp::LoadSettings() {
  for (const CSettingDef& setting : kSettings) ReadSetting(setting);
}

bool CSaverApp::SaveSettings() {
  bool bAll = true;
  for (std::size_t i : kSaveOrder) bAll = WriteSetting(kSettings[i]) && bAll;
  return bAll;
}

bool CSaverApp::SaveSequenceNo() { return WriteSetting(SettingOf(&CSaverApp::m_nSequenceNo)); }

