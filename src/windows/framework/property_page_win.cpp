#include "windows/framework/property_page_win.h"

#include "windows/framework/property_sheet_win.h"
#include "windows/framework/property_text_win.h"
#include "windows/framework/utf8_win.h"

CPropertyPage::CPropertyPage(UINT nIDTemplate) : m_nIDTemplate(nIDTemplate) {}

bool CPropertyPage::UpdateData(bool bSaveAndValidate) {
  CDataExchange dx(m_hWnd, bSaveAndValidate);
  DoDataExchange(&dx);
  return !dx.m_bFailed;
}

int CPropertyPage::MessageBox(const std::string& text, const std::string& caption, UINT nType) {
  return ::MessageBoxW(m_hWnd, Utf8ToWide(text).c_str(), Utf8ToWide(caption).c_str(), nType);
}

HPROPSHEETPAGE CPropertyPage::CreatePage() {
  PROPSHEETPAGEW psp{};
  psp.dwSize = sizeof(psp);
  psp.dwFlags = PSP_DEFAULT;
  psp.hInstance = GetModuleHandleW(nullptr);
  psp.pszTemplate = MAKEINTRESOURCEW(m_nIDTemplate);
  psp.pfnDlgProc = &CPropertyPage::DlgProc;
  psp.lParam = reinterpret_cast<LPARAM>(this);
  return CreatePropertySheetPageW(&psp);
}

bool CPropertyPage::OnInitDialog() {
  UpdateData(false);
  return true;
}

bool CPropertyPage::OnSetActive() {
  // The first showing follows WM_INITDIALOG, which has filled the controls.
  if (m_bFirstSetActive)
    m_bFirstSetActive = false;
  else
    UpdateData(false);
  return true;
}

bool CPropertyPage::OnKillActive() { return UpdateData(true); }

INT_PTR CPropertyPage::OnNotify(const NMHDR& hdr) {
  LONG_PTR result = 0;
  switch (hdr.code) {
    case PSN_SETACTIVE:
      result = OnSetActive() ? 0 : -1;
      break;
    case PSN_KILLACTIVE:
      result = OnKillActive() ? FALSE : TRUE;
      break;
    case PSN_APPLY:
      OnOK();
      if (m_pSheet) m_pSheet->m_bApplied = true;
      result = PSNRET_NOERROR;
      break;
    default:
      return FALSE;
  }
  SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
  return TRUE;
}

INT_PTR CALLBACK CPropertyPage::DlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* pPage = reinterpret_cast<CPropertyPage*>(GetWindowLongPtrW(hDlg, DWLP_USER));
  if (msg == WM_INITDIALOG) {
    const auto* psp = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
    pPage = reinterpret_cast<CPropertyPage*>(psp->lParam);
    SetWindowLongPtrW(hDlg, DWLP_USER, reinterpret_cast<LONG_PTR>(pPage));
    pPage->m_hWnd = hDlg;
    return pPage->OnInitDialog() ? TRUE : FALSE;
  }
  if (!pPage) return FALSE;
  switch (msg) {
    case WM_NOTIFY:
      return pPage->OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
      return pPage->OnCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    case WM_PAINT:
      return pPage->OnPaint() ? TRUE : FALSE;
    case WM_NCDESTROY:
      pPage->m_hWnd = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}
