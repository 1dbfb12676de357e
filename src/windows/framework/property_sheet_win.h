#pragma once

#include "windows/framework/win_api.h"
#include <commctrl.h>

#include <string>
#include <vector>

class CPropertyPage;

// A modal tabbed dialog over the system's property-sheet API. The pages are
// the caller's objects and must outlive DoModal.
class CPropertySheet {
 public:
  CPropertySheet(const std::string& caption, HWND hParent = nullptr, UINT iSelectPage = 0);
  CPropertySheet(const CPropertySheet&) = delete;
  CPropertySheet& operator=(const CPropertySheet&) = delete;

  void AddPage(CPropertyPage* pPage);
  // IDOK when the sheet was closed with OK, IDCANCEL otherwise.
  INT_PTR DoModal();

  PROPSHEETHEADERW m_psh{};
  HWND m_hWnd = nullptr;  // while the sheet is shown
  bool m_bApplied = false;

 private:
  static int CALLBACK SheetCallback(HWND hWnd, UINT msg, LPARAM lParam);

  std::wstring m_strCaption;
  std::vector<CPropertyPage*> m_pages;
};
