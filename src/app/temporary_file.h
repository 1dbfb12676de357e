#pragma once

#include <cstdio>
#include <utility>

#include "app/output_target.h"

// A writer's temporary until it has taken the target's place: closed and
// removed on every way out, an exception from fill included. Each platform
// half of the output rule creates it and says how a name is removed.
template <class String>
class CTemporaryFile {
 public:
  using RemoveFn = void (*)(const String&);
  explicit CTemporaryFile(RemoveFn remove) : m_remove(remove) {}
  ~CTemporaryFile() {
    if (m_file) std::fclose(m_file);
    if (!m_strName.empty()) m_remove(m_strName);
    ReleaseTemporary();
  }
  CTemporaryFile(const CTemporaryFile&) = delete;
  CTemporaryFile& operator=(const CTemporaryFile&) = delete;

  // The file just created under strName, which is now this object's to remove.
  void Take(std::FILE* file, String strName) {
    m_file = file;
    m_strName = std::move(strName);
  }
  std::FILE* File() const { return m_file; }
  const String& Name() const { return m_strName; }
  bool Close() {
    const bool ok = std::fclose(m_file) == 0;
    m_file = nullptr;
    return ok;
  }
  // The temporary has become the target: nothing left to remove.
  void Moved() { m_strName.clear(); }

 private:
  RemoveFn m_remove;
  std::FILE* m_file = nullptr;
  String m_strName;
};
