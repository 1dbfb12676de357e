// Test driver for the saver's end-to-end suites under Wine: finds the saver's
// windows, sends them messages, hosts a preview pane and watches processes.
// Every command prints key=value lines for the shell scripts to read.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

const wchar_t kSaverClass[] = L"MirovaneSaverWindow";

long long NowMs() { return static_cast<long long>(GetTickCount64()); }

// Waits of the driver's own, multiplied by MIROVANE_TIME_SCALE for slow machines.
int Scaled(int nMs) {
  const char* s = std::getenv("MIROVANE_TIME_SCALE");
  const double v = s ? std::atof(s) : 1.0;
  return static_cast<int>(nMs * (v > 0 ? v : 1.0));
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Waits for the handle while keeping this thread's windows responsive.
bool WaitPumping(HANDLE h, int nTimeoutMs) {
  const long long deadline = NowMs() + nTimeoutMs;
  for (;;) {
    const long long left = deadline - NowMs();
    if (left < 0) return false;
    const DWORD r = MsgWaitForMultipleObjects(1, &h, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
    if (r == WAIT_OBJECT_0) return true;
    if (r == WAIT_TIMEOUT) return false;
    Pump();
  }
}

void PumpFor(int nMs) {
  const long long deadline = NowMs() + nMs;
  while (NowMs() < deadline) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    Pump();
  }
}

struct ProcessWindows {
  DWORD pid;
  int nVisible;
};

BOOL CALLBACK CountVisible(HWND hWnd, LPARAM lParam) {
  auto* p = reinterpret_cast<ProcessWindows*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hWnd, &pid);
  if (pid == p->pid && IsWindowVisible(hWnd)) ++p->nVisible;
  return TRUE;
}

bool StartProcess(const std::wstring& commandLine, PROCESS_INFORMATION& pi) {
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back(L'\0');
  return CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi) != 0;
}

std::wstring Quote(const wchar_t* arg) { return std::wstring(L"\"") + arg + L"\""; }

// A screen rectangle's pixels (0x00RRGGBB), read back as Wine shows them.
std::vector<DWORD> ReadScreen(const RECT& rc) {
  const int w = rc.right - rc.left, h = rc.bottom - rc.top;
  std::vector<DWORD> px(static_cast<size_t>(w) * h);
  HDC hScreen = GetDC(nullptr);
  HDC hMem = CreateCompatibleDC(hScreen);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* pBits = nullptr;
  HBITMAP hBitmap = CreateDIBSection(hScreen, &bi, DIB_RGB_COLORS, &pBits, nullptr, 0);
  HGDIOBJ hOld = SelectObject(hMem, hBitmap);
  BitBlt(hMem, 0, 0, w, h, hScreen, rc.left, rc.top, SRCCOPY);
  GdiFlush();
  const auto* p = static_cast<const DWORD*>(pBits);
  for (size_t i = 0; i < px.size(); ++i) px[i] = p[i] & 0xFFFFFF;
  SelectObject(hMem, hOld);
  DeleteObject(hBitmap);
  DeleteDC(hMem);
  ReleaseDC(nullptr, hScreen);
  return px;
}

long CountNonBlack(const std::vector<DWORD>& pixels) {
  long lit = 0;
  for (DWORD px : pixels) lit += px != 0;
  return lit;
}

long CountLit(const RECT& rc) { return CountNonBlack(ReadScreen(rc)); }

// settle <timeout ms> <quiet ms>: waits for the first lit pixel, then for the
// screen to stay unchanged for <quiet ms>; reports how long the drawing took
// (first lit pixel to last change), finer than screen captures can.
int Settle(int nTimeoutMs, int nQuietMs) {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  const long long deadline = NowMs() + nTimeoutMs;
  std::vector<DWORD> last;
  long long tFirst = -1, tChange = -1;
  while (NowMs() < deadline) {
    std::vector<DWORD> now = ReadScreen(RECT{0, 0, w, h});
    const long long t = NowMs();
    if (tFirst < 0) {
      if (CountNonBlack(now) > 0) tFirst = tChange = t;
    } else if (now != last) {
      tChange = t;
    } else if (t - tChange >= nQuietMs) {
      std::printf("settled=1 draw_ms=%lld lit=%ld\n", tChange - tFirst, CountNonBlack(now));
      return 0;
    }
    last.swap(now);
    Sleep(10);
  }
  std::printf("settled=0 draw_ms=%lld\n", tFirst < 0 ? -1 : NowMs() - tFirst);
  return 1;
}

