#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

// What a settings file must be: a regular file of at most this size (a
// real one holds a few hundred bytes). The null device reads as empty.
inline constexpr std::uintmax_t kMaxIniBytes = 1024 * 1024;

enum class IniFileState { Read, Missing, NotAFile, TooLarge, Unreadable };

// Reads the whole settings file into text (a UTF-8 byte-order mark taken
// off, bBom set then). Never blocks: a FIFO or device is looked at without
// waiting for a writer, and never read. text is empty unless Read.
IniFileState ReadIniFile(const std::filesystem::path& path, std::string& text, bool& bBom);

// Why the file cannot be the settings, as a line's end ("is not a regular
// file"); empty for Read and Missing.
std::string IniFileProblem(IniFileState state);

// The renderer's check of --settings: empty when the file can be read as
// settings, else a one-line message naming it.
std::string CheckIniFile(const std::filesystem::path& path);
