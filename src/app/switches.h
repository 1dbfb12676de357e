#pragma once

#include <cstdint>

// Screen-saver hosts pass one-letter switches in many spellings (/S, -s, s,
// Save, /s:123): only the first letter after an optional "-" or "/" counts.
bool MatchSwitch(const char* arg, char letter);
bool MatchSwitch(const wchar_t* arg, char letter);

// Reads a window handle written in decimal, as atol would (leading blanks,
// optional sign, digits up to the first non-digit), keeping the low 32 bits
// so that hosts writing handles as unsigned decimals above 2^31 work.
// Returns false when there are no digits at all.
bool ReadPreviewHandle(const char* text, std::uintptr_t& handle);
bool ReadPreviewHandle(const wchar_t* text, std::uintptr_t& handle);

// The handle of "/p:1234" or "/p 1234": the text after the colon when the
// switch argument has one, else the next argument.
const wchar_t* PreviewHandleText(const wchar_t* switchArg, const wchar_t* nextArg);