// changes <ms> [x y w h]: lit pixels now, and how many pixels change over the
// next <ms>, on the primary screen or in the rectangle: whether a picture is
// still being drawn.
int Changes(int nIntervalMs, RECT rc) {
  const std::vector<DWORD> before = ReadScreen(rc);
  Sleep(static_cast<DWORD>(nIntervalMs));
  const std::vector<DWORD> after = ReadScreen(rc);
  long changed = 0;
  for (size_t i = 0; i < before.size(); ++i) changed += before[i] != after[i];
  std::printf("lit=%ld changed=%ld\n", CountNonBlack(after), changed);
  return 0;
}

BOOL CALLBACK PrintTopLevel(HWND hWnd, LPARAM) {
  wchar_t cls[128] = L"", title[256] = L"", image[MAX_PATH] = L"?";
  GetClassNameW(hWnd, cls, 128);
  GetWindowTextW(hWnd, title, 256);
  DWORD pid = 0;
  GetWindowThreadProcessId(hWnd, &pid);
  if (HANDLE hProcess = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid)) {
    DWORD size = MAX_PATH;
    QueryFullProcessImageNameW(hProcess, 0, image, &size);
    CloseHandle(hProcess);
  }
  RECT rc{};
  GetWindowRect(hWnd, &rc);
  std::printf("hwnd=%lu pid=%lu visible=%d rect=%ld,%ld,%ld,%ld class=\"%ls\" title=\"%ls\" process=\"%ls\"\n",
              static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(hWnd)),
              static_cast<unsigned long>(pid), IsWindowVisible(hWnd) ? 1 : 0, rc.left, rc.top,
              rc.right, rc.bottom, cls, title, image);
  return TRUE;
}

// windows: every top-level window with its class, title and owning process.
int Windows() {
  EnumWindows(&PrintTopLevel, 0);
  return 0;
}

// warm: shows a window of its own and waits until it is visible, as the
// first program of a new Wine prefix takes seconds to show anything.
int Warm() {
  const long long start = NowMs();
  HWND h = CreateWindowExW(0, L"STATIC", L"warm", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
  PumpFor(200);
  std::printf("warm=%d ms=%lld\n", h && IsWindowVisible(h) ? 1 : 0, NowMs() - start);
  if (h) DestroyWindow(h);
  return h ? 0 : 1;
}

// cursor <x> <y>: puts the pointer there through Wine, so that Wine's idea
// of where it is matches the X server's before a saver window appears.
int Cursor(int x, int y) {
  SetCursorPos(x, y);
  POINT p{};
  GetCursorPos(&p);
  std::printf("x=%ld y=%ld\n", p.x, p.y);
  return p.x == x && p.y == y ? 0 : 1;
}

// screen: the primary screen's size and colour depth.
int Screen() {
  HDC hScreen = GetDC(nullptr);
  std::printf("w=%d h=%d bpp=%d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
              GetDeviceCaps(hScreen, BITSPIXEL) * GetDeviceCaps(hScreen, PLANES));
  ReleaseDC(nullptr, hScreen);
  return 0;
}

BOOL CALLBACK PrintMonitor(HMONITOR hMonitor, HDC, LPRECT, LPARAM lParam) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  GetMonitorInfoW(hMonitor, &info);
  const RECT& rc = info.rcMonitor;
  std::printf("monitor=%d x=%ld y=%ld w=%ld h=%ld primary=%d\n", (*reinterpret_cast<int*>(lParam))++,
              rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
              (info.dwFlags & MONITORINFOF_PRIMARY) ? 1 : 0);
  return TRUE;
}

// monitors: every monitor as the system lists them.
int Monitors() {
  int n = 0;
  EnumDisplayMonitors(nullptr, nullptr, &PrintMonitor, reinterpret_cast<LPARAM>(&n));
  return n > 0 ? 0 : 1;
}

// region <x> <y> <w> <h>: lit pixels and a checksum of a rectangle of the
// screen, to tell whether that part changed between two looks.
int Region(const RECT& rc) {
  const std::vector<DWORD> px = ReadScreen(rc);
  unsigned long long sum = 1469598103934665603ULL;  // FNV-1a
  for (DWORD p : px) sum = (sum ^ p) * 1099511628211ULL;
  std::printf("lit=%ld sum=%016llx\n", CountNonBlack(px), sum);
  return 0;
}

