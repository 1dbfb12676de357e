#include "windows/display/drawing_wnd_win.h"

#include <ctime>
#include <iterator>

#include "app/saver_app.h"
#include "display/picture_log.h"
#include "resources/resource.h"

struct CPreviewWnd::CDrawing {
  CDcSurface surface;
  CRealSleeper sleeper;
  CSlideShow show{theApp, theApp, surface, sleeper};
};

const CWnd::MsgEntry CPreviewWnd::s_messages[] = {
    MsgEntryOf(WM_PAINT, &CPreviewWnd::OnPaint),
    MsgEntryOf(WM_SIZE, &CPreviewWnd::OnSize),
    MsgEntryOf(WM_CREATE, &CPreviewWnd::OnCreate),
    MsgEntryOf(WM_ERASEBKGND, &CPreviewWnd::OnEraseBkgnd),
    MsgEntryOf(WM_DESTROY, &CPreviewWnd::OnDestroy),
    MsgEntryOf(WM_TIMER, &CPreviewWnd::OnTimer),
    MsgEntryOf(WM_WINDOWPOSCHANGED, &CPreviewWnd::OnWindowPosChanged),
};

namespace {
constexpr UINT_PTR kRefreshTimer = 1;
constexpr UINT kRefreshMs = 40;
}  // namespace

CPreviewWnd::CPreviewWnd(int bAutoDelete) : m_pDrawing(std::make_shared<CDrawing>()) {
  m_bAutoDelete = bAutoDelete;
  m_pShow = std::shared_ptr<CSlideShow>(m_pDrawing, &m_pDrawing->show);
}

CPreviewWnd::~CPreviewWnd() {
  if (!m_bStopRequested) StopDrawThread(2000);
}

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
  EndPaint(m_hWnd, &ps);
  return 0;
}

LRESULT CPreviewWnd::OnSize(WPARAM, LPARAM size) {
  Default();
  const int cx = LOWORD(size);
  const int cy = HIWORD(size);
  // One drawing thread per window: a later resize keeps the first size.
  if (cx == 0 || cy == 0 || m_pThread) return 0;
  m_pShow->SetSize(cx, cy);
  StartDrawThread();
  return 0;
}

LRESULT CPreviewWnd::OnCreate(WPARAM, LPARAM) {
  if (Default() == -1) return -1;
  m_pBrush = std::make_unique<CBrush>();
  m_pBrush->CreateSolidBrush(RGB(0, 0, 0));
  m_pDrawing->surface.Attach(m_hWnd);
  SetTimer(m_hWnd, kRefreshTimer, kRefreshMs, nullptr);
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

LRESULT CPreviewWnd::OnTimer(WPARAM, LPARAM) { return 0; }

LRESULT CPreviewWnd::OnWindowPosChanged(WPARAM, LPARAM) {
  // Showing the window, and under Wine the moves that follow it as the X
  // server confirms its place, may give the window a new drawing surface.
  m_pDrawing->surface.Renew();
  // The default processing sends WM_SIZE, which starts the drawing thread.
  return Default();
}

LRESULT CPreviewWnd::OnDestroy(WPARAM, LPARAM) {
  KillTimer(m_hWnd, kRefreshTimer);
  StopDrawThread(2000);
  return Default();
}

void CPreviewWnd::StartDrawThread() {
  m_pThread = std::make_unique<CDrawThread>();
  m_pShow->m_onPictureDone = PictureLogFromEnvironment();
  m_pThread->Start(m_pShow, static_cast<unsigned int>(std::time(nullptr)) + m_nSeedOffset);
}

void CPreviewWnd::StopDrawThread(int nTimeoutMs) {
  StopDrawThreadBy(GetTickCount64() + static_cast<ULONGLONG>(nTimeoutMs));
}

void CPreviewWnd::StopDrawThreadBy(ULONGLONG deadline) {
  if (m_bStopRequested || !m_pThread || !m_pThread->Started()) return;
  m_bStopRequested = true;
  theApp.StopRunning();
  // The drawing thread's device-context calls may send messages to this
  // window's thread (Wine's ReleaseDC does), so the wait answers sent
  // messages instead of sleeping; posted ones stay queued.
  while (!m_pThread->Done() && GetTickCount64() < deadline) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_SENDMESSAGE);
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  // A thread that does not finish in time keeps its own share of the
  // drawing state; the thread object detaches it when it goes.
  m_pThread->WaitDone(0);
}
