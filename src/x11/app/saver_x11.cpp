#include "x11/app/saver_x11.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "app/saver_app.h"
#include "display/back_end.h"
#include "display/saver_model.h"
#include "display/saver_session.h"
#include "display/slide_show.h"
#include "x11/display/key_codes_x11.h"
#include "x11/bitmap/screenshot_x11.h"
#include "x11/display/image_x11.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kRefreshPeriod = std::chrono::microseconds(1000000 / 60);
// How long the host's stop request may wait for the drawing thread.
constexpr int kSignalStopWaitMs = 150;
// The Windows close handler waits about as long.
constexpr int kCloseWaitMs = 2000;

int g_signalPipe[2] = {-1, -1};

void OnStopSignal(int) {
  const char byte = 1;
  [[maybe_unused]] ssize_t n = write(g_signalPipe[1], &byte, 1);
}

bool InstallStopSignals() {
  if (pipe(g_signalPipe) != 0) return false;
  for (int fd : g_signalPipe) fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
  return true;
}

// A foreign window may vanish at any time; its errors must not end us
// through Xlib's default handler, its DestroyNotify does that properly.
int OnXError(Display*, XErrorEvent*) { return 0; }

void PrintSettings(int nWidth, int nHeight) {
  std::printf("settings: size %dx%d %s\n", nWidth, nHeight, SettingsLine(theApp).c_str());
  std::fflush(stdout);
}

struct MonitorRect {
  int x, y, nWidth, nHeight;
};

// The monitors as Xinerama lists them, the primary first (RandR puts the
// primary output first). Looked up at run time so that building needs no
// Xinerama headers; without it the whole screen counts as one monitor.
std::vector<MonitorRect> Monitors(Display* d, int screen) {
  const std::vector<MonitorRect> whole{{0, 0, DisplayWidth(d, screen), DisplayHeight(d, screen)}};
  void* lib = dlopen("libXinerama.so.1", RTLD_NOW | RTLD_LOCAL);
  if (!lib) return whole;
  struct ScreenInfo {  // XineramaScreenInfo
    int screen_number;
    short x_org, y_org, width, height;
  };
  using IsActiveFn = int (*)(Display*);
  using QueryFn = ScreenInfo* (*)(Display*, int*);
  auto isActive = reinterpret_cast<IsActiveFn>(dlsym(lib, "XineramaIsActive"));
  auto query = reinterpret_cast<QueryFn>(dlsym(lib, "XineramaQueryScreens"));
  std::vector<MonitorRect> result;
  int count = 0;
  if (isActive && query && isActive(d)) {
    if (ScreenInfo* screens = query(d, &count)) {
      for (int i = 0; i < count; ++i)
        if (screens[i].width > 0 && screens[i].height > 0)
          result.push_back({screens[i].x_org, screens[i].y_org, screens[i].width, screens[i].height});
      XFree(screens);
    }
  }
  // Never unloaded: the library has hooked itself into the display's closing.
  return result.empty() ? whole : result;
}

Cursor BlankCursor(Display* d, Window w) {
  static char bits[1] = {0};
  Pixmap pixmap = XCreateBitmapFromData(d, w, bits, 1, 1);
  XColor black{};
  Cursor cursor = XCreatePixmapCursor(d, pixmap, pixmap, &black, &black, 0, 0);
  XFreePixmap(d, pixmap);
  return cursor;
}

// A window showing one frame: the changed rows and exposed parts of the
// image go to the same place of the window.
struct CX11Presenter : IFramePresenter {
  Display* pDisplay = nullptr;
  Window window = 0;
  GC gc = nullptr;
  CX11Image* pImage = nullptr;
  int nWidth = 0;
  void PresentRows(int y, int nRows) override { PresentRect(0, y, nWidth, nRows); }
  void PresentRect(int x, int y, int w, int h) override {
    if (window && pImage) pImage->Put(window, gc, x, y, w, h);
  }
};

// Another monitor's window and show beside the primary's, in the own window
// mode; its input counts as the primary window's.
struct CHead {
  Window window = 0;
  int nWidth = 0;
  int nHeight = 0;
  std::unique_ptr<CX11Image> pImage;
  std::size_t nShow = 0;
  CX11Presenter presenter;
};

}  // namespace

class CX11Saver::CImpl {
 public:
  ~CImpl() { Shutdown(); }
  int Run(const SaverOptions& o);

 private:
  bool OpenWindow(const SaverOptions& o);
  Window CreateOwnWindow(const MonitorRect& monitor);
  // Every window's show in one session, the primary's first.
  bool StartShows(int nWidth, int nHeight);
  CHead* HeadOf(Window window);
  void Refresh();
  void Repaint(CX11Presenter& presenter, const XExposeEvent& e);
  void HandleEvent(XEvent& e);
  void HandleKey(XKeyEvent& e);
  // Keys, buttons and the pointer, on any of the own windows.
  void HandleInput(XEvent& e);
  void Shutdown();

