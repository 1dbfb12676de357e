#pragma once

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

#ifdef _WIN32
struct OutputTargetW {
  OutputKind kind;
  std::wstring strPath;
};
OutputTargetW ResolveOutputTargetW(const std::wstring& strName);
std::wstring TemporaryBesideW(const std::wstring& strPath);
#endif
