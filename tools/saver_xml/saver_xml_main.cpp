// saver_xml FILE: writes the XScreenSaver options file at build time.

#include <cstdio>
#include <fstream>
#include <string>

#include "saver_xml.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: saver_xml FILE\n", stderr);
    return 2;
  }
  const std::string xml = SaverXml();
  // Beside the target and renamed, so that an interrupted build leaves no half file.
  const std::string temp = std::string(argv[1]) + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << xml;
    if (!out.flush()) {
      std::fprintf(stderr, "saver_xml: cannot write '%s'\n", temp.c_str());
      return 1;
    }
  }
  if (std::rename(temp.c_str(), argv[1]) != 0) {
    std::fprintf(stderr, "saver_xml: cannot write '%s'\n", argv[1]);
    std::remove(temp.c_str());
    return 1;
  }
  return 0;
}
