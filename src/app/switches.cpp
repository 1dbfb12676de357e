#include "app/switches.h"

namespace {

template <typename Char>
bool MatchSwitchT(const Char* arg, char letter) {
  if (arg == nullptr) return false;
  if (*arg == '-' || *arg == '/') ++arg;
  auto upper = [](unsigned c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; };
  const unsigned c = static_cast<unsigned>(*arg);
  return c != 0 && upper(c) == upper(static_cast<unsigned char>(letter));
}

template <typename Char>
bool ReadHandleT(const Char* text, std::uintptr_t& handle) {
  handle = 0;
  if (text == nullptr) return false;
  while (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\r' || *text == '\v' ||
         *text == '\f')
    ++text;
  bool negative = false;
  if (*text == '+' || *text == '-') negative = (*text++ == '-');
  // Unsigned arithmetic wraps instead of overflowing; handles are 32-bit values.
  std::uint32_t value = 0;
  bool digits = false;
  for (; *text >= '0' && *text <= '9'; ++text) {
    value = value * 10u + static_cast<std::uint32_t>(*text - '0');
    digits = true;
  }
  if (negative) value = 0u - value;
  handle = value;
  return digits;
}

}  // namespace

bool MatchSwitch(const char* arg, char letter) { return MatchSwitchT(arg, letter); }
bool MatchSwitch(const wchar_t* arg, char letter) { return MatchSwitchT(arg, letter); }
bool ReadPreviewHandle(const char* text, std::uintptr_t& handle) { return ReadHandleT(text, handle); }
bool ReadPreviewHandle(const wchar_t* text, std::uintptr_t& handle) { return ReadHandleT(text, handle); }

const wchar_t* PreviewHandleText(const wchar_t* switchArg, const wchar_t* nextArg) {
  for (const wchar_t* p = switchArg; p && *p; ++p)
    if (*p == L':') return p + 1;
  return nextArg;
}
