#include "windows/display/drawing_wnd_win.h"

#include <iterator>

#include "resources/resource.h"

const CWnd::MsgEntry CPreviewWnd::s_messages[] = {
    MsgEntryOf(WM_PAINT, &CPreviewWnd::OnPaint),
    MsgEntryOf(WM_SIZE, &CPreviewWnd::OnSize),
    MsgEntryOf(WM_CREATE, &CPreviewWnd::OnCreate),
    MsgEntryOf(WM_ERASEBKGND, &CPreviewWnd::OnEraseBkgnd),
    MsgEntryOf(WM_DESTROY, &CPreviewWnd::OnDestroy),
    MsgEntryOf(WM_TIMER, &CPreviewWnd::OnTimer),
};

namespace {
constexpr UINT_PTR kPresentTimer = 1;
// Near a 60 Hz display's refresh; the system rounds a timer to its tick.
constexpr UINT kPresentMs = 15;
// How long closing waits for the drawing thread.
constexpr int kStopWaitMs = 2000;
}  // namespace

CPreviewWnd::CPreviewWnd(int bAutoDelete, CSaverSession& session) : m_session(session) {
  m_bAutoDelete = bAutoDelete;
}

CPreviewWnd::~CPreviewWnd() = default;

const CWnd::MsgMap* CPreviewWnd::GetMessageMap() const {
  static const MsgMap s_map{CWnd::GetMessageMap(), s_messages, std::size(s_messages)};
  return &s_map;
}

bool CPreviewWnd::Create(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, HWND hParent, UINT,
                         void*) {
  HINSTANCE hInstance = GetModuleHandleW(nullptr);
  if (!RegisterClassOnce(kClassName, CS_HREDRAW | CS_VREDRAW,
                         LoadCursorW(hInstance, MAKEINTRESOURCEW(IDC_INVISIBLE))))
    return false;
  return CreateWindowOfClass(kClassName, dwExStyle, dwStyle, rect, hParent);
}

LRESULT CPreviewWnd::OnPaint(WPARAM, LPARAM) {
  PAINTSTRUCT ps;
  BeginPaint(m_hWnd, &ps);
  // An uncovered or invalidated part shows the picture again.
  if (m_pPresenter) m_pPresenter->Paint(ps.hdc, ps.rcPaint);
  EndPaint(m_hWnd, &ps);
  return 0;
}

LRESULT CPreviewWnd::OnSize(WPARAM, LPARAM size) {
  Default();
  const int cx = LOWORD(size);
  const int cy = HIWORD(size);
  // One drawing thread per window: a later resize keeps the first size.
  if (cx == 0 || cy == 0 || m_pPresenter) return 0;
  StartShow(cx, cy);
  return 0;
}

LRESULT CPreviewWnd::OnCreate(WPARAM, LPARAM) {
  if (Default() == -1) return -1;
  m_pBrush = std::make_unique<CBrush>();
  m_pBrush->CreateSolidBrush(RGB(0, 0, 0));
  return 0;
}

LRESULT CPreviewWnd::OnEraseBkgnd(WPARAM hDC, LPARAM) {
  RECT rc{};
  GetClientRect(m_hWnd, &rc);
  HBRUSH hBrush = m_pBrush && *m_pBrush ? m_pBrush->Get()
                                         : static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  FillRect(reinterpret_cast<HDC>(hDC), &rc, hBrush);
  return TRUE;
}

LRESULT CPreviewWnd::OnTimer(WPARAM nTimer, LPARAM) {
  if (nTimer == kPresentTimer && m_pPresenter) m_pPresenter->Present();
  return 0;
}

LRESULT CPreviewWnd::OnDestroy(WPARAM, LPARAM) {
  KillTimer(m_hWnd, kPresentTimer);
  if (m_bStopsSession && !m_session.Stopped()) m_session.Stop(kStopWaitMs);
  // The frame keeps the bitmap; a thread that outlived the wait still draws into it.
  m_pPresenter.reset();
  return Default();
}

void CPreviewWnd::StartShow(int nWidth, int nHeight) {
  m_pPresenter = std::make_unique<CFramePresenter>(m_hWnd);
  std::unique_ptr<CFrame> pFrame = m_pPresenter->MakeFrame(nWidth, nHeight);
  // Without memory for the picture the window stays black, as the system
  // would leave it.
  if (!pFrame) return;
  m_pPresenter->Attach(pFrame.get());
  m_nShow = m_session.AddShow(std::move(pFrame));
  m_session.Start();
  SetTimer(m_hWnd, kPresentTimer, kPresentMs, nullptr);
}