  Display* m_pDisplay = nullptr;
  Window m_window = 0;
  bool m_bOwnWindow = false;
  Visual* m_pVisual = nullptr;
  int m_nDepth = 0;
  GC m_gc = nullptr;
  Cursor m_cursor = 0;
  unsigned int m_nSeed = 0;
  bool m_bVerbose = false;

  int m_nWidth = 0;
  int m_nHeight = 0;
  int m_nPendingWidth = 0;  // a new size waiting for the old thread to end
  int m_nPendingHeight = 0;
  std::unique_ptr<CX11Image> m_pImage;
  CX11Presenter m_presenter;
  std::unique_ptr<CSaverSession> m_pSession;
  std::vector<std::unique_ptr<CHead>> m_pHeads;

  // In root coordinates, shared by every window: one first report in all.
  CSaverPoint m_ptLast;
  bool m_bHadFocus = false;
  bool m_bEnd = false;
  bool m_bThreadLeftRunning = false;
};

CX11Saver::CX11Saver() : m_pImpl(std::make_unique<CImpl>()) {}
CX11Saver::~CX11Saver() = default;
int CX11Saver::Run(const SaverOptions& options) { return m_pImpl->Run(options); }

bool CX11Saver::CImpl::OpenWindow(const SaverOptions& o) {
  const int screen = DefaultScreen(m_pDisplay);
  const Window root = RootWindow(m_pDisplay, screen);
  if (o.mode == WindowMode::Own) {
    m_bOwnWindow = true;
    m_cursor = BlankCursor(m_pDisplay, root);
    const std::vector<MonitorRect> monitors = Monitors(m_pDisplay, screen);
    m_window = CreateOwnWindow(monitors[0]);
    // A show per monitor; the host's -window-id and -root stay one show,
    // as it starts one per screen.
    for (std::size_t i = 1; i < monitors.size(); ++i) {
      auto pHead = std::make_unique<CHead>();
      pHead->window = CreateOwnWindow(monitors[i]);
      pHead->nWidth = monitors[i].nWidth;
      pHead->nHeight = monitors[i].nHeight;
      m_pHeads.push_back(std::move(pHead));
    }
    XSetInputFocus(m_pDisplay, m_window, RevertToParent, CurrentTime);
    // Where the pointer is now is the first report, as Windows sends one on showing.
    Window rootReturn, child;
    int rx = 0, ry = 0, wx = 0, wy = 0;
    unsigned mask = 0;
    if (XQueryPointer(m_pDisplay, m_window, &rootReturn, &child, &rx, &ry, &wx, &wy, &mask))
      PointerAction(m_ptLast, rx, ry);
  } else {
    m_window = o.mode == WindowMode::Root ? root : static_cast<Window>(o.nWindowId);
  }
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(m_pDisplay, m_window, &attributes)) {
    std::fprintf(stderr, "mirovane: no window 0x%lx\n", static_cast<unsigned long>(m_window));
    return false;
  }
  if (!m_bOwnWindow) XSelectInput(m_pDisplay, m_window, ExposureMask | StructureNotifyMask);
  m_pVisual = attributes.visual;
  m_nDepth = attributes.depth;
  m_nWidth = attributes.width;
  m_nHeight = attributes.height;
  m_gc = XCreateGC(m_pDisplay, m_window, 0, nullptr);
  return true;
}

Window CX11Saver::CImpl::CreateOwnWindow(const MonitorRect& monitor) {
  const int screen = DefaultScreen(m_pDisplay);
  XSetWindowAttributes a{};
  a.override_redirect = True;
  a.background_pixel = BlackPixel(m_pDisplay, screen);
  a.cursor = m_cursor;
  a.event_mask = KeyPressMask | ButtonPressMask | PointerMotionMask | EnterWindowMask | FocusChangeMask |
                 ExposureMask | StructureNotifyMask;
  const Window window =
      XCreateWindow(m_pDisplay, RootWindow(m_pDisplay, screen), monitor.x, monitor.y,
                    static_cast<unsigned>(monitor.nWidth), static_cast<unsigned>(monitor.nHeight), 0,
                    CopyFromParent, InputOutput, CopyFromParent,
                    CWOverrideRedirect | CWBackPixel | CWCursor | CWEventMask, &a);
  XStoreName(m_pDisplay, window, "mirovane");
  XClassHint hint{const_cast<char*>("mirovane"), const_cast<char*>("Mirovane")};
  XSetClassHint(m_pDisplay, window, &hint);
  XMapRaised(m_pDisplay, window);
  XEvent e;
  XWindowEvent(m_pDisplay, window, StructureNotifyMask, &e);
  while (e.type != MapNotify) XWindowEvent(m_pDisplay, window, StructureNotifyMask, &e);
  return window;
}

