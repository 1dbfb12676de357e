#include "app/output_target.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <random>

#include "app/temporary_file.h"

namespace {

// Room for any path the system takes; a longer one is simply not held.
char g_temporary[4096];
std::atomic<bool> g_holding{false};
static_assert(std::atomic<bool>::is_always_lock_free, "read in signal handlers");

}  // namespace

std::string TemporaryNameBeside(const std::string& strPath) {
  // The exclusive creation makes the name safe; the randomness only spares
  // retries. Mixed with the clock and a count, as some runtimes' random
  // devices repeat from one process to the next.
  static std::atomic<unsigned long long> count{0};
  static const unsigned long long seed = [] {
    std::random_device device;
    return (static_cast<unsigned long long>(device()) << 32) ^ device();
  }();
  unsigned long long bits =
      seed ^ static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
      (++count * 0x9E3779B97F4A7C15ULL);
  bits ^= bits >> 31;
  bits *= 0xBF58476D1CE4E5B9ULL;
  bits ^= bits >> 29;
  char hex[17];
  for (int i = 15; i >= 0; --i, bits >>= 4) hex[i] = "0123456789abcdef"[bits & 15];
  hex[16] = '\0';
  const auto slash = strPath.find_last_of(
#ifdef _WIN32
      "\\/:"
#else
      "/"
#endif
  );
  const std::string folder = slash == std::string::npos ? std::string() : strPath.substr(0, slash + 1);
  return folder + ".mirovane-" + hex + ".tmp";
}

const char* TemporaryInProgress() { return g_holding.load() ? g_temporary : nullptr; }

void HoldTemporary(const std::string& strTemp) {
  g_holding.store(false);
  if (strTemp.size() >= sizeof g_temporary) return;
  std::memcpy(g_temporary, strTemp.c_str(), strTemp.size() + 1);
  g_holding.store(true);
}

void ReleaseTemporary() { g_holding.store(false); }

bool ReplaceOutputFile(const std::string& strName, const std::function<bool(std::FILE*)>& fill) {
  return WriteOutputFile(strName, fill, OutputMode::Replace) == OutputResult::Written;
}

#ifndef _WIN32

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// As many links as the system itself follows before giving up.
constexpr int kMaxLinks = 40;
// Tries at a fresh name when another writer took one first.
constexpr int kTemporaryTries = 16;

void RemoveName(const std::string& strName) { std::remove(strName.c_str()); }

bool CreateTemporary(CTemporaryFile<std::string>& temp, const std::string& strTarget) {
  for (int i = 0; i < kTemporaryTries; ++i) {
    const std::string name = TemporaryNameBeside(strTarget);
    // "x": created here or not at all; a FIFO or link under the name is refused.
    if (std::FILE* file = std::fopen(name.c_str(), "wbx")) {
      temp.Take(file, name);
      HoldTemporary(name);
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

bool Occupied(const std::string& strPath) {
  std::error_code ec;
  return fs::symlink_status(strPath, ec).type() != fs::file_type::not_found;
}

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

OutputResult WriteOutputFile(const std::string& strName, const std::function<bool(std::FILE*)>& fill,
                             OutputMode mode) {
  if (strName.empty()) return OutputResult::Failed;
  const OutputTarget target = ResolveOutputTarget(strName);
  if (target.kind != OutputKind::File) return OutputResult::Failed;
  if (mode == OutputMode::KeepExisting && Occupied(target.strPath)) return OutputResult::Exists;
  CTemporaryFile<std::string> temp(RemoveName);
  if (!CreateTemporary(temp, target.strPath)) return OutputResult::Failed;
  // Closing flushes the buffer: a full disk may only show here.
  const bool filled = fill(temp.File());
  if (!temp.Close() || !filled) return OutputResult::Failed;
  if (mode == OutputMode::Replace) {
    if (std::rename(temp.Name().c_str(), target.strPath.c_str()) != 0) return OutputResult::Failed;
    temp.Moved();
    return OutputResult::Written;
  }
  // A hard link is made only where no name is: no other writer's file is
  // replaced, however close the two come. The temporary name then goes.
  std::error_code ec;
  fs::create_hard_link(temp.Name(), target.strPath, ec);
  if (!ec) return OutputResult::Written;
  if (ec == std::errc::file_exists) return OutputResult::Exists;
  // A file system without hard links: looked at, then renamed.
  if (Occupied(target.strPath)) return OutputResult::Exists;
  if (std::rename(temp.Name().c_str(), target.strPath.c_str()) != 0) return OutputResult::Failed;
  temp.Moved();
  return OutputResult::Written;
}

bool FolderTakesFiles(const std::string& strFolder) {
  CTemporaryFile<std::string> temp(RemoveName);
  if (!CreateTemporary(temp, (strFolder.empty() ? std::string(".") : strFolder) + "/probe")) return false;
  return std::fputc('x', temp.File()) != EOF && temp.Close();
}

#endif
