#include "app/ini_file.h"


namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";

IniFileState TakeText(std::string& text, bool& bBom) {
  if (text.size() > kMaxIniBytes) {
    text.clear();
    return IniFileState::TooLarge;
  }
  bBom = text.rfind(kBom, 0) == 0;
  if (bBom) text.erase(0, 3);
  return IniFileState::Read;
}

}  // namespace

#ifdef _WIN32

#include <cwctype>
#include <fstream>
#include <system_error>

namespace {

bool IsNullDevice(const std::filesystem::path& path) {
  std::wstring name = path.wstring();
  for (auto& c : name) c = static_cast<wchar_t>(std::towupper(c));
  return name == L"NUL" || name == L"NUL:" || name == L"\\\\.\\NUL";
}

// Wine reports a Unix FIFO as not found, yet lists it in its folder.
bool ListedInFolder(const std::filesystem::path& path) {
  std::error_code ec;
  const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (it->path().filename() == path.filename()) return true;
  return false;
}

}  // namespace

IniFileState ReadIniFile(const std::filesystem::path& path, std::string& text, bool& bBom) {
  text.clear();
  bBom = false;
  if (IsNullDevice(path)) return IniFileState::Read;
  std::error_code ec;
  // Wine answers a FIFO or device with an error, never "not found"; only a
  // regular file is ever opened, so nothing waits for a writer.
  const auto status = std::filesystem::status(path, ec);
  if (status.type() == std::filesystem::file_type::not_found)
    return ListedInFolder(path) ? IniFileState::NotAFile : IniFileState::Missing;
  if (ec || status.type() != std::filesystem::file_type::regular) return IniFileState::NotAFile;
  const auto size = std::filesystem::file_size(path, ec);
  if (ec) return IniFileState::Unreadable;
  if (size > kMaxIniBytes) return IniFileState::TooLarge;
  std::ifstream in(path, std::ios::binary);
  if (!in) return IniFileState::Unreadable;
  // At most one byte past the limit: a file that grew meanwhile is still refused.
  text.resize(kMaxIniBytes + 1);
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(in.gcount()));
  if (in.bad()) return IniFileState::Unreadable;
  return TakeText(text, bBom);
}

#else

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class CFd {
 public:
  explicit CFd(int fd) : m_fd(fd) {}
  ~CFd() {
    if (m_fd >= 0) close(m_fd);
  }
  CFd(const CFd&) = delete;
  CFd& operator=(const CFd&) = delete;
  int Get() const { return m_fd; }

 private:
  int m_fd;
};

bool IsNullDevice(const struct stat& st) {
  struct stat null {};
  return S_ISCHR(st.st_mode) && stat("/dev/null", &null) == 0 && S_ISCHR(null.st_mode) &&
         st.st_rdev == null.st_rdev;
}

}  // namespace

IniFileState ReadIniFile(const std::filesystem::path& path, std::string& text, bool& bBom) {
  text.clear();
  bBom = false;
  // Non-blocking: opening a FIFO returns at once instead of waiting for a writer.
  CFd fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (fd.Get() < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return IniFileState::Missing;
    return errno == ENXIO || errno == EISDIR ? IniFileState::NotAFile : IniFileState::Unreadable;
  }
  struct stat st {};
  if (fstat(fd.Get(), &st) != 0) return IniFileState::Unreadable;
  if (IsNullDevice(st)) return IniFileState::Read;
  if (!S_ISREG(st.st_mode)) return IniFileState::NotAFile;
  if (static_cast<std::uintmax_t>(st.st_size) > kMaxIniBytes) return IniFileState::TooLarge;
  // At most one byte past the limit: a file that grew meanwhile is still refused.
  text.resize(kMaxIniBytes + 1);
  std::size_t got = 0;
  while (got < text.size()) {
    const ssize_t n = read(fd.Get(), &text[got], text.size() - got);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      text.clear();
      return IniFileState::Unreadable;
    }
    got += static_cast<std::size_t>(n);
  }
  text.resize(got);
  return TakeText(text, bBom);
}

#endif

std::string IniFileProblem(IniFileState state) {
  switch (state) {
    case IniFileState::NotAFile: return "is not a regular file";
    case IniFileState::TooLarge: return "is larger than 1 MB, more than any settings file holds";
    case IniFileState::Unreadable: return "cannot be read";
    case IniFileState::Read:
    case IniFileState::Missing: break;
  }
  return {};
}

std::string CheckIniFile(const std::filesystem::path& path) {
  std::string text;
  bool bBom = false;
  const IniFileState state = ReadIniFile(path, text, bBom);
  if (state == IniFileState::Read) return {};
  const std::string why = state == IniFileState::Missing ? "does not exist" : IniFileProblem(state);
  return "settings file '" + path.string() + "' " + why;
}
