#include "windows/framework/win_api.h"

#include "app/settings_table.h"
#include "windows/config/config_pages_win.h"
#include "windows/config/folder_dialog_win.h"
#include "config/hotkey_check.h"
#include "windows/framework/property_text_win.h"
#include "resources/config_resource.h"
#include "windows/framework/utf8_win.h"

namespace {

EPathStatus QueryPathStatus(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Utf8ToWide(path).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES)
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? EPathStatus::Directory : EPathStatus::NotDirectory;
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
      return EPathStatus::Missing;
    default:
      return EPathStatus::Unknown;
  }
}

const char* ReportText(EHotkeysVerdict verdict) {
  switch (verdict) {
    case EHotkeysVerdict::KeysNotUnique:
      return kKeysNotUniqueText;
    case EHotkeysVerdict::FolderTooLong:
      return kFolderTooLongText;
    case EHotkeysVerdict::FolderMissing:
    case EHotkeysVerdict::Accept:
      break;
  }
  return kFolderMissingText;
}

}  // namespace

CPageHotkeys::CPageHotkeys() : CPropertyPage(IDD_HOTKEYS) {}

void CPageHotkeys::DoDataExchange(CDataExchange* pDX) {
  DDX_Text(pDX, IDC_PAUSING_KEY, m_strPausingKey);
  DDV_MaxChars(pDX, m_strPausingKey, SettingOf(&CSettings::m_strPausingKey).nHigh);
  DDX_Text(pDX, IDC_PRINTING_KEY, m_strPrintingKey);
  DDV_MaxChars(pDX, m_strPrintingKey, SettingOf(&CSettings::m_strPrintingKey).nHigh);
  DDX_Check(pDX, IDC_PAUSING_ACTIVE, m_bPausingActive);
  DDX_Check(pDX, IDC_PRINTING_ACTIVE, m_bPrintingActive);
  DDX_Text(pDX, IDC_FILE_LOCATION, m_strFileLocation);
  DDV_MaxChars(pDX, m_strFileLocation, SettingOf(&CSettings::m_strFileLocation).nHigh);
  DDX_Check(pDX, IDC_NEXT_ACTIVE, m_bNextActive);
  DDX_Text(pDX, IDC_NEXT_KEY, m_strNextKey);
  DDV_MaxChars(pDX, m_strNextKey, SettingOf(&CSettings::m_strNextKey).nHigh);
}

bool CPageHotkeys::OnKillActive() {
  if (!UpdateData(true)) return false;
  const CHotkeysCheck check = CheckHotkeys(*this, QueryPathStatus);
  if (check.verdict == EHotkeysVerdict::Accept) return true;
  MessageBox(ReportText(check.verdict), "Error", MB_ICONSTOP | MB_OK);
  if (HWND hCtrl = GetDlgItem(check.nFocusId)) SetFocus(hCtrl);
  return false;
}

bool CPageHotkeys::OnCommand(int nID, int nCode) {
  if (nID != IDC_BROWSE || nCode != BN_CLICKED) return false;
  OnBrowse();
  return true;
}

void CPageHotkeys::OnBrowse() {
  // Keep what was typed in the other boxes; a failing check leaves the page as it is.
  if (!UpdateData(true)) return;
  CFolderDialog dialog(&m_strFileLocation);
  const std::wstring start = Utf8ToWide(m_strFileLocation);
  dialog.m_ofn.lpstrInitialDir = start.empty() ? nullptr : start.c_str();
  dialog.m_ofn.hwndOwner = GetParent(m_hWnd);
  if (dialog.DoModal() == IDOK) UpdateData(false);
}
