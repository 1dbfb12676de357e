#include "app/profile_ini.h"

#include "app/saver_app.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

namespace {

std::string Trim(const std::string& s) {
  const char* blanks = " \t\r";
  const auto first = s.find_first_not_of(blanks);
  if (first == std::string::npos) return std::string();
  return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

bool ReadLines(const std::filesystem::path& path, std::vector<std::string>& lines) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return true;
}

// "[Name]" gives Name; anything else is not a header.
bool SectionHeader(const std::string& line, std::string& name) {
  const std::string t = Trim(line);
  if (t.size() < 2 || t.front() != '[' || t.back() != ']') return false;
  name = Trim(t.substr(1, t.size() - 2));
  return true;
}

// "Name=Value" gives both; comments and lines without "=" are not entries.
bool EntryLine(const std::string& line, std::string& name, std::string& value) {
  const std::string t = Trim(line);
  if (t.empty() || t[0] == ';' || t[0] == '#') return false;
  const auto eq = t.find('=');
  if (eq == std::string::npos || eq == 0) return false;
  name = Trim(t.substr(0, eq));
  value = Trim(t.substr(eq + 1));
  return !name.empty();
}

}  // namespace

bool ParseProfileInt(const std::string& text, int& nValue) {
  const std::string t = Trim(text);
  if (t.empty()) return false;
  std::size_t i = (t[0] == '+' || t[0] == '-') ? 1 : 0;
  if (i == t.size()) return false;
  long long v = 0;
  for (; i < t.size(); ++i) {
    if (t[i] < '0' || t[i] > '9') return false;
    v = v * 10 + (t[i] - '0');
    if (v > 0x80000000LL) return false;
  }
  if (t[0] == '-') v = -v;
  if (v > INT_MAX || v < INT_MIN) return false;
  nValue = static_cast<int>(v);
  return true;
}

CIniProfile::CIniProfile(std::filesystem::path path) : m_path(std::move(path)) {}

bool CIniProfile::Find(const char* section, const char* entry, std::string& value) const {
  std::vector<std::string> lines;
  if (!ReadLines(m_path, lines)) return false;
  bool inSection = false;
  bool found = false;
  std::string name, v;
  for (const auto& line : lines) {
    if (SectionHeader(line, name)) {
      inSection = (name == section);
    } else if (inSection && EntryLine(line, name, v) && name == entry) {
      value = v;  // the last of repeated entries wins, as a later write would
      found = true;
    }
  }
  return found;
}

int CIniProfile::GetProfileInt(const char* section, const char* entry, int nDefault) {
  std::string text;
  int n = 0;
  if (Find(section, entry, text) && ParseProfileInt(text, n)) return n;
  return nDefault;
}

std::string CIniProfile::GetProfileString(const char* section, const char* entry,
                                          const std::string& strDefault) {
  std::string text;
  return Find(section, entry, text) ? text : strDefault;
}

void CIniProfile::WriteProfileInt(const char* section, const char* entry, int nValue) {
  Write(section, entry, std::to_string(nValue));
}

void CIniProfile::WriteProfileString(const char* section, const char* entry,
                                     const std::string& strValue) {
  // A line break would split the entry; the file format cannot hold one.
  std::string clean;
  for (char c : strValue)
    if (c != '\n' && c != '\r') clean += c;
  Write(section, entry, Trim(clean));
}

void CIniProfile::Write(const char* section, const char* entry, const std::string& value) {
  std::vector<std::string> lines;
  ReadLines(m_path, lines);

  const std::string newLine = std::string(entry) + "=" + value;
  std::vector<std::string> out;
  bool inSection = false, sectionSeen = false, written = false;
  std::size_t sectionEnd = 0;
  std::string name, v;
  for (const auto& line : lines) {
    if (SectionHeader(line, name)) {
      inSection = (name == section);
      if (inSection) sectionSeen = true;
    } else if (inSection && EntryLine(line, name, v) && name == entry) {
      if (!written) out.push_back(newLine);
      written = true;
      if (inSection) sectionEnd = out.size();
      continue;
    }
    out.push_back(line);
    if (inSection && !Trim(line).empty()) sectionEnd = out.size();
  }
  if (!written) {
    if (sectionSeen) {
      out.insert(out.begin() + static_cast<std::ptrdiff_t>(sectionEnd), newLine);
    } else {
      if (!out.empty() && !Trim(out.back()).empty()) out.push_back("");
      std::string header(1, '[');
      header += section;
      header += ']';
      out.push_back(header);
      out.push_back(newLine);
    }
  }

  std::error_code ec;
  if (m_path.has_parent_path()) std::filesystem::create_directories(m_path.parent_path(), ec);
  std::filesystem::path temp = m_path;
  temp += ".tmp";
  {
    std::ofstream file(temp, std::ios::binary | std::ios::trunc);
    if (!file) return;
    for (const auto& line : out) file << line << '\n';
    file.flush();
    if (!file) {
      file.close();
      std::filesystem::remove(temp, ec);
      return;
    }
  }
  std::filesystem::rename(temp, m_path, ec);
  if (ec) std::filesystem::remove(temp, ec);
}

std::filesystem::path DefaultIniPath() {
  std::filesystem::path base;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && *xdg == '/') {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    base = std::filesystem::path(home && *home ? home : ".") / ".config";
  }
  return base / "Tolvarn" / "mirovane.ini";
}

