#pragma once

#include <memory>

#include "app/profile.h"
#include "app/settings_table.h"
#include "app/show_control.h"

struct CSettingDef;

// The one application object of a process: the user's settings and the
// control of its slide shows. The platform back ends and the composition
// root use it; the slide show is handed the parts it needs.
class CSaverApp : public CSettings, public CShowControl {
 public:
  CSaverApp();
  ~CSaverApp();

  // The settings store, which the composition root hands over before the
  // settings are loaded. Without one, settings read as their defaults and
  // writes go nowhere.
  void SetProfile(std::unique_ptr<IProfile> pProfile);
  IProfile& Profile();

  void LoadSettings();
  // True when every value was stored.
  bool SaveSettings();
  bool SaveSequenceNo();

  // One setting of the table (app/settings_table.h) between store and member.
  void ReadSetting(const CSettingDef& setting);
  bool WriteSetting(const CSettingDef& setting);

 private:
  std::unique_ptr<IProfile> m_pProfile;
};

extern CSaverApp theApp;

// The accessor every part uses to reach the application object.
inline CSaverApp* AfxGetApp() { return &theApp; }

constexpr const char* kSettingsSection = "Settings";
