#include "app/profile_ini.h"

#include "app/output_target.h"
#include "app/saver_app.h"

#include <climits>
#include <cstdlib>
#include <system_error>

namespace {

std::string Trim(const std::string& s) {
  const char* blanks = " \t\r";
  const auto first = s.find_first_not_of(blanks);
  if (first == std::string::npos) return std::string();
  return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const auto end = text.find('\n', start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::string Key(const std::string& section, const std::string& entry) {
  return section + '\0' + entry;
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

void CIniProfile::Load() {
  if (m_bLoaded) return;
  m_bLoaded = true;
  std::string text;
  bool bBom = false;
  m_state = ReadIniFile(m_path, text, bBom);
  Parse(SplitLines(text));
}

void CIniProfile::Parse(std::vector<std::string> lines) {
  m_values.clear();
  std::string section, name, value;
  for (const auto& line : lines) {
    if (SectionHeader(line, name))
      section = name;
    else if (EntryLine(line, name, value))
      m_values[Key(section, name)] = value;  // the last of repeated entries wins, as a later write would
  }
}

IniFileState CIniProfile::State() {
  Load();
  return m_state;
}

bool CIniProfile::Find(const char* section, const char* entry, std::string& value) {
  Load();
  const auto it = m_values.find(Key(section, entry));
  if (it == m_values.end()) return false;
  value = it->second;
  return true;
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

bool CIniProfile::WriteProfileInt(const char* section, const char* entry, int nValue) {
  return Write(section, entry, std::to_string(nValue));
}

bool CIniProfile::WriteProfileString(const char* section, const char* entry,
                                     const std::string& strValue) {
  // A line break would split the entry; the file format cannot hold one.
  std::string clean;
  for (char c : strValue)
    if (c != '\n' && c != '\r') clean += c;
  return Write(section, entry, Trim(clean));
}

bool CIniProfile::Write(const char* section, const char* entry, const std::string& value) {
  std::string text;
  bool bBom = false;
  const IniFileState state = ReadIniFile(m_path, text, bBom);
  // What is not a settings file is left as it is.
  if (state != IniFileState::Read && state != IniFileState::Missing) return false;
  const std::vector<std::string> lines = SplitLines(text);

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
  const bool bReplaced = ReplaceOutputFile(m_path.string(), [&](std::FILE* file) {
    if (bBom && std::fputs("\xEF\xBB\xBF", file) < 0) return false;
    for (const auto& line : out)
      if (std::fwrite(line.data(), 1, line.size(), file) != line.size() || std::fputc('\n', file) == EOF)
        return false;
    return true;
  });
  if (!bReplaced) return false;
  m_bLoaded = true;
  m_state = IniFileState::Read;
  Parse(out);
  return true;
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

