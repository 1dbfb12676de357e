// Drives the configuration sheet from outside, as a user would: each argument
// is one command, run in order; results are printed one line each.
//
//   start <exe> [args]    start the program (ended at exit if still running)
//   sheet <caption>       wait for the sheet and make it the target
//   page <n>              ask the sheet to switch to page n (0-based)
//   curpage               CURPAGE <n> <tab text>
//   click <id>            click a control of the shown page
//   check <id> <0|1>      set a check box of the shown page
//   settext <id> <text>   replace an edit box's text
//   type <id> <text>      clear an edit box and type the text key by key
//   gettext <id>          TEXT <id> <text>
//   getcheck <id>         CHECK <id> <0|1>
//   ok | cancel | close   OK, Cancel or the close box of the sheet
//   msgbox                wait for a message box, print and dismiss it:
//                         MSGBOX <caption>|<text>|<icon>
//   nomsgbox              NOMSGBOX, or the message box if one comes up
//   focus                 FOCUS <id of the control holding the focus>
//   gone                  GONE once the sheet is closed and the program ended
//   shot <file.bmp>       save the sheet's picture
//   chooser               wait for the folder chooser, print
//                         CHOOSER <title>|<open button text>|<file box shown>
//   chooser-key <vk>      press a key in the chooser's folder view
//   chooser-open <x> <y>  double-click the chooser's folder view there
//   chooser-select | chooser-cancel
//   sleep <ms>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Every wait of the driver, multiplied by MIROVANE_TIME_SCALE for slow machines.
double TimeScale() {
  const char* s = std::getenv("MIROVANE_TIME_SCALE");
  const double v = s ? std::atof(s) : 1.0;
  return v > 0 ? v : 1.0;
}
DWORD Scaled(DWORD ms) { return static_cast<DWORD>(ms * TimeScale()); }
const DWORD kWaitMs = Scaled(20000);
HWND g_hSheet = nullptr;
HWND g_hChooser = nullptr;
PROCESS_INFORMATION g_process{};

std::string Utf8(const std::wstring& w) {
  if (w.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

std::wstring TextOf(HWND hWnd) {
  wchar_t buf[4096] = L"";
  DWORD_PTR got = 0;
  SendMessageTimeoutW(hWnd, WM_GETTEXT, std::size(buf), reinterpret_cast<LPARAM>(buf),
                      SMTO_ABORTIFHUNG, 2000, &got);
  return buf;
}

std::wstring ClassOf(HWND hWnd) {
  wchar_t buf[256] = L"";
  GetClassNameW(hWnd, buf, std::size(buf));
  return buf;
}

[[noreturn]] void Die(const char* what) {
  std::printf("ERROR %s\n", what);
  std::fflush(stdout);
  if (g_process.hProcess) TerminateProcess(g_process.hProcess, 3);
  std::exit(2);
}

struct FindTop {
  std::wstring title;
  std::wstring cls;
  HWND hExclude;
  HWND hFound;
};

BOOL CALLBACK FindTopProc(HWND hWnd, LPARAM lParam) {
  auto* find = reinterpret_cast<FindTop*>(lParam);
  if (hWnd == find->hExclude || !IsWindowVisible(hWnd)) return TRUE;
  if (!find->cls.empty() && ClassOf(hWnd) != find->cls) return TRUE;
  if (!find->title.empty() && TextOf(hWnd) != find->title) return TRUE;
  find->hFound = hWnd;
  return FALSE;
}

HWND WaitTop(const std::wstring& title, const std::wstring& cls, HWND hExclude, DWORD ms) {
  for (DWORD waited = 0;; waited += 50) {
    FindTop find{title, cls, hExclude, nullptr};
    EnumWindows(FindTopProc, reinterpret_cast<LPARAM>(&find));
    if (find.hFound) return find.hFound;
    if (waited >= ms) return nullptr;
    Sleep(50);
  }
}

HWND CurrentPage() {
  DWORD_PTR page = 0;
  SendMessageTimeoutW(g_hSheet, PSM_GETCURRENTPAGEHWND, 0, 0, SMTO_ABORTIFHUNG, 2000, &page);
  return reinterpret_cast<HWND>(page);
}

HWND Control(const char* id) {
  HWND hPage = CurrentPage();
  HWND hCtrl = hPage ? GetDlgItem(hPage, std::atoi(id)) : nullptr;
  if (!hCtrl) Die("no such control on the shown page");
  return hCtrl;
}

// A message box is any other visible dialog of the program's thread.
HWND FindMessageBox(DWORD ms) {
  const DWORD thread = GetWindowThreadProcessId(g_hSheet, nullptr);
  for (DWORD waited = 0;; waited += 50) {
    HWND hFound = nullptr;
    for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT)) {
      if (h == g_hSheet || h == g_hChooser || !IsWindowVisible(h)) continue;
      if (ClassOf(h) != L"#32770" || GetWindowThreadProcessId(h, nullptr) != thread) continue;
      hFound = h;
      break;
    }
    if (hFound || waited >= ms) return hFound;
    Sleep(50);
  }
}

