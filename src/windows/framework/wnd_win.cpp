#include "windows/framework/wnd_win.h"

#include "windows/framework/app_win.h"

namespace {
// The window being created on this thread: messages arrive before
// CreateWindowEx returns, so the handle is attached on the first of them.
thread_local CWnd* t_pWndInit = nullptr;

const wchar_t kObjectProp[] = L"mirovane.CWnd";
}  // namespace

CWnd::~CWnd() {
  // An object deleted while its window lives must not receive its messages.
  if (m_hWnd) {
    RemovePropW(m_hWnd, kObjectProp);
    DestroyWindow(m_hWnd);
  }
}

const CWnd::MsgMap* CWnd::GetMessageMap() const {
  static const MsgMap s_map{nullptr, nullptr, 0};
  return &s_map;
}

void CWnd::PostNcDestroy() {
  if (m_bAutoDelete) delete this;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
  return hWnd ? static_cast<CWnd*>(GetPropW(hWnd, kObjectProp)) : nullptr;
}

bool CWnd::CreateWindowOfClass(const wchar_t* className, DWORD dwExStyle, DWORD dwStyle,
                               const RECT& rect, HWND hParent) {
  t_pWndInit = this;
  HWND hWnd = CreateWindowExW(dwExStyle, className, L"", dwStyle, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, hParent, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  t_pWndInit = nullptr;
  return hWnd != nullptr;
}

BOOL CWnd::PostMessage(UINT msg, WPARAM wParam, LPARAM lParam) const {
  return ::PostMessageW(m_hWnd, msg, wParam, lParam);
}

LRESULT CWnd::Default() {
  return DefWindowProcW(m_hWnd, m_current.msg, m_current.wParam, m_current.lParam);
}

CWnd::Handler CWnd::FindHandler(UINT msg) const {
  for (const MsgMap* pMap = GetMessageMap(); pMap; pMap = pMap->pBase) {
    for (std::size_t i = 0; i < pMap->nEntries; ++i) {
      if (pMap->pEntries[i].nMessage == msg) return pMap->pEntries[i].pfn;
    }
  }
  return nullptr;
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  const CurrentMsg saved = m_current;
  m_current = {msg, wParam, lParam};
  Handler pfn = FindHandler(msg);
  LRESULT result = pfn ? (this->*pfn)(wParam, lParam) : Default();
  m_current = saved;
  return result;
}

LRESULT CALLBACK CWnd::WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  CWnd* pWnd = FromHandle(hWnd);
  if (!pWnd && t_pWndInit) {
    pWnd = t_pWndInit;
    t_pWndInit = nullptr;
    pWnd->m_hWnd = hWnd;
    SetPropW(hWnd, kObjectProp, pWnd);
  }
  if (!pWnd) return DefWindowProcW(hWnd, msg, wParam, lParam);

  LRESULT result = pWnd->WindowProc(msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    RemovePropW(hWnd, kObjectProp);
    pWnd->m_hWnd = nullptr;
    // The message loop ends with its main window, whatever destroyed it.
    if (AfxGetMainWnd() == pWnd) {
      AfxSetMainWnd(nullptr);
      PostQuitMessage(0);
    }
    pWnd->PostNcDestroy();
  }
  return result;
}

bool CWnd::RegisterClassOnce(const wchar_t* className, UINT style, HCURSOR hCursor) {
  HINSTANCE hInstance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (GetClassInfoExW(hInstance, className, &wc)) return true;
  wc.style = style;
  wc.lpfnWndProc = &CWnd::WndProc;
  wc.hInstance = hInstance;
  wc.hCursor = hCursor;
  wc.lpszClassName = className;
  return RegisterClassExW(&wc) != 0;
}