// find <timeout ms>: the saver's top-level window, waited for.
int Find(int nTimeoutMs) {
  const long long deadline = NowMs() + nTimeoutMs;
  do {
    if (HWND h = FindWindowW(kSaverClass, nullptr)) {
      RECT rc{};
      GetWindowRect(h, &rc);
      const LONG_PTR ex = GetWindowLongPtrW(h, GWL_EXSTYLE);
      std::printf("hwnd=%lu x=%ld y=%ld w=%ld h=%ld topmost=%d visible=%d\n",
                  static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(h)), rc.left, rc.top,
                  rc.right - rc.left, rc.bottom - rc.top, (ex & WS_EX_TOPMOST) ? 1 : 0,
                  IsWindowVisible(h) ? 1 : 0);
      return 0;
    }
    Sleep(20);
  } while (NowMs() < deadline);
  std::printf("hwnd=0\n");
  return 1;
}

// send <message> <wparam> <lparam>: sends to the saver's window, prints the result.
int Send(UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND h = FindWindowW(kSaverClass, nullptr);
  if (!h) {
    std::printf("hwnd=0\n");
    return 1;
  }
  DWORD_PTR result = 0;
  const LRESULT ok = SendMessageTimeoutW(h, msg, wParam, lParam, SMTO_NORMAL, 3000, &result);
  std::printf("sent=%d result=%lld\n", ok ? 1 : 0, static_cast<long long>(result));
  return ok ? 0 : 1;
}

// repaint <timeout ms> <x> <y>: invalidates the saver's window under the
// screen point, erasing its background, and waits for the window to show
// what it showed before; reports whether it did and how long it took.
int Repaint(int nTimeoutMs, int x, int y) {
  HWND h = WindowFromPoint(POINT{x, y});
  wchar_t name[64] = L"";
  if (h) GetClassNameW(h, name, 64);
  if (!h || std::wcscmp(name, kSaverClass) != 0) {
    std::printf("hwnd=0\n");
    return 1;
  }
  RECT rc{};
  GetWindowRect(h, &rc);
  const std::vector<DWORD> before = ReadScreen(rc);
  const long long t0 = NowMs();
  InvalidateRect(h, nullptr, TRUE);
  long differ = 0;
  do {
    const std::vector<DWORD> now = ReadScreen(rc);
    differ = 0;
    for (size_t i = 0; i < now.size(); ++i) differ += now[i] != before[i];
    if (differ == 0) {
      std::printf("restored=1 ms=%lld lit=%ld\n", NowMs() - t0, CountNonBlack(before));
      return 0;
    }
    Sleep(5);
  } while (NowMs() - t0 < nTimeoutMs);
  std::printf("restored=0 ms=%lld differ=%ld lit=%ld\n", NowMs() - t0, differ, CountNonBlack(before));
  return 1;
}

// run <timeout ms> <program> <args...>: starts a program and reports
// whether it showed any window and how long it ran.
int Run(int nTimeoutMs, int argc, wchar_t** argv) {
  std::wstring cmd = Quote(argv[0]);
  for (int i = 1; i < argc; ++i) cmd += L" " + std::wstring(argv[i]);
  PROCESS_INFORMATION pi{};
  const long long start = NowMs();
  if (!StartProcess(cmd, pi)) {
    std::printf("started=0\n");
    return 1;
  }
  ProcessWindows seen{pi.dwProcessId, 0};
  bool exited = false;
  while (NowMs() - start < nTimeoutMs) {
    ProcessWindows now{pi.dwProcessId, 0};
    EnumWindows(&CountVisible, reinterpret_cast<LPARAM>(&now));
    if (now.nVisible > seen.nVisible) seen.nVisible = now.nVisible;
    if (WaitForSingleObject(pi.hProcess, 10) == WAIT_OBJECT_0) {
      exited = true;
      break;
    }
  }
  if (!exited) TerminateProcess(pi.hProcess, 99);
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  std::printf("started=1 exited=%d windows=%d ms=%lld code=%lu\n", exited ? 1 : 0, seen.nVisible,
              NowMs() - start, code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return 0;
}

LRESULT CALLBACK HostProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(h, msg, wParam, lParam);
}

