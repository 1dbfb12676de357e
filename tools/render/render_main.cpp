// mirovane-render: the saver's slide show without a window, into BMP or PNG files.

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>
#include <new>
#include <string>
#include <thread>
#include <vector>

#if defined(_WIN32)
#include <io.h>

#include "windows/framework/win_api.h"
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

#include "app/ini_file.h"
#include "app/profile_ini.h"
#include "app/random.h"
#include "app/saver_app.h"
#include "bitmap/bmp_writer.h"
#include "app/output_target.h"
#include "colour/colour_scheme.h"
#include "colour/scheme_registry.h"
#include "display/frame.h"
#include "display/pixel_engine.h"
#include "display/picture_painter.h"
#include "display/plane_map.h"
#include "display/saver_session.h"
#include "display/slide_show.h"
#include "fractal/curve.h"
#include "fractal/curve_deck.h"
#include "mirovane_version.h"
#include "png_file.h"
#include "render_options.h"
#if defined(_WIN32)
#include "windows/app/profile_registry_win.h"
#endif

namespace fs = std::filesystem;

namespace {

int Fail(const std::string& message) {
  std::fprintf(stderr, "mirovane-render: %s\n", message.c_str());
  return 2;
}

int WritePicture(const RenderOptions& o, const std::string& name, int w, int h,
                 const std::vector<COLORREF>& pixels) {
  return o.format == RenderOptions::Format::Png ? WritePng(name, w, h, pixels) : WriteBmp24(name, w, h, pixels);
}

// A BMP file takes the frame a row at a time, so no second copy of a large
// picture is made.
int WriteFrame(const RenderOptions& o, const std::string& name, const CFrame& frame) {
  if (o.format == RenderOptions::Format::Png) return WritePng(name, frame.Width(), frame.Height(), frame.Snapshot());
  std::vector<COLORREF> row(static_cast<std::size_t>(frame.Width()));
  return WriteBmp24Rows(name, frame.Width(), frame.Height(), [&](int y) {
    frame.ReadRow(y, row.data());
    return row.data();
  });
}

// Progress on a terminal only; redrawn at most a few times a second.
class CProgress {
 public:
  explicit CProgress(bool enabled) : m_enabled(enabled && isatty(fileno(stderr))) {}
  void Start() { m_start = std::chrono::steady_clock::now(); }
  void Show(int picture, int pictures, double fraction) {
    if (!m_enabled) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - m_last < std::chrono::milliseconds(250)) return;
    m_last = now;
    const double elapsed = std::chrono::duration<double>(now - m_start).count();
    const double done = (picture - 1 + fraction) / pictures;
    const double left = done > 0 ? elapsed / done - elapsed : 0;
    std::fprintf(stderr, "\rpicture %d/%d  %3d%%  about %.0f s left   ", picture, pictures,
                 static_cast<int>(fraction * 100), left);
    std::fflush(stderr);
  }
  void End() {
    if (m_enabled) std::fprintf(stderr, "\r%60s\r", "");
  }

 private:
  bool m_enabled;
  std::chrono::steady_clock::time_point m_start, m_last;
};

// A frame that reports progress as pixels arrive.
class CProgressFrame : public CFrame {
 public:
  CProgressFrame(int w, int h, CProgress& progress, int pictures)
      : CFrame(w, h), m_progress(progress), m_nPictures(pictures) {}
  void SetPixel(int x, int y, COLORREF colour) override {
    CFrame::SetPixel(x, y, colour);
    if ((++m_nCount & 0xFFF) == 0 && m_nPerPicture > 0)
      m_progress.Show(m_nPicture, m_nPictures, std::min(1.0, double(m_nCount) / m_nPerPicture));
  }
  void NextPicture(int picture, long long perPicture) {
    m_nPicture = picture;
    m_nPerPicture = perPicture;
    m_nCount = 0;
  }

 private:
  CProgress& m_progress;
  int m_nPictures;
  int m_nPicture = 1;
  long long m_nPerPicture = 0;
  long long m_nCount = 0;
};

int ThreadCount(const RenderOptions& o) {
  int threads = o.nThreads;
  if (threads <= 0) threads = static_cast<int>(std::thread::hardware_concurrency());
  return threads > 0 ? threads : 1;
}

// The files do not depend on either choice: a slide show's results are
// computed in parallel, the colours and pixels set in order.
std::unique_ptr<CPixelEngine> MakeEngine(const RenderOptions& o) {
  return std::make_unique<CPixelEngine>(o.bScalar ? EngineKind::kScalar : EngineKind::kVector, ThreadCount(o));
}

// Positions a slide-show batch takes ahead: nothing interrupts the renderer,
// so a batch as large as the workers need to share it out.
constexpr int kRenderBatchPositions = 16384;

