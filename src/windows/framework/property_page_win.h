#pragma once

#include "windows/framework/win_api.h"
#include <commctrl.h>

#include <string>

#include "windows/framework/property_ddx_win.h"

class CPropertySheet;

// One page of a property sheet, built from a dialog template of the module.
// Members reach the controls only through DoDataExchange: members to controls
// when the page is shown, controls to members (with the checks) when it is
// left or OK is pressed. A page never opened keeps its members untouched.
class CPropertyPage {
 public:
  explicit CPropertyPage(UINT nIDTemplate);
  virtual ~CPropertyPage() = default;
  CPropertyPage(const CPropertyPage&) = delete;
  CPropertyPage& operator=(const CPropertyPage&) = delete;

  // False (after the message of the failing binder) when a check fails.
  bool UpdateData(bool bSaveAndValidate = true);

  HWND GetDlgItem(int nIDC) const { return ::GetDlgItem(m_hWnd, nIDC); }
  void CheckRadioButton(int nIDFirst, int nIDLast, int nIDCheck) {
    ::CheckRadioButton(m_hWnd, nIDFirst, nIDLast, nIDCheck);
  }
  // A message box owned by the page; the caption is the caller's.
  int MessageBox(const std::string& text, const std::string& caption, UINT nType);

  HPROPSHEETPAGE CreatePage();

  UINT m_nIDTemplate;
  HWND m_hWnd = nullptr;
  CPropertySheet* m_pSheet = nullptr;

 protected:
  virtual void DoDataExchange(CDataExchange*) {}
  virtual bool OnInitDialog();
  virtual bool OnSetActive();
  // Returning false keeps the sheet on this page.
  virtual bool OnKillActive();
  virtual void OnOK() {}
  // WM_COMMAND from a control; true when handled.
  virtual bool OnCommand(int /*nID*/, int /*nCode*/) { return false; }
  // WM_PAINT; true when handled.
  virtual bool OnPaint() { return false; }

 private:
  static INT_PTR CALLBACK DlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
  INT_PTR OnNotify(const NMHDR& hdr);

  bool m_bFirstSetActive = true;
};