CHead* CX11Saver::CImpl::HeadOf(Window window) {
  for (const auto& pHead : m_pHeads)
    if (pHead->window == window) return pHead.get();
  return nullptr;
}

bool CX11Saver::CImpl::StartShows(int nWidth, int nHeight) {
  const bool tryShm = std::getenv("MIROVANE_NO_SHM") == nullptr;
  m_pImage = CX11Image::Create(m_pDisplay, m_pVisual, m_nDepth, nWidth, nHeight, tryShm);
  if (!m_pImage) {
    std::fprintf(stderr, "mirovane: the window needs a TrueColor visual of 24 or 32 bits\n");
    return false;
  }
  m_nWidth = nWidth;
  m_nHeight = nHeight;
  m_presenter = {};
  m_presenter.pDisplay = m_pDisplay;
  m_presenter.window = m_window;
  m_presenter.gc = m_gc;
  m_presenter.pImage = m_pImage.get();
  m_presenter.nWidth = nWidth;
  // Each head is seeded apart from the primary's show, even with a seed given.
  m_pSession = std::make_unique<CSaverSession>(theApp, theApp, m_nSeed);
  m_pSession->AddShow(m_pImage->MakeFrame());
  for (const auto& pHead : m_pHeads) {
    pHead->pImage = CX11Image::Create(m_pDisplay, m_pVisual, m_nDepth, pHead->nWidth, pHead->nHeight, tryShm);
    if (!pHead->pImage) return false;
    pHead->nShow = m_pSession->AddShow(pHead->pImage->MakeFrame());
    pHead->presenter.pDisplay = m_pDisplay;
    pHead->presenter.window = pHead->window;
    pHead->presenter.gc = m_gc;
    pHead->presenter.pImage = pHead->pImage.get();
    pHead->presenter.nWidth = pHead->nWidth;
  }
  if (m_bVerbose) {
    PrintSettings(nWidth, nHeight);
    // On the drawing thread, which owns the curve and the scheme it reads.
    m_pSession->m_onPicture = [](std::size_t nShow, int nPicture, CSlideShow& show) {
      if (nShow != 0) return;
      std::printf("%s\n", PictureLine(nPicture, show).c_str());
      std::fflush(stdout);
    };
  }
  m_pSession->Start();
  return true;
}

void CX11Saver::CImpl::Refresh() {
  if (!m_pSession) return;
  bool bAny = PresentChanges(m_pSession->Frame(0), m_presenter);
  for (const auto& pHead : m_pHeads)
    if (pHead->pImage) bAny = PresentChanges(m_pSession->Frame(pHead->nShow), pHead->presenter) || bAny;
  if (bAny) XFlush(m_pDisplay);
}

void CX11Saver::CImpl::Repaint(CX11Presenter& presenter, const XExposeEvent& e) {
  presenter.PresentRect(e.x, e.y, e.width, e.height);
}

void CX11Saver::CImpl::HandleKey(XKeyEvent& e) {
  const unsigned vk = VirtualKeyOf(static_cast<std::uint32_t>(XLookupKeysym(&e, 0)));
  if (!m_pSession) return;
  switch (m_pSession->ActOnKey(vk, (e.state & Mod1Mask) != 0)) {
    case ESaverAction::Screenshot:
      SaveScreenshot(theApp, m_nWidth, m_nHeight, m_pSession->Frame(0).Snapshot());
      break;
    case ESaverAction::End:
      m_bEnd = true;
      break;
    case ESaverAction::Pause:
    case ESaverAction::Next:
    case ESaverAction::Continue:
      break;
  }
}

void CX11Saver::CImpl::HandleInput(XEvent& e) {
  switch (e.type) {
    case KeyPress:
      HandleKey(e.xkey);
      break;
    case ButtonPress:
      if (ButtonAction() == ESaverAction::End) m_bEnd = true;
      break;
    case MotionNotify:
      if (PointerAction(m_ptLast, e.xmotion.x_root, e.xmotion.y_root) == ESaverAction::End) m_bEnd = true;
      break;
    case EnterNotify:
      if (PointerAction(m_ptLast, e.xcrossing.x_root, e.xcrossing.y_root) == ESaverAction::End) m_bEnd = true;
      break;
    default:
      break;
  }
}