// host <destroy|terminate> <draw ms> <program> <args...>: shows a host window
// with a 152 x 112 pane, starts the program with {h} in its arguments
// replaced by the pane's handle, reports the child it makes and what it
// draws, then ends the preview as a host would.
int Host(const wchar_t* mode, int nDrawMs, int argc, wchar_t** argv) {
  HINSTANCE hInstance = GetModuleHandleW(nullptr);
  WNDCLASSW wc{};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = hInstance;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = L"SaverDriverHost";
  RegisterClassW(&wc);
  // A black pane: whatever lights it is the preview's drawing.
  WNDCLASSW pane = wc;
  pane.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  pane.lpszClassName = L"SaverDriverPane";
  RegisterClassW(&pane);
  HWND hHost = CreateWindowExW(0, wc.lpszClassName, L"host", WS_POPUP | WS_VISIBLE, 300, 200, 200,
                               160, nullptr, nullptr, hInstance, nullptr);
  HWND hPane = CreateWindowExW(0, pane.lpszClassName, L"", WS_CHILD | WS_VISIBLE, 20, 20, 152, 112,
                               hHost, nullptr, hInstance, nullptr);
  PumpFor(300);

  const std::wstring handle =
      std::to_wstring(static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(hPane)));
  std::wstring cmd = Quote(argv[0]);
  for (int i = 1; i < argc; ++i) {
    std::wstring arg = argv[i];
    if (const auto at = arg.find(L"{h}"); at != std::wstring::npos) arg.replace(at, 3, handle);
    cmd += L" " + arg;
  }
  PROCESS_INFORMATION pi{};
  if (!StartProcess(cmd, pi)) {
    std::printf("started=0\n");
    return 1;
  }
  HWND hChild = nullptr;
  for (long long deadline = NowMs() + Scaled(5000); !hChild && NowMs() < deadline;) {
    PumpFor(20);
    hChild = FindWindowExW(hPane, nullptr, kSaverClass, nullptr);
  }
  RECT rcChild{}, rcPane{};
  if (hChild) {
    GetWindowRect(hChild, &rcChild);
  }
  GetWindowRect(hPane, &rcPane);
  std::printf("child=%d cx=%ld cy=%ld cw=%ld ch=%ld pw=%ld ph=%ld\n", hChild ? 1 : 0,
              rcChild.left - rcPane.left, rcChild.top - rcPane.top, rcChild.right - rcChild.left,
              rcChild.bottom - rcChild.top, rcPane.right - rcPane.left, rcPane.bottom - rcPane.top);
  PumpFor(nDrawMs);
  // Wine shows no drawing that another process does into this one's
  // windows; the preview's processor time tells that it draws all the same.
  FILETIME created{}, ended{}, kernel{}, user{};
  GetProcessTimes(pi.hProcess, &created, &ended, &kernel, &user);
  const auto ms = [](const FILETIME& ft) {
    return static_cast<long long>((static_cast<ULONGLONG>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime) / 10000);
  };
  std::printf("lit=%ld of=%ld cpu_ms=%lld\n", CountLit(rcPane),
              (rcPane.right - rcPane.left) * (rcPane.bottom - rcPane.top), ms(kernel) + ms(user));
  std::fflush(stdout);

  const long long stop = NowMs();
  if (std::wcscmp(mode, L"terminate") == 0)
    TerminateProcess(pi.hProcess, 1);
  else
    DestroyWindow(hPane);
  const bool exited = WaitPumping(pi.hProcess, Scaled(5000));
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  std::printf("exited=%d exit_ms=%lld code=%lu\n", exited ? 1 : 0, NowMs() - stop, code);
  if (!exited) TerminateProcess(pi.hProcess, 99);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  DestroyWindow(hHost);
  return 0;
}

