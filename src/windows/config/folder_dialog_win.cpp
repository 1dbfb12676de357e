#include "windows/config/folder_dialog_win.h"

#include <dlgs.h>

#include <cstdlib>
#include <iterator>

#include "windows/framework/property_text_win.h"
#include "windows/framework/utf8_win.h"

WNDPROC CFolderDialog::s_pfnOldDlgProc = nullptr;

namespace {

constexpr wchar_t kObjectProp[] = L"mirovane.FolderDialog";

RECT ClientRectOf(HWND hDlg, HWND hCtrl) {
  RECT rect{};
  GetWindowRect(hCtrl, &rect);
  POINT topLeft{rect.left, rect.top};
  POINT bottomRight{rect.right, rect.bottom};
  ScreenToClient(hDlg, &topLeft);
  ScreenToClient(hDlg, &bottomRight);
  return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

// Stretches a window down to 4 pixels above the buttons, keeping its top.
void StretchAboveButtons(HWND hDlg, HWND hWnd, const RECT& cancel) {
  if (!hWnd) return;
  const RECT view = ClientRectOf(hDlg, hWnd);
  const int height = std::abs(view.top - cancel.top + 4);
  SetWindowPos(hWnd, nullptr, 0, 0, view.right - view.left, height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

CFolderDialog::CFolderDialog(std::string* pstrFolder) : m_pstrFolder(pstrFolder) {
  m_ofn.lStructSize = sizeof(m_ofn);
  // "*..*" is taken as the listing filter and matches no ordinary file.
  m_ofn.lpstrFile = m_szFile;
  m_ofn.nMaxFile = MAX_PATH;
  m_ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER | OFN_ENABLEHOOK;
  m_ofn.lpfnHook = &CFolderDialog::HookProc;
  m_ofn.lCustData = reinterpret_cast<LPARAM>(this);
}

INT_PTR CFolderDialog::DoModal() {
  m_bSelected = false;
  GetOpenFileNameW(&m_ofn);
  return m_bSelected ? IDOK : IDCANCEL;
}

UINT_PTR CALLBACK CFolderDialog::HookProc(HWND hChild, UINT msg, WPARAM, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    const auto* pOfn = reinterpret_cast<const OPENFILENAMEW*>(lParam);
    SetWindowLongPtrW(hChild, DWLP_USER, pOfn->lCustData);
    return TRUE;
  }
  if (msg == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_INITDONE) {
    auto* pDialog = reinterpret_cast<CFolderDialog*>(GetWindowLongPtrW(hChild, DWLP_USER));
    if (pDialog) pDialog->OnInitDone(GetParent(hChild));
    return TRUE;
  }
  return FALSE;
}

void CFolderDialog::OnInitDone(HWND hDlg) {
  // Newer dialogs show the file name in the combo box cmb13 instead of edt1.
  for (int id : {edt1, cmb13, stc3, cmb1, stc2}) SendMessageW(hDlg, CDM_HIDECONTROL, id, 0);

  HWND hCancel = GetDlgItem(hDlg, IDCANCEL);
  HWND hOpen = GetDlgItem(hDlg, IDOK);
  const RECT cancel = ClientRectOf(hDlg, hCancel);
  const RECT open = ClientRectOf(hDlg, hOpen);
  const int openWidth = open.right - open.left;
  SetWindowPos(hOpen, nullptr, cancel.left - openWidth - 4, cancel.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

  StretchAboveButtons(hDlg, GetDlgItem(hDlg, lst1), cancel);
  // The view the user sees is the shell's window laid over lst1.
  StretchAboveButtons(hDlg, FindWindowExW(hDlg, nullptr, L"SHELLDLL_DefView", nullptr), cancel);

  SendMessageW(hDlg, CDM_SETCONTROLTEXT, IDOK, reinterpret_cast<LPARAM>(L"Select"));
  SetWindowTextW(hDlg, L"Choose folder");

  SetPropW(hDlg, kObjectProp, this);
  s_pfnOldDlgProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hDlg, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FolderDlgProc)));
}

LRESULT CALLBACK FolderDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND && HIWORD(wParam) == 0 && LOWORD(wParam) == IDOK) {
    auto* pDialog = static_cast<CFolderDialog*>(GetPropW(hDlg, kObjectProp));
    // Ask the dialog which folder it shows: it need not keep the process's
    // current directory there.
    wchar_t folder[32768];
    const LRESULT n = SendMessageW(hDlg, CDM_GETFOLDERPATH, std::size(folder),
                                   reinterpret_cast<LPARAM>(folder));
    if (n <= 0 || !pDialog) {
      // A virtual folder (Computer, Network) has no path to hand back.
      MessageBeep(MB_OK);
      return 0;
    }
    *pDialog->m_pstrFolder = WideToUtf8(folder);
    pDialog->m_bSelected = true;
    EndDialog(hDlg, IDOK);
    return 0;
  }
  if (msg == WM_NCDESTROY) RemovePropW(hDlg, kObjectProp);
  return CallWindowProcW(CFolderDialog::s_pfnOldDlgProc, hDlg, msg, wParam, lParam);
}