bool LoadSettings(const RenderOptions& o, std::string& error) {
  if (!o.strSettings.empty()) {
    // A FIFO, a device or a huge file is refused before anything reads it.
    error = CheckIniFile(o.strSettings);
    if (!error.empty()) return false;
    theApp.SetProfile(std::make_unique<CIniProfile>(o.strSettings));
  } else {
#if defined(_WIN32)
    theApp.SetProfile(NewSaverRegistryProfile());
#else
    theApp.SetProfile(std::make_unique<CIniProfile>(DefaultIniPath()));
#endif
  }
  theApp.LoadSettings();
  if (o.nExtraMemory >= 0) theApp.m_bExtraMemory = o.nExtraMemory;
  return true;
}

// Proves the folder takes files before any work is done.
bool PrepareFolder(const fs::path& dir, std::string& error) {
  std::error_code ec;
  fs::create_directories(dir, ec);
  const bool ok = FolderTakesFiles(dir.string());
  if (!ok) error = "cannot write into folder '" + dir.string() + "'";
  return ok;
}

bool PrepareFile(const fs::path& name, std::string& error) {
  std::error_code ec;
  const OutputTarget target = ResolveOutputTarget(name.string());
  if (target.kind != OutputKind::File) {
    error = "output '" + name.string() +
            (target.kind == OutputKind::Folder ? "' is a folder" : "' is not a regular file");
    return false;
  }
  const fs::path file = target.strPath;
  const fs::path dir = file.has_parent_path() ? file.parent_path() : fs::path(".");
  if (!fs::is_directory(dir, ec)) {
    error = "output folder '" + dir.string() + "' does not exist";
    return false;
  }
  return PrepareFolder(dir, error);
}

int RunSlideShow(const RenderOptions& o) {
  std::string error;
  if (!LoadSettings(o, error)) return Fail(error);
  const fs::path dir = o.strOut;
  if (!PrepareFolder(dir, error)) return Fail(error);

  CProgress progress(!o.bQuiet);
  auto pFrame = std::make_unique<CProgressFrame>(o.nWidth, o.nHeight, progress, o.nPictures);
  CProgressFrame& frame = *pFrame;
  // Nothing waits in the renderer: the delays are counted, not slept.
  CSaverSession session(theApp, theApp, o.bSeedGiven ? o.nSeed : static_cast<unsigned int>(std::time(nullptr)),
                        std::make_shared<CCountingSleeper>());
  CSlideShow& show = session.Show(session.AddShow(std::move(pFrame)));
  show.SetEngine(MakeEngine(o), kRenderBatchPositions);
  const long long perPicture = static_cast<long long>(o.nWidth) * o.nHeight;
  frame.NextPicture(1, perPicture);

  int picture = 0;
  bool writeFailed = false;
  session.m_onPicture = [&](std::size_t, int nPicture, CSlideShow& done) {
    picture = nPicture;
    char name[32];
    std::snprintf(name, sizeof name, "picture-%04d.%s", picture,
                  o.format == RenderOptions::Format::Png ? "png" : "bmp");
    const fs::path file = dir / name;
    if (!WriteFrame(o, file.string(), frame)) {
      writeFailed = true;
      theApp.StopRunning();
      return;
    }
    std::printf("%s\n", PictureLine(picture, done).c_str());
    std::fflush(stdout);
    if (picture >= o.nPictures)
      theApp.StopRunning();
    else
      frame.NextPicture(picture + 1, perPicture);
  };
  progress.Start();
  session.Start();
  session.Wait(CSaverSession::Clock::time_point::max());
  progress.End();
  if (session.OutOfMemory()) throw std::bad_alloc();
  if (writeFailed) return Fail("cannot write picture " + std::to_string(picture) + " into '" + dir.string() + "'");
  return 0;
}

