#pragma once

#include <string>

#include "config/page_data.h"
#include "display/saver_model.h"

// What a status query of the screenshot folder found.
enum class EPathStatus { Directory, NotDirectory, Missing, Unknown };

// The verdict on leaving the Hotkeys page: accepted, or which report to show
// and which control gets the focus.
enum class EHotkeysVerdict { Accept, KeysNotUnique, FolderTooLong, FolderMissing };

struct CHotkeysCheck {
  EHotkeysVerdict verdict = EHotkeysVerdict::Accept;
  int nFocusId = 0;
};

inline constexpr const char* kKeysNotUniqueText = "Active hotkeys must be unique ...";
inline constexpr const char* kFolderMissingText = "Directory does not exist ...";
inline constexpr const char* kFolderTooLongText =
    "The screenshot folder name is too long: use at most 230 characters.";

// Characters of a UTF-8 string as an edit box counts them (UTF-16 units).
std::size_t Utf8Length(const std::string& text);

// Checks the active keys pairwise (Pause/Screenshot, Screenshot/Next,
// Next/Pause), then the folder. The status query runs only for a non-empty
// folder of acceptable length.
template <class QueryFn>
CHotkeysCheck CheckHotkeys(const CHotkeysData& data, QueryFn queryStatus);

enum : int {
  kIdcPausingKey = 1030,
  kIdcPrintingKey = 1031,
  kIdcFileLocation = 1032,
  kIdcNextKey = 1034,
};

template <class QueryFn>
CHotkeysCheck CheckHotkeys(const CHotkeysData& data, QueryFn queryStatus) {
  const auto clash = [](const std::string& a, int bA, const std::string& b, int bB) {
    return a == b && bA && bB;
  };
  if (clash(data.m_strPausingKey, data.m_bPausingActive, data.m_strPrintingKey,
            data.m_bPrintingActive))
    return {EHotkeysVerdict::KeysNotUnique, kIdcPrintingKey};
  if (clash(data.m_strPrintingKey, data.m_bPrintingActive, data.m_strNextKey, data.m_bNextActive))
    return {EHotkeysVerdict::KeysNotUnique, kIdcNextKey};
  if (clash(data.m_strNextKey, data.m_bNextActive, data.m_strPausingKey, data.m_bPausingActive))
    return {EHotkeysVerdict::KeysNotUnique, kIdcPausingKey};
  if (data.m_strFileLocation.empty()) return {};
  if (Utf8Length(data.m_strFileLocation) > kMaxScreenshotFolder)
    return {EHotkeysVerdict::FolderTooLong, kIdcFileLocation};
  switch (queryStatus(data.m_strFileLocation)) {
    case EPathStatus::NotDirectory:
    case EPathStatus::Missing:
      return {EHotkeysVerdict::FolderMissing, kIdcFileLocation};
    case EPathStatus::Directory:
    case EPathStatus::Unknown:
      break;
  }
  return {};
}
