#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "saver_xml.h"

namespace {

// The package installs the generated file; the committed copy is what
// XScreenSaver users and scripts/install-linux see, so the two must agree.
TEST(SaverXml, GeneratedFileIsTheCommittedCopy) {
  std::ifstream in(MIROVANE_SAVER_XML_COPY, std::ios::binary);
  ASSERT_TRUE(in) << MIROVANE_SAVER_XML_COPY;
  std::ostringstream committed;
  committed << in.rdbuf();
  const std::string generated = SaverXml();
  if (generated == committed.str()) return;
  // The first line that differs says more than two whole files.
  std::istringstream a(generated), b(committed.str());
  for (int n = 1;; ++n) {
    std::string lineA, lineB;
    const bool bMoreA = static_cast<bool>(std::getline(a, lineA));
    const bool bMoreB = static_cast<bool>(std::getline(b, lineB));
    if (!bMoreA && !bMoreB) break;
    if (lineA != lineB) {
      ADD_FAILURE() << "line " << n << ":\n generated: " << lineA << "\n committed: " << lineB;
      return;
    }
  }
  ADD_FAILURE() << "the files differ in their line ends";
}

}  // namespace