int RunCurve(const RenderOptions& o) {
  std::string error;
  if (!LoadSettings(o, error)) return Fail(error);
  if (!PrepareFile(o.strOut, error)) return Fail(error);
  SRand(o.bSeedGiven ? o.nSeed : static_cast<unsigned int>(std::time(nullptr)));
  theApp.m_nCurveType = 0x3F;
  CCurveDeck deck(theApp, theApp.m_bRunning);
  deck.Fill();
  const std::unique_ptr<CCurve> pCurve = deck.Take(deck.Find(o.nCurveType, o.nCurveRow));
  if (!pCurve)
    return Fail(std::string("no ") + CurveTypeName(o.nCurveType) + " entry " + std::to_string(o.nCurveRow) +
                " in the catalogue (out of range or excluded by the iteration limits)");
  CPlaneMap plane;
  plane.m_nWidth = o.nWidth;
  plane.m_nHeight = o.nHeight;
  plane.SetCurve(pCurve.get());
  // Every thread colours with its own scheme object, all made under the
  // variant asked for and kept until the picture is done.
  CSchemeVariants variants;
  SetSchemeVariant(variants, o.nSchemeBit, o.nVariant);
  std::vector<std::unique_ptr<CColourScheme>> owned;
  std::vector<CColourScheme*> schemes;
  for (int i = 0; i < ThreadCount(o); ++i) {
    owned.push_back(CreateScheme(o.nSchemeBit, variants));
    if (!owned.back()) return Fail("out of memory");
    schemes.push_back(owned.back().get());
  }
  const int w = o.nWidth, h = o.nHeight;
  const bool png = o.format == RenderOptions::Format::Png;
  CPicturePainter painter(plane, schemes, o.bScalar ? EngineKind::kScalar : EngineKind::kVector,
                          png ? CPicturePainter::Order::kTopDown : CPicturePainter::Order::kBottomUp);
  CProgress progress(!o.bQuiet);
  progress.Start();
  int rows = 0;
  const auto row = [&](int y) {
    progress.Show(1, 1, double(rows++) / h);
    return painter.Row(y);
  };
  int written = 0;
  if (png) {
    std::vector<COLORREF> pixels(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y) std::copy_n(row(y), w, pixels.begin() + static_cast<std::ptrdiff_t>(y) * w);
    progress.End();
    written = WritePng(o.strOut, w, h, pixels);
  } else {
    // Each row goes into the file as soon as it is done.
    written = WriteBmp24Rows(o.strOut, w, h, row);
    progress.End();
  }
  if (!written) return Fail("cannot write '" + o.strOut + "'");
  return 0;
}

int RunSwatch(const RenderOptions& o) {
  std::string error;
  if (!PrepareFile(o.strOut, error)) return Fail(error);
  CSchemeVariants variants;
  SetSchemeVariant(variants, o.nSchemeBit, o.nVariant);
  auto scheme = CreateScheme(o.nSchemeBit, variants);
  const int width = SchemeCycleLength(o.nSchemeBit);
  const int height = 16;
  std::vector<COLORREF> pixels(static_cast<std::size_t>(width) * height);
  for (int x = 0; x < width; ++x) {
    const COLORREF c = scheme->CountColour(x);
    for (int y = 0; y < height; ++y) pixels[static_cast<std::size_t>(y) * width + x] = c;
  }
  if (!WritePicture(o, o.strOut, width, height, pixels)) return Fail("cannot write '" + o.strOut + "'");
  return 0;
}

#ifndef _WIN32
// An interrupted renderer takes its temporary file with it; the old file,
// if any, stays as it was.
extern "C" void OnStopSignal(int nSignal) {
  if (const char* temp = TemporaryInProgress()) unlink(temp);
  _exit(128 + nSignal);
}

void RemoveTemporaryOnSignals() {
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  for (int nSignal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&action.sa_mask, nSignal);
  for (int nSignal : {SIGINT, SIGTERM, SIGHUP}) sigaction(nSignal, &action, nullptr);
}
#else
// Ctrl+C, Ctrl+Break or the console closing: the default handler then
// ends the process, which takes the deleted temporary with it.
BOOL WINAPI OnConsoleStop(DWORD) {
  RemoveTemporaryInProgress();
  return FALSE;
}

void RemoveTemporaryOnSignals() { SetConsoleCtrlHandler(OnConsoleStop, TRUE); }
#endif

int Run(const RenderOptions& options) {
  switch (options.mode) {
    case RenderOptions::Mode::Curve: return RunCurve(options);
    case RenderOptions::Mode::Swatch: return RunSwatch(options);
    default: return RunSlideShow(options);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
    std::fputs(RenderUsage().c_str(), stdout);
    return 0;
  }
  if (argc == 2 && std::string(argv[1]) == "--version") {
    std::printf("mirovane-render (mirovane) %s\n%s\n", MIROVANE_VERSION, MIROVANE_COPYRIGHT);
    return 0;
  }
  RenderOptions options;
  std::string error;
  if (!ParseRenderOptions(argc, argv, options, error)) {
    Fail(error);
    std::fputs("Try 'mirovane-render --help' for more information.\n", stderr);
    return 2;
  }
  RemoveTemporaryOnSignals();
  try {
    return Run(options);
  } catch (const std::bad_alloc&) {
    // A temporary file being written has gone with the unwinding.
    if (options.mode == RenderOptions::Mode::Swatch) return Fail("out of memory");
    return Fail("out of memory for a picture of " + std::to_string(options.nWidth) + " x " +
                std::to_string(options.nHeight) + " pixels");
  }
}