// The window's picture from the screen; the client area only when asked, as
// without a window manager nobody draws the frame.
bool Capture(HWND hWnd, std::vector<unsigned char>& pixels, int& width, int& height,
             bool bClient = false) {
  RECT r;
  if (bClient) {
    if (!GetClientRect(hWnd, &r)) return false;
    MapWindowPoints(hWnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
  } else if (!GetWindowRect(hWnd, &r)) {
    return false;
  }
  width = r.right - r.left;
  height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return false;
  HDC hScreen = GetDC(nullptr);
  HDC hMem = CreateCompatibleDC(hScreen);
  HBITMAP hBmp = CreateCompatibleBitmap(hScreen, width, height);
  HGDIOBJ hOld = SelectObject(hMem, hBmp);
  BitBlt(hMem, 0, 0, width, height, hScreen, r.left, r.top, SRCCOPY);
  SelectObject(hMem, hOld);
  BITMAPINFOHEADER bih{sizeof(bih), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  const int stride = (width * 3 + 3) & ~3;
  pixels.assign(static_cast<std::size_t>(stride) * height, 0);
  GetDIBits(hMem, hBmp, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS);
  DeleteObject(hBmp);
  DeleteDC(hMem);
  ReleaseDC(nullptr, hScreen);
  return true;
}

// The message box's icon, told by its colours: the warning sign is yellow,
// the stop sign red.
const char* IconKind(HWND hBox) {
  HWND hIcon = nullptr;
  for (HWND h = GetWindow(hBox, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    if (ClassOf(h) == L"Static" && (GetWindowLongW(h, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
        IsWindowVisible(h))
      hIcon = h;
  }
  if (!hIcon) return "none";
  std::vector<unsigned char> px;
  int w = 0, h = 0;
  if (!Capture(hIcon, px, w, h)) return "unknown";
  const int stride = (w * 3 + 3) & ~3;
  int yellow = 0, red = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const unsigned char* p = &px[static_cast<std::size_t>(y) * stride + x * 3];
      const int b = p[0], g = p[1], r = p[2];
      if (r > 180 && g > 150 && b < 110) ++yellow;
      else if (r > 150 && g < 90 && b < 90) ++red;
    }
  if (yellow > red && yellow > 10) return "warning";
  if (red > yellow && red > 10) return "error";
  return "other";
}

std::wstring MessageText(HWND hBox) {
  std::wstring text;
  for (HWND h = GetWindow(hBox, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    if (ClassOf(h) != L"Static") continue;
    if ((GetWindowLongW(h, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) continue;
    const std::wstring t = TextOf(h);
    if (!t.empty()) text = t;
  }
  return text;
}

void PrintMessageBox(HWND hBox) {
  std::printf("MSGBOX %s|%s|%s\n", Utf8(TextOf(hBox)).c_str(), Utf8(MessageText(hBox)).c_str(),
              IconKind(hBox));
  PostMessageW(hBox, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  for (int i = 0; i < 100 && IsWindow(hBox); ++i) Sleep(50);
  Sleep(Scaled(200));  // let the page put the focus where it wants
}

void SaveBmp(const char* file, HWND hWnd) {
  std::vector<unsigned char> px;
  int w = 0, h = 0;
  if (!Capture(hWnd, px, w, h, true)) Die("capture failed");
  const int stride = (w * 3 + 3) & ~3;
  BITMAPINFOHEADER bih{sizeof(bih), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  BITMAPFILEHEADER bfh{};
  bfh.bfType = 0x4D42;
  bfh.bfOffBits = sizeof(bfh) + sizeof(bih);
  bfh.bfSize = bfh.bfOffBits + static_cast<DWORD>(px.size());
  FILE* f = std::fopen(file, "wb");
  if (!f) Die((std::string("cannot write the picture '") + file + "'").c_str());
  std::fwrite(&bfh, sizeof(bfh), 1, f);
  std::fwrite(&bih, sizeof(bih), 1, f);
  for (int y = h - 1; y >= 0; --y) std::fwrite(&px[static_cast<std::size_t>(y) * stride], 1, stride, f);
  std::fclose(f);
  std::printf("SHOT %s %dx%d\n", file, w, h);
}

void Settle() { Sleep(Scaled(300)); }

HWND ChooserView() {
  HWND hView = FindWindowExW(g_hChooser, nullptr, L"SHELLDLL_DefView", nullptr);
  return hView ? FindWindowExW(hView, nullptr, L"SysListView32", nullptr) : nullptr;
}

std::wstring Wide(const char* s) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, s, -1, nullptr, 0);
  std::wstring w(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s, -1, w.data(), n);
  w.resize(static_cast<std::size_t>(n > 0 ? n - 1 : 0));
  return w;
}

}  // namespace

int main(int argc, char** argv) {
  int i = 1;
  const auto next = [&]() -> const char* {
    if (i >= argc) Die("missing argument");
    return argv[i++];
  };
  while (i < argc) {
    const std::string cmd = argv[i++];
    if (cmd == "start") {
      std::wstring line = L"\"" + Wide(next()) + L"\"";
      while (i < argc && argv[i][0] == '/') line += L" " + Wide(argv[i++]);
      STARTUPINFOW si{};
      si.cb = sizeof(si);
      if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &g_process))
        Die("cannot start the program");
    } else if (cmd == "sheet") {
      g_hSheet = WaitTop(Wide(next()), L"#32770", nullptr, kWaitMs);
      if (!g_hSheet) Die("no sheet");
      Settle();
      std::printf("SHEET\n");
    } else if (cmd == "page") {
      PostMessageW(g_hSheet, PSM_SETCURSEL, static_cast<WPARAM>(std::atoi(next())), 0);
      Settle();
    } else if (cmd == "curpage") {
      HWND hPage = CurrentPage();
      DWORD_PTR index = static_cast<DWORD_PTR>(-1);
      SendMessageTimeoutW(g_hSheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(hPage), 0,
                          SMTO_ABORTIFHUNG, 2000, &index);
      std::printf("CURPAGE %d %s\n", static_cast<int>(index), Utf8(TextOf(hPage)).c_str());
    } else if (cmd == "click") {
      PostMessageW(Control(next()), BM_CLICK, 0, 0);
      Settle();
    } else if (cmd == "check") {
      HWND hCtrl = Control(next());
      SendMessageTimeoutW(hCtrl, BM_SETCHECK, std::atoi(next()) ? BST_CHECKED : BST_UNCHECKED, 0,
                          SMTO_ABORTIFHUNG, 2000, nullptr);
    } else if (cmd == "settext") {
      HWND hCtrl = Control(next());
      const std::wstring text = Wide(next());
      SendMessageTimeoutW(hCtrl, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                          SMTO_ABORTIFHUNG, 2000, nullptr);
    } else if (cmd == "type") {
      HWND hCtrl = Control(next());
      SendMessageTimeoutW(hCtrl, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""), SMTO_ABORTIFHUNG, 2000, nullptr);
      for (wchar_t c : Wide(next())) PostMessageW(hCtrl, WM_CHAR, c, 1);
      Settle();
    } else if (cmd == "gettext") {
      const char* id = next();
      std::printf("TEXT %s %s\n", id, Utf8(TextOf(Control(id))).c_str());
    } else if (cmd == "getcheck") {
      const char* id = next();
      DWORD_PTR state = 0;
      SendMessageTimeoutW(Control(id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state);
      std::printf("CHECK %s %d\n", id, state == BST_CHECKED ? 1 : 0);
    } else if (cmd == "ok" || cmd == "cancel") {
      HWND hButton = GetDlgItem(g_hSheet, cmd == "ok" ? IDOK : IDCANCEL);
      if (!hButton) Die("no such button");
      PostMessageW(hButton, BM_CLICK, 0, 0);
      Settle();
    } else if (cmd == "close") {
      PostMessageW(g_hSheet, WM_SYSCOMMAND, SC_CLOSE, 0);
      Settle();
    } else if (cmd == "msgbox" || cmd == "nomsgbox") {
      HWND hBox = FindMessageBox(cmd == "msgbox" ? kWaitMs : 1000);
      if (hBox)
        PrintMessageBox(hBox);
      else
        std::printf("NOMSGBOX\n");
    } else if (cmd == "focus") {
      GUITHREADINFO info{};
      info.cbSize = sizeof(info);
      GetGUIThreadInfo(GetWindowThreadProcessId(g_hSheet, nullptr), &info);
      std::printf("FOCUS %d\n", info.hwndFocus ? GetDlgCtrlID(info.hwndFocus) : 0);
    } else if (cmd == "gone") {
      for (DWORD waited = 0; IsWindow(g_hSheet) && waited < kWaitMs; waited += 50) Sleep(50);
      if (IsWindow(g_hSheet)) Die("the sheet is still open");
      if (g_process.hProcess && WaitForSingleObject(g_process.hProcess, kWaitMs) != WAIT_OBJECT_0)
        Die("the program did not end");
      std::printf("GONE\n");
    } else if (cmd == "shot") {
      const char* file = next();
      SaveBmp(file, g_hChooser && IsWindow(g_hChooser) ? g_hChooser : g_hSheet);
    } else if (cmd == "chooser") {
      g_hChooser = WaitTop(L"Choose folder", L"#32770", g_hSheet, kWaitMs);
      if (!g_hChooser) Die("no folder chooser");
      Settle();
      int shown = 0;  // file name (edt1 or cmb13) and file type rows still visible
      for (int id : {0x480, 0x47c, 0x470, 0x441, 0x442}) {
        HWND hCtrl = GetDlgItem(g_hChooser, id);
        if (hCtrl && IsWindowVisible(hCtrl)) ++shown;
      }
      std::printf("CHOOSER %s|%s|%d\n", Utf8(TextOf(g_hChooser)).c_str(),
                  Utf8(TextOf(GetDlgItem(g_hChooser, IDOK))).c_str(), shown);
    } else if (cmd == "chooser-key") {
      HWND hView = ChooserView();
      if (!hView) Die("no folder view");
      const WPARAM vk = static_cast<WPARAM>(std::strtol(next(), nullptr, 0));
      PostMessageW(hView, WM_KEYDOWN, vk, 1);
      PostMessageW(hView, WM_KEYUP, vk, 0xC0000001);
      Settle();
    } else if (cmd == "chooser-open") {
      // Double-click the folder view at a client position: opens the item there.
      HWND hView = ChooserView();
      if (!hView) Die("no folder view");
      const int x = std::atoi(next()), y = std::atoi(next());
      const LPARAM at = MAKELPARAM(x, y);
      PostMessageW(hView, WM_LBUTTONDOWN, MK_LBUTTON, at);
      PostMessageW(hView, WM_LBUTTONUP, 0, at);
      PostMessageW(hView, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
      PostMessageW(hView, WM_LBUTTONUP, 0, at);
      Settle();
      Settle();
    } else if (cmd == "chooser-select" || cmd == "chooser-cancel") {
      HWND hButton = GetDlgItem(g_hChooser, cmd == "chooser-select" ? IDOK : IDCANCEL);
      PostMessageW(hButton, BM_CLICK, 0, 0);
      for (int n = 0; n < 100 && IsWindow(g_hChooser); ++n) Sleep(50);
      if (IsWindow(g_hChooser)) Die("the folder chooser is still open");
      g_hChooser = nullptr;
      Settle();
    } else if (cmd == "sleep") {
      Sleep(static_cast<DWORD>(std::atoi(next())));
    } else {
      Die("unknown command");
    }
    std::fflush(stdout);
  }
  if (g_process.hProcess && WaitForSingleObject(g_process.hProcess, 0) != WAIT_OBJECT_0) {
    TerminateProcess(g_process.hProcess, 3);
    std::printf("KILLED\n");
  }
  return 0;
}
