#pragma once

#include <string>

// The program keeps its strings in UTF-8; the W APIs want UTF-16. Text that
// does not convert gives an empty string.
std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);
