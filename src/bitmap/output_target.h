#pragma once

#include <cstdio>
#include <functional>
#include <string>

// What a picture file's name stands for when a writer is about to replace it.
enum class OutputKind {
  File,      // a regular file or a name not in use: write a temporary and rename
  Folder,    // refused
  NotAFile,  // a device, FIFO, socket or endless link chain: refused, left alone
};

struct OutputTarget {
  OutputKind kind;
  // The name to replace: a symbolic link's final target, so the link stays.
  std::string strPath;
};

OutputTarget ResolveOutputTarget(const std::string& strName);

// The temporary name beside a target, or empty when something that is not a
// regular file already holds that name.
std::string TemporaryBeside(const std::string& strPath);

// Writes the file strName by the rule above: fill writes the whole content
// into the open temporary file, which then replaces the target. True when
// the complete file is in place; otherwise the target is as it was.
bool ReplaceOutputFile(const std::string& strName, const std::function<bool(std::FILE*)>& fill);

#ifdef _WIN32
struct OutputTargetW {
  OutputKind kind;
  std::wstring strPath;
};
OutputTargetW ResolveOutputTargetW(const std::wstring& strName);
std::wstring TemporaryBesideW(const std::wstring& strPath);
// The same with a wide-character name, so that folders of any name the
// system accepts work; the narrow form takes the names fopen takes.
bool ReplaceOutputFileW(const std::wstring& strName, const std::function<bool(std::FILE*)>& fill);
#endif
