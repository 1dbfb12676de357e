#pragma once

#include <memory>
#include <string>

#include "app/profile.h"

// Settings under HKEY_CURRENT_USER\Software\<company>\<application>\<section>:
// integers as REG_DWORD, strings as REG_SZ. A value of another type reads as
// missing, so a hand-edited value falls back to its default.
class CRegistryProfile : public IProfile {
 public:
  CRegistryProfile(std::wstring company, std::wstring application);

  int GetProfileInt(const char* section, const char* entry, int nDefault) override;
  std::string GetProfileString(const char* section, const char* entry,
                               const std::string& strDefault) override;
  bool WriteProfileInt(const char* section, const char* entry, int nValue) override;
  bool WriteProfileString(const char* section, const char* entry,
                          const std::string& strValue) override;

 private:
  std::wstring KeyPath(const char* section) const;

  std::wstring m_company;
  std::wstring m_application;
};

// The saver's own key, HKEY_CURRENT_USER\Software\Tolvarn\mirovane.
std::unique_ptr<IProfile> NewSaverRegistryProfile();
