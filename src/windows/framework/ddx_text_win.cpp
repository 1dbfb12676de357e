#include "windows/framework/ddx_text_win.h"

#include <vector>

bool ParseUInt(const std::string& text, unsigned& nValue) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (i < n && blank(text[i])) ++i;
  std::size_t nDigits = 0;
  unsigned long long value = 0;
  for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i, ++nDigits) {
    value = value * 10 + static_cast<unsigned>(text[i] - '0');
    if (value > 0xFFFFFFFFull) return false;
  }
  while (i < n && blank(text[i])) ++i;
  if (nDigits == 0 || i != n) return false;
  nValue = static_cast<unsigned>(value);
  return true;
}

std::string FormatPrompt(const char* pattern, std::initializer_list<std::string> args) {
  const std::vector<std::string> values(args);
  std::string result;
  for (const char* p = pattern; *p; ++p) {
    if (p[0] == '%' && p[1] >= '1' && p[1] <= '9') {
      const std::size_t index = static_cast<std::size_t>(p[1] - '1');
      if (index < values.size()) {
        result += values[index];
        ++p;
        continue;
      }
    }
    result += *p;
  }
  return result;
}
