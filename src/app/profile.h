#pragma once

#include <string>

// Where the settings live: the registry on Windows, an INI file elsewhere.
// A value that is missing or of the wrong type reads as the default; a write
// says whether the value was stored, so that a screenshot number that could
// not be kept is not used again.
class IProfile {
 public:
  virtual ~IProfile() = default;
  virtual int GetProfileInt(const char* section, const char* entry, int nDefault) = 0;
  virtual std::string GetProfileString(const char* section, const char* entry,
                                       const std::string& strDefault) = 0;
  virtual bool WriteProfileInt(const char* section, const char* entry, int nValue) = 0;
  virtual bool WriteProfileString(const char* section, const char* entry,
                                  const std::string& strValue) = 0;
};

// Parses a whole decimal 32-bit integer with an optional sign; anything else
// (empty, trailing text, out of range) is rejected so that it reads as missing.
bool ParseProfileInt(const std::string& text, int& nValue);
