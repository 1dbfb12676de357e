#pragma once

#include <cstdio>
#include <functional>
#include <string>

// What a file's name stands for when a writer is about to replace it.
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

// Whether a file already under the name may be replaced.
enum class OutputMode { Replace, KeepExisting };
enum class OutputResult { Written, Exists, Failed };

// A temporary name in the folder of strPath, short so that it fits wherever
// strPath fits, and random so that no other writer picks it.
std::string TemporaryNameBeside(const std::string& strPath);

// Writes the file strName: fill writes the whole content into a temporary
// file of its own, created only if nothing holds its name, which then takes
// the target's place in one step. Two writers of one name thus leave one
// whole file or the other. Written when the complete file is in place;
// Exists when KeepExisting found a file there; otherwise Failed, and the
// target is as it was.
OutputResult WriteOutputFile(const std::string& strName, const std::function<bool(std::FILE*)>& fill,
                             OutputMode mode = OutputMode::Replace);
// The same with Replace; true when written.
bool ReplaceOutputFile(const std::string& strName, const std::function<bool(std::FILE*)>& fill);

// Whether the folder takes a new file: a temporary of the writers' kind is
// created and removed, so an interruption removes it like any other.
bool FolderTakesFiles(const std::string& strFolder);

// The temporary being written right now, or null: a signal handler removes
// it before the process ends. Safe to read in a handler.
const char* TemporaryInProgress();

// The platform half keeps the name while a writer holds it.
void HoldTemporary(const std::string& strTemp);
void ReleaseTemporary();

#ifdef _WIN32
struct OutputTargetW {
  OutputKind kind;
  std::wstring strPath;
};
OutputTargetW ResolveOutputTargetW(const std::wstring& strName);
// The same with a wide-character name, so that folders of any name the
// system accepts work; the narrow form takes the names fopen takes.
OutputResult WriteOutputFileW(const std::wstring& strName, const std::function<bool(std::FILE*)>& fill,
                              OutputMode mode = OutputMode::Replace);
bool ReplaceOutputFileW(const std::wstring& strName, const std::function<bool(std::FILE*)>& fill);
// Deletes the temporary in progress, by its wide name where it has one:
// open temporaries allow it, and the file goes when the process ends.
void RemoveTemporaryInProgress();
#endif
