#include "app/output_target.h"

#include "windows/framework/win_api.h"

#include <fcntl.h>
#include <io.h>

#include <atomic>
#include <cwchar>
#include <vector>

#include "app/temporary_file.h"

namespace {

std::wstring Widen(const std::string& s) {
  // The narrow names are the ones fopen takes: the ANSI code page.
  const int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

std::string Narrow(const std::wstring& w) {
  const int n = WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string s(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0)
    WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                        nullptr);
  return s;
}

// The temporary in progress by its own name, which the code page may not spell.
wchar_t g_temporaryW[32768];
std::atomic<bool> g_holdingW{false};

void HoldTemporaryW(const std::wstring& strTemp) {
  g_holdingW.store(false);
  if (strTemp.size() < std::size(g_temporaryW)) {
    std::wmemcpy(g_temporaryW, strTemp.c_str(), strTemp.size() + 1);
    g_holdingW.store(true);
  }
  HoldTemporary(Narrow(strTemp));
}

bool NotFound(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::wstring FullName(const std::wstring& strName) {
  const DWORD n = GetFullPathNameW(strName.c_str(), 0, nullptr, nullptr);
  if (n == 0) return strName;
  std::vector<wchar_t> buffer(n);
  const DWORD got = GetFullPathNameW(strName.c_str(), n, buffer.data(), nullptr);
  return got > 0 && got < n ? std::wstring(buffer.data(), got) : strName;
}

// The name the handle's file finally has, without the \\?\ prefix.
std::wstring FinalName(HANDLE h) {
  const DWORD n = GetFinalPathNameByHandleW(h, nullptr, 0, 0);
  if (n == 0) return {};
  std::vector<wchar_t> buffer(n + 1);
  const DWORD got = GetFinalPathNameByHandleW(h, buffer.data(), n + 1, 0);
  if (got == 0 || got > n) return {};
  std::wstring name(buffer.data(), got);
  if (name.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\\\" + name.substr(8);
  if (name.rfind(L"\\\\?\\", 0) == 0) return name.substr(4);
  return name;
}

}  // namespace

OutputTargetW ResolveOutputTargetW(const std::wstring& strName) {
  const DWORD attributes = GetFileAttributesW(strName.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    // Wine answers a FIFO, socket or device with an error other than "not
    // found"; a name nobody holds is written as a new file.
    if (NotFound(GetLastError())) return {OutputKind::File, strName};
    return {OutputKind::NotAFile, strName};
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return {OutputKind::Folder, strName};
  // No access asked for: opening neither blocks on a pipe nor locks the file.
  HANDLE h = CreateFileW(strName.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    // A link to nothing: where it would lead is unknown, so it is kept.
    const bool link = attributes & FILE_ATTRIBUTE_REPARSE_POINT;
    return {link ? OutputKind::NotAFile : OutputKind::File, strName};
  }
  OutputTargetW target{OutputKind::File, strName};
  if (GetFileType(h) != FILE_TYPE_DISK) {
    target.kind = OutputKind::NotAFile;
  } else {
    // A linked file's final name, so that the rename replaces the file and
    // not the link (Wine shows Unix links as plain files).
    const std::wstring final = FinalName(h);
    if (!final.empty() && CompareStringOrdinal(final.c_str(), -1, FullName(strName).c_str(), -1,
                                               TRUE) != CSTR_EQUAL)
      target.strPath = final;
  }
  CloseHandle(h);
  return target;
}

OutputTarget ResolveOutputTarget(const std::string& strName) {
  const OutputTargetW w = ResolveOutputTargetW(Widen(strName));
  return {w.kind, w.strPath == Widen(strName) ? strName : Narrow(w.strPath)};
}


namespace {

// Tries at a fresh name when another writer took one first.
constexpr int kTemporaryTries = 16;
// Tries at the final rename while another writer's rename holds the name
// (10 ms apart).
constexpr int kRenameTries = 100;

void RemoveName(const std::wstring& strName) { DeleteFileW(strName.c_str()); }

bool CreateTemporary(CTemporaryFile<std::wstring>& temp, const std::wstring& strTarget) {
  for (int i = 0; i < kTemporaryTries; ++i) {
    // The folder stays wide: only the short name goes through the code page.
    const std::wstring wide = strTarget.substr(0, strTarget.find_last_of(L"\\/:") + 1) +
                              Widen(TemporaryNameBeside(std::string()));
    // Created here or not at all; deletable while open, so that an
    // interrupted writer's temporary can go.
    HANDLE h = CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                           CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
      return false;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_BINARY | _O_WRONLY);
    if (fd == -1) {
      CloseHandle(h);
      DeleteFileW(wide.c_str());
      return false;
    }
    std::FILE* file = _fdopen(fd, "wb");
    if (!file) {
      _close(fd);
      DeleteFileW(wide.c_str());
      return false;
    }
    temp.Take(file, wide);
    HoldTemporaryW(wide);
    return true;
  }
  return false;
}

}  // namespace

OutputResult WriteOutputFileW(const std::wstring& strName, const std::function<bool(std::FILE*)>& fill,
                              OutputMode mode) {
  if (strName.empty()) return OutputResult::Failed;
  const OutputTargetW target = ResolveOutputTargetW(strName);
  if (target.kind != OutputKind::File) return OutputResult::Failed;
  if (mode == OutputMode::KeepExisting && GetFileAttributesW(target.strPath.c_str()) != INVALID_FILE_ATTRIBUTES)
    return OutputResult::Exists;
  CTemporaryFile<std::wstring> temp(RemoveName);
  if (!CreateTemporary(temp, target.strPath)) return OutputResult::Failed;
  // Closing flushes the buffer: a full disk may only show here.
  const bool filled = fill(temp.File());
  if (!temp.Close() || !filled) return OutputResult::Failed;
  // Without MOVEFILE_REPLACE_EXISTING the move fails where any file is, so
  // KeepExisting never replaces another writer's file.
  const DWORD flags = mode == OutputMode::Replace ? MOVEFILE_REPLACE_EXISTING : 0;
  DWORD error = 0;
  for (int nTry = 0;; ++nTry) {
    if (MoveFileExW(temp.Name().c_str(), target.strPath.c_str(), flags)) {
      temp.Moved();
      return OutputResult::Written;
    }
    error = GetLastError();
    // Another writer's rename onto the same name holds it for a moment.
    if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) || nTry == kRenameTries) break;
    Sleep(10);
  }
  return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? OutputResult::Exists
                                                                      : OutputResult::Failed;
}

bool ReplaceOutputFileW(const std::wstring& strName, const std::function<bool(std::FILE*)>& fill) {
  return WriteOutputFileW(strName, fill, OutputMode::Replace) == OutputResult::Written;
}

OutputResult WriteOutputFile(const std::string& strName, const std::function<bool(std::FILE*)>& fill,
                             OutputMode mode) {
  return strName.empty() ? OutputResult::Failed : WriteOutputFileW(Widen(strName), fill, mode);
}

bool FolderTakesFiles(const std::string& strFolder) {
  CTemporaryFile<std::wstring> temp(RemoveName);
  if (!CreateTemporary(temp, (strFolder.empty() ? std::wstring(L".") : Widen(strFolder)) + L"\\probe")) return false;
  return std::fputc('x', temp.File()) != EOF && temp.Close();
}

void RemoveTemporaryInProgress() {
  if (TemporaryInProgress() && g_holdingW.load()) DeleteFileW(g_temporaryW);
}
