#pragma once

#include "windows/framework/win_api.h"
#include <commdlg.h>

#include <string>

// The Explorer-style open dialog re-dressed as a folder picker: the file rows
// hidden, "Select" beside Cancel, and Select returning the folder on display.
class CFolderDialog {
 public:
  // The chosen folder goes into *pstrFolder, which must outlive the dialog.
  explicit CFolderDialog(std::string* pstrFolder);
  CFolderDialog(const CFolderDialog&) = delete;
  CFolderDialog& operator=(const CFolderDialog&) = delete;

  // IDOK after Select (the folder stored), IDCANCEL otherwise (left alone).
  INT_PTR DoModal();

  OPENFILENAMEW m_ofn{};
  std::string* m_pstrFolder;

  static WNDPROC s_pfnOldDlgProc;

 protected:
  // The platform dialog has finished building itself; hDlg is its window.
  virtual void OnInitDone(HWND hDlg);

 private:
  static UINT_PTR CALLBACK HookProc(HWND hChild, UINT msg, WPARAM wParam, LPARAM lParam);
  friend LRESULT CALLBACK FolderDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);

  wchar_t m_szFile[MAX_PATH] = L"*..*";
  bool m_bSelected = false;
};

LRESULT CALLBACK FolderDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
