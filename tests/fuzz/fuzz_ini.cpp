// The INI settings file: arbitrary bytes (a byte-order mark among them) read
// as the settings, checked as the renderer checks --settings, then written
// over and read back.
#include <cstdio>
#include <memory>

#include "app/ini_file.h"
#include "app/profile_ini.h"
#include "app/saver_app.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = FuzzTempFile(".ini");
  if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  if (!CheckIniFile(path).empty()) __builtin_trap();  // a small regular file is always taken
  CSaverApp app;
  app.SetProfile(std::make_unique<CIniProfile>(path));
  app.LoadSettings();
  CIniProfile& ini = static_cast<CIniProfile&>(app.Profile());
  // Names and values taken from the input itself reach odd corners: '=', ']',
  // line breaks and NULs inside names.
  const std::string text(reinterpret_cast<const char*>(data), size < 40 ? size : 40);
  ini.GetProfileString("Settings", text.c_str(), "");
  ini.WriteProfileString("Settings", "FileLocation", text);
  ini.WriteProfileInt(text.c_str(), "SequenceNo", -1);
  ini.GetProfileInt("Settings", "SequenceNo", 0);
  app.SaveSequenceNo();
  app.LoadSettings();
  return 0;
}
