#include "windows/framework/property_ddx_win.h"

#include "windows/framework/ddx_text_win.h"
#include "windows/framework/property_text_win.h"
#include "windows/framework/utf8_win.h"

HWND CDataExchange::PrepareCtrl(int nIDC) {
  m_idLastControl = nIDC;
  m_bEditLastControl = false;
  return GetDlgItem(m_hDlg, nIDC);
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
  HWND hCtrl = PrepareCtrl(nIDC);
  m_bEditLastControl = true;
  return hCtrl;
}

void CDataExchange::Fail() {
  m_bFailed = true;
  if (!m_bSaveAndValidate) return;
  HWND hCtrl = GetDlgItem(m_hDlg, m_idLastControl);
  if (!hCtrl) return;
  SetFocus(hCtrl);
  if (m_bEditLastControl) SendMessageW(hCtrl, EM_SETSEL, 0, -1);
}

namespace {
void Report(CDataExchange* pDX, const std::string& text) {
  AppMessageBox(pDX->m_hDlg, text, MB_ICONEXCLAMATION | MB_OK);
  pDX->Fail();
}
}  // namespace

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
  if (pDX->m_bFailed) return;
  HWND hCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    value = SendMessageW(hCtrl, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
  } else {
    SendMessageW(hCtrl, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

void DDX_CheckBit(CDataExchange* pDX, int nIDC, int& mask, int nBit) {
  int value = (mask & nBit) ? 1 : 0;
  DDX_Check(pDX, nIDC, value);
  if (pDX->m_bSaveAndValidate && !pDX->m_bFailed) mask = value ? (mask | nBit) : (mask & ~nBit);
}

void DDX_Text(CDataExchange* pDX, int nIDC, unsigned& value) {
  if (pDX->m_bFailed) return;
  HWND hCtrl = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    if (!ParseUInt(GetWindowTextUtf8(hCtrl), value)) Report(pDX, kParseUIntPrompt);
  } else {
    SetWindowTextW(hCtrl, std::to_wstring(value).c_str());
  }
}

void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value) {
  if (pDX->m_bFailed) return;
  HWND hCtrl = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    value = GetWindowTextUtf8(hCtrl);
  } else {
    SetWindowTextW(hCtrl, Utf8ToWide(value).c_str());
  }
}

void DDV_MinMaxUInt(CDataExchange* pDX, unsigned value, unsigned minVal, unsigned maxVal) {
  if (pDX->m_bFailed || !pDX->m_bSaveAndValidate) return;
  if (value < minVal || value > maxVal)
    Report(pDX, FormatPrompt(kParseRangePrompt, {std::to_string(minVal), std::to_string(maxVal)}));
}

void DDV_MaxChars(CDataExchange* pDX, const std::string& value, int nChars) {
  if (pDX->m_bFailed) return;
  if (!pDX->m_bSaveAndValidate) {
    SendMessageW(GetDlgItem(pDX->m_hDlg, pDX->m_idLastControl), EM_LIMITTEXT,
                 static_cast<WPARAM>(nChars), 0);
    return;
  }
  if (Utf8ToWide(value).size() > static_cast<std::size_t>(nChars))
    Report(pDX, FormatPrompt(kMaxCharsPrompt, {std::to_string(nChars)}));
}
