#include "windows/framework/property_sheet_win.h"

#include "windows/framework/property_page_win.h"
#include "windows/framework/property_text_win.h"
#include "windows/framework/utf8_win.h"

namespace {
// The callback gets no user data; a modal sheet runs one at a time.
CPropertySheet* s_pRunningSheet = nullptr;
}  // namespace

CPropertySheet::CPropertySheet(const std::string& caption, HWND hParent, UINT iSelectPage)
    : m_strCaption(Utf8ToWide(caption)) {
  m_psh.dwSize = sizeof(m_psh);
  m_psh.dwFlags = PSH_DEFAULT;
  m_psh.hwndParent = hParent;
  m_psh.hInstance = GetModuleHandleW(nullptr);
  m_psh.nStartPage = iSelectPage;
}

void CPropertySheet::AddPage(CPropertyPage* pPage) {
  pPage->m_pSheet = this;
  m_pages.push_back(pPage);
}

int CALLBACK CPropertySheet::SheetCallback(HWND hWnd, UINT msg, LPARAM) {
  if (msg == PSCB_INITIALIZED && s_pRunningSheet) s_pRunningSheet->m_hWnd = hWnd;
  return 0;
}

INT_PTR CPropertySheet::DoModal() {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&icc);

  std::vector<HPROPSHEETPAGE> handles;
  for (CPropertyPage* pPage : m_pages) {
    if (HPROPSHEETPAGE h = pPage->CreatePage()) handles.push_back(h);
  }
  if (handles.empty()) return IDCANCEL;

  m_bApplied = false;
  m_psh.dwFlags |= PSH_USECALLBACK;
  m_psh.pfnCallback = &CPropertySheet::SheetCallback;
  m_psh.pszCaption = m_strCaption.c_str();
  m_psh.nPages = static_cast<UINT>(handles.size());
  m_psh.phpage = handles.data();

  CPropertySheet* pOuter = s_pRunningSheet;
  s_pRunningSheet = this;
  const INT_PTR result = PropertySheetW(&m_psh);
  s_pRunningSheet = pOuter;
  m_hWnd = nullptr;
  // With no Apply button every PSN_APPLY comes from OK.
  return (result != -1 && m_bApplied) ? IDOK : IDCANCEL;
}
