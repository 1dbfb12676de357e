#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/ini_file.h"
#include "app/profile.h"

// Settings in an INI file: "[Section]" headers and "Name=Value" lines, a
// UTF-8 byte-order mark allowed. The file is read and parsed once, at the
// first read; every write reads it afresh, so that it keeps what another
// process wrote, and replaces the whole file by the picture files' rule
// (a temporary of its own, renamed; a symbolic link keeps pointing at the
// file it names), so a crash or a full disk never leaves half a file. A
// file that is not a regular file or is larger than kMaxIniBytes reads as
// empty and is never written over.
class CIniProfile : public IProfile {
 public:
  explicit CIniProfile(std::filesystem::path path);

  int GetProfileInt(const char* section, const char* entry, int nDefault) override;
  std::string GetProfileString(const char* section, const char* entry,
                               const std::string& strDefault) override;
  bool WriteProfileInt(const char* section, const char* entry, int nValue) override;
  bool WriteProfileString(const char* section, const char* entry,
                          const std::string& strValue) override;

  const std::filesystem::path& Path() const { return m_path; }
  // How the file was found at the first read.
  IniFileState State();

 private:
  void Load();
  void Parse(std::vector<std::string> lines);
  bool Find(const char* section, const char* entry, std::string& value);
  bool Write(const char* section, const char* entry, const std::string& value);

  std::filesystem::path m_path;
  bool m_bLoaded = false;
  IniFileState m_state = IniFileState::Missing;
  // Section and name, joined by a NUL, to the last value given.
  std::map<std::string, std::string> m_values;
};

// $XDG_CONFIG_HOME/Tolvarn/mirovane.ini, falling back to ~/.config.
std::filesystem::path DefaultIniPath();
