#pragma once

#include <filesystem>
#include <string>

#include "app/profile.h"

// Settings in an INI file: "[Section]" headers and "Name=Value" lines.
// Every read parses the file afresh, so several processes see each other's
// writes; every write replaces the whole file through a temporary file so a
// crash or a full disk never leaves half a file behind.
class CIniProfile : public IProfile {
 public:
  explicit CIniProfile(std::filesystem::path path);

  int GetProfileInt(const char* section, const char* entry, int nDefault) override;
  std::string GetProfileString(const char* section, const char* entry,
                               const std::string& strDefault) override;
  void WriteProfileInt(const char* section, const char* entry, int nValue) override;
  void WriteProfileString(const char* section, const char* entry,
                          const std::string& strValue) override;

  const std::filesystem::path& Path() const { return m_path; }

 private:
  bool Find(const char* section, const char* entry, std::string& value) const;
  void Write(const char* section, const char* entry, const std::string& value);

  std::filesystem::path m_path;
};

// $XDG_CONFIG_HOME/Tolvarn/mirovane.ini, falling back to ~/.config.
std::filesystem::path DefaultIniPath();