// paint: fills the hosted pane from this process, as another process's
// drawing reaches it (whether Wine shows drawing across processes).
int Paint() {
  HWND hHost = FindWindowW(L"SaverDriverHost", nullptr);
  HWND hPane = hHost ? FindWindowExW(hHost, nullptr, L"SaverDriverPane", nullptr) : nullptr;
  if (!hPane) {
    std::printf("painted=0\n");
    return 1;
  }
  HDC hDC = GetDC(hPane);
  RECT rc{};
  GetClientRect(hPane, &rc);
  FillRect(hDC, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  for (int i = 0; i < 50; ++i) SetPixelV(hDC, i, i, RGB(255, 0, 0));
  GdiFlush();
  ReleaseDC(hPane, hDC);
  std::printf("painted=1\n");
  return 0;
}

void Usage() {
  std::printf(
      "usage: saver_driver find <ms> | send <msg> <wparam> <lparam> | lit <x> <y> <w> <h> |\n"
      "       settle <ms> <quiet ms> | changes <ms> [x y w h] | region <x> <y> <w> <h> |\n"
      "       cursor <x> <y> | screen | monitors | windows | warm | repaint <ms> <x> <y> |\n"
      "       run <ms> <program> <args...> | host <destroy|terminate> <ms> <program> <args...>\n");
}

}  // namespace

int main(int argc, char** argvA) {
  // The shell passes plain ASCII; the window and process calls want wide text.
  std::vector<std::wstring> args;
  std::vector<wchar_t*> argvW;
  for (int i = 0; i < argc; ++i) {
    std::wstring w;
    for (const char* p = argvA[i]; *p; ++p) w += static_cast<wchar_t>(static_cast<unsigned char>(*p));
    args.push_back(w);
  }
  for (auto& a : args) argvW.push_back(a.data());
  wchar_t** argv = argvW.data();
  setvbuf(stdout, nullptr, _IONBF, 0);
  if (argc >= 3 && std::wcscmp(argv[1], L"find") == 0) return Find(_wtoi(argv[2]));
  if (argc >= 5 && std::wcscmp(argv[1], L"send") == 0)
    return Send(static_cast<UINT>(wcstoul(argv[2], nullptr, 0)),
                static_cast<WPARAM>(wcstoull(argv[3], nullptr, 0)),
                static_cast<LPARAM>(wcstoll(argv[4], nullptr, 0)));
  if (argc >= 6 && std::wcscmp(argv[1], L"lit") == 0) {
    const RECT rc{_wtoi(argv[2]), _wtoi(argv[3]), _wtoi(argv[2]) + _wtoi(argv[4]),
                  _wtoi(argv[3]) + _wtoi(argv[5])};
    std::printf("lit=%ld\n", CountLit(rc));
    return 0;
  }
  if (argc >= 4 && std::wcscmp(argv[1], L"settle") == 0)
    return Settle(_wtoi(argv[2]), _wtoi(argv[3]));
  if (argc >= 2 && std::wcscmp(argv[1], L"screen") == 0) return Screen();
  if (argc >= 3 && std::wcscmp(argv[1], L"changes") == 0) {
    RECT rc{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (argc >= 7)
      rc = {_wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[3]) + _wtoi(argv[5]), _wtoi(argv[4]) + _wtoi(argv[6])};
    return Changes(_wtoi(argv[2]), rc);
  }
  if (argc >= 2 && std::wcscmp(argv[1], L"monitors") == 0) return Monitors();
  if (argc >= 6 && std::wcscmp(argv[1], L"region") == 0)
    return Region(RECT{_wtoi(argv[2]), _wtoi(argv[3]), _wtoi(argv[2]) + _wtoi(argv[4]),
                       _wtoi(argv[3]) + _wtoi(argv[5])});
  if (argc >= 2 && std::wcscmp(argv[1], L"windows") == 0) return Windows();
  if (argc >= 4 && std::wcscmp(argv[1], L"cursor") == 0) return Cursor(_wtoi(argv[2]), _wtoi(argv[3]));
  if (argc >= 2 && std::wcscmp(argv[1], L"warm") == 0) return Warm();
  if (argc >= 2 && std::wcscmp(argv[1], L"paint") == 0) return Paint();
  if (argc >= 5 && std::wcscmp(argv[1], L"repaint") == 0)
    return Repaint(_wtoi(argv[2]), _wtoi(argv[3]), _wtoi(argv[4]));
  if (argc >= 4 && std::wcscmp(argv[1], L"run") == 0)
    return Run(_wtoi(argv[2]), argc - 3, argv + 3);
  if (argc >= 5 && std::wcscmp(argv[1], L"host") == 0)
    return Host(argv[2], _wtoi(argv[3]), argc - 4, argv + 4);
  Usage();
  return 2;
}
