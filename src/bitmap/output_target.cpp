#include "bitmap/output_target.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <vector>

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

std::wstring TemporaryBesideW(const std::wstring& strPath) {
  std::wstring temp = strPath + L".tmp";
  const DWORD attributes = GetFileAttributesW(temp.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return NotFound(GetLastError()) ? temp : std::wstring();
  return attributes & FILE_ATTRIBUTE_DIRECTORY ? std::wstring() : temp;
}

OutputTarget ResolveOutputTarget(const std::string& strName) {
  const OutputTargetW w = ResolveOutputTargetW(Widen(strName));
  return {w.kind, w.strPath == Widen(strName) ? strName : Narrow(w.strPath)};
}

std::string TemporaryBeside(const std::string& strPath) {
  return TemporaryBesideW(Widen(strPath)).empty() ? std::string() : strPath + ".tmp";
}

#else

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {
// As many links as the system itself follows before giving up.
constexpr int kMaxLinks = 40;
}  // namespace

OutputTarget ResolveOutputTarget(const std::string& strName) {
  fs::path path(strName);
  for (int links = 0; links <= kMaxLinks; ++links) {
    std::error_code ec;
    switch (fs::symlink_status(path, ec).type()) {
      case fs::file_type::directory: return {OutputKind::Folder, path.string()};
      case fs::file_type::symlink: {
        const fs::path to = fs::read_symlink(path, ec);
        if (ec) return {OutputKind::NotAFile, strName};
        path = to.is_absolute() ? to : path.parent_path() / to;
        continue;
      }
      case fs::file_type::block:
      case fs::file_type::character:
      case fs::file_type::fifo:
      case fs::file_type::socket: return {OutputKind::NotAFile, path.string()};
      default:
        // A regular file, a free name, or one that cannot be looked at: the
        // write itself then fails, leaving nothing behind.
        return {OutputKind::File, path.string()};
    }
  }
  return {OutputKind::NotAFile, strName};
}

std::string TemporaryBeside(const std::string& strPath) {
  std::string temp = strPath + ".tmp";
  std::error_code ec;
  const fs::file_type type = fs::symlink_status(temp, ec).type();
  return type == fs::file_type::regular || type == fs::file_type::not_found ? temp : std::string();
}

#endif

#ifdef _WIN32

bool ReplaceOutputFileW(const std::wstring& strName, const std::function<bool(std::FILE*)>& fill) {
  if (strName.empty()) return false;
  const OutputTargetW target = ResolveOutputTargetW(strName);
  if (target.kind != OutputKind::File) return false;
  const std::wstring strTemp = TemporaryBesideW(target.strPath);
  if (strTemp.empty()) return false;
  std::FILE* file = _wfopen(strTemp.c_str(), L"wb");
  if (!file) return false;
  bool ok = fill(file);
  // Closing flushes the buffer: a full disk may only show here.
  ok = std::fclose(file) == 0 && ok;
  if (ok && MoveFileExW(strTemp.c_str(), target.strPath.c_str(), MOVEFILE_REPLACE_EXISTING))
    return true;
  DeleteFileW(strTemp.c_str());
  return false;
}

bool ReplaceOutputFile(const std::string& strName, const std::function<bool(std::FILE*)>& fill) {
  return !strName.empty() && ReplaceOutputFileW(Widen(strName), fill);
}

#else

bool ReplaceOutputFile(const std::string& strName, const std::function<bool(std::FILE*)>& fill) {
  if (strName.empty()) return false;
  const OutputTarget target = ResolveOutputTarget(strName);
  if (target.kind != OutputKind::File) return false;
  const std::string strTemp = TemporaryBeside(target.strPath);
  if (strTemp.empty()) return false;
  std::FILE* file = std::fopen(strTemp.c_str(), "wb");
  if (!file) return false;
  bool ok = fill(file);
  // Closing flushes the buffer: a full disk may only show here.
  ok = std::fclose(file) == 0 && ok;
  if (ok && std::rename(strTemp.c_str(), target.strPath.c_str()) == 0) return true;
  std::remove(strTemp.c_str());
  return false;
}

#endif