void CX11Saver::CImpl::HandleEvent(XEvent& e) {
  if (CHead* pHead = e.xany.window != m_window ? HeadOf(e.xany.window) : nullptr) {
    if (e.type == Expose)
      Repaint(pHead->presenter, e.xexpose);
    else if (e.type == DestroyNotify)
      pHead->window = pHead->presenter.window = 0, m_bEnd = true;
    else
      HandleInput(e);
    return;
  }
  if (e.xany.window != m_window) return;
  switch (e.type) {
    case Expose:
      Repaint(m_presenter, e.xexpose);
      break;
    case ConfigureNotify:
      if (e.xconfigure.width > 0 && e.xconfigure.height > 0 &&
          (e.xconfigure.width != m_nWidth || e.xconfigure.height != m_nHeight)) {
        m_nPendingWidth = e.xconfigure.width;
        m_nPendingHeight = e.xconfigure.height;
        theApp.StopRunning();
      }
      break;
    case DestroyNotify:
      m_window = m_presenter.window = 0;
      m_bEnd = true;
      break;
    default:
      break;
  }
  if (!m_bOwnWindow) return;
  HandleInput(e);
  switch (e.type) {
    case FocusIn:
      m_bHadFocus = true;
      break;
    case FocusOut:
      if (m_bHadFocus && e.xfocus.mode == NotifyNormal && e.xfocus.detail != NotifyInferior) m_bEnd = true;
      break;
    default:
      break;
  }
}

int CX11Saver::CImpl::Run(const SaverOptions& o) {
  m_nSeed = o.nSeed ? *o.nSeed : static_cast<unsigned int>(std::time(nullptr));
  m_bVerbose = o.bVerbose;
  m_pDisplay = XOpenDisplay(nullptr);
  if (!m_pDisplay) {
    std::fprintf(stderr, "mirovane: cannot open display '%s'\n", XDisplayName(nullptr));
    return 1;
  }
  XSetErrorHandler(OnXError);
  if (!InstallStopSignals()) {
    std::fprintf(stderr, "mirovane: cannot set up signal handling\n");
    return 1;
  }
  if (!OpenWindow(o) || !StartShows(m_nWidth, m_nHeight)) return 1;

  const int xfd = ConnectionNumber(m_pDisplay);
  auto nextRefresh = Clock::now();
  bool stopSignal = false;
  while (!m_bEnd && !stopSignal) {
    while (!m_bEnd && XPending(m_pDisplay)) {
      XEvent e;
      XNextEvent(m_pDisplay, &e);
      HandleEvent(e);
    }
    if (m_bEnd) break;
    // A new size: once the old thread has ended, a new show (never two threads).
    if (m_nPendingWidth && m_pSession->Stopped()) {
      m_pSession->Wait(Clock::now());
      m_pSession.reset();
      m_pImage.reset();
      theApp.SetPaused(false);
      theApp.m_bRunning.store(1);
      const int w = m_nPendingWidth, h = m_nPendingHeight;
      m_nPendingWidth = m_nPendingHeight = 0;
      if (!StartShows(w, h)) return 1;
    }
    const auto now = Clock::now();
    if (now >= nextRefresh) {
      Refresh();
      nextRefresh = now + kRefreshPeriod;
    }
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(nextRefresh - Clock::now()).count() + 1;
    pollfd fds[2] = {{xfd, POLLIN, 0}, {g_signalPipe[0], POLLIN, 0}};
    poll(fds, 2, static_cast<int>(wait < 1 ? 1 : wait));
    if (fds[1].revents & POLLIN) stopSignal = true;
    if (m_pSession->OutOfMemory()) break;
  }

  const bool done = m_pSession->Stop(stopSignal ? kSignalStopWaitMs : kCloseWaitMs);
  m_bThreadLeftRunning = !done;
  if (m_pSession->OutOfMemory()) {
    std::fprintf(stderr, "mirovane: out of memory\n");
    return 2;
  }
  return 0;
}

void CX11Saver::CImpl::Shutdown() {
  if (m_bThreadLeftRunning) {
    // The thread still draws into the image; leave everything to process exit.
    std::fflush(nullptr);
    std::_Exit(0);
  }
  if (!m_pDisplay) return;
  m_pSession.reset();
  m_pImage.reset();
  for (const auto& pHead : m_pHeads) {
    pHead->pImage.reset();
    if (pHead->window) XDestroyWindow(m_pDisplay, pHead->window);
  }
  m_pHeads.clear();
  if (m_gc) XFreeGC(m_pDisplay, m_gc);
  if (m_bOwnWindow && m_window) XDestroyWindow(m_pDisplay, m_window);
  if (m_cursor) XFreeCursor(m_pDisplay, m_cursor);
  XCloseDisplay(m_pDisplay);
  m_pDisplay = nullptr;
}
