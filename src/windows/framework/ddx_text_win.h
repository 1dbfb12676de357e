#pragma once

#include <initializer_list>
#include <string>

// Texts and parsing of the pages' data exchange, kept free of any window.

inline constexpr const char* kAppTitle = "mirovane";
inline constexpr const char* kParseUIntPrompt = "Please enter a positive integer.";
inline constexpr const char* kParseRangePrompt = "Please enter an integer between %1 and %2.";
inline constexpr const char* kMaxCharsPrompt = "Please enter no more than %1 characters.";

// An edit box's text as an unsigned 32-bit number: optional blanks around
// decimal digits. Empty text, a sign, other characters or a value above
// 4294967295 are refused.
bool ParseUInt(const std::string& text, unsigned& nValue);

// Replaces %1, %2, ... by the arguments in order; other text is kept.
std::string FormatPrompt(const char* pattern, std::initializer_list<std::string> args);
