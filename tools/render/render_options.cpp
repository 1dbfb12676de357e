#include "render_options.h"

#include <cstdlib>
#include <cstring>

#include "bitmap/bmp_writer.h"
#include "colour/scheme_registry.h"
#include "fractal/formulas.h"
#include "png_file.h"

namespace {

// "mandelbrot, julia, ...", in table order.
std::string FormulaNames() {
  std::string names;
  for (const CFormula& f : kFormulas) names += std::string(names.empty() ? "" : ", ") + f.pszName;
  return names;
}

}  // namespace

// GNU style, so that help2man makes the manual page from it.
std::string RenderUsage() {
  return std::string(
    "Usage: mirovane-render --size WxH [--pictures K] [--out DIR] [OPTION]...\n"
    "  or:  mirovane-render --curve TYPE:N --scheme NAME --size WxH --out FILE [OPTION]...\n"
    "  or:  mirovane-render --swatch NAME [--variant V] --out FILE\n"
    "Draw mirovane's slide show, one catalogue curve, or a colour scheme's swatch into BMP or PNG files.\n"
    "\n"
    "Options:\n"
    "  --size WxH           picture size, each side 1 to 32767; a BMP file holds at\n"
    "                       most 2 GiB (32767 x 21845), a PNG at most 512 MiB of\n"
    "                       pixel rows, 3 bytes a pixel (32767 x 5461)\n"
    "  --pictures K         pictures of the slide show, picture-0001.bmp and on (default 1)\n"
    "  --out DIR|FILE       the slide show's folder (default .), or the picture file\n"
    "  --format bmp|png     file format; default: a FILE's extension, else bmp\n"
    "  --seed N             random seed (default: the time)\n"
    "  --settings FILE      settings from this INI file instead of the user's: a regular\n"
    "                       file of at most 1 MB (or /dev/null), a UTF-8 mark allowed\n"
    "  --extra-memory 0|1   full-resolution plotting, overriding the settings\n"
    "  --curve TYPE:N       catalogue entry N of TYPE: ") + FormulaNames() + "\n" +
    "  --scheme NAME        colour scheme by its label, such as \"Bold 1\" or \"Red / Purple\"\n"
    "  --swatch NAME        a strip of the colour scheme's colours\n"
    "  --variant V          channel order of Metallic and Aluminium Foils (default 0)\n"
    "  --threads N          threads computing pixels (default: every core)\n"
    "  --engine scalar|vector  one point at a time, or several in vector lanes (default vector)\n"
    "  --quiet              no progress display\n"
    "  --help               show this help and exit\n"
    "  --version            show the version and exit\n";
}

namespace {

// Whole decimal number within [lo, hi].
bool ParseNumber(const char* text, long long lo, long long hi, long long& value) {
  if (!text || !*text) return false;
  const char* p = text;
  bool negative = false;
  if (*p == '-' || *p == '+') negative = (*p++ == '-');
  if (!*p) return false;
  long long v = 0;
  for (; *p; ++p) {
    if (*p < '0' || *p > '9') return false;
    v = v * 10 + (*p - '0');
    if (v > 10000000000LL) return false;
  }
  if (negative) v = -v;
  if (v < lo || v > hi) return false;
  value = v;
  return true;
}

bool ParseSize(const std::string& text, int& w, int& h) {
  const auto x = text.find_first_of("xX");
  if (x == std::string::npos) return false;
  long long a = 0, b = 0;
  if (!ParseNumber(text.substr(0, x).c_str(), 1, 32767, a) ||
      !ParseNumber(text.substr(x + 1).c_str(), 1, 32767, b))
    return false;
  w = static_cast<int>(a);
  h = static_cast<int>(b);
  return true;
}

// The format a file name asks for by its extension, if any.
const char* FormatOfName(const std::string& name) {
  const auto dot = name.find_last_of('.');
  if (dot == std::string::npos || name.size() - dot != 4) return nullptr;
  std::string ext = name.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return ext == "png" ? "png" : ext == "bmp" ? "bmp" : nullptr;
}

int TypeBitFromName(const std::string& name) {
  const CFormula* pFormula = FormulaOfName(name.c_str());
  return pFormula ? pFormula->nTypeBit : 0;
}

}  // namespace

std::string RenderSizeProblem(int nWidth, int nHeight, RenderOptions::Format format) {
  const std::string size = std::to_string(nWidth) + " x " + std::to_string(nHeight);
  if (format == RenderOptions::Format::Png) {
    if (PngSizeFits(nWidth, nHeight)) return {};
    return size + " is too large for a PNG file (at most 512 MiB of pixel rows)";
  }
  if (Bmp24SizeFits(nWidth, nHeight)) return {};
  std::string message = size + " is too large for a BMP file (at most 2 GiB; " +
                        std::to_string(Bmp24MaxHeight(nWidth)) + " rows at this width)";
  if (PngSizeFits(nWidth, nHeight)) message += "; use --format png";
  return message;
}

bool ParseRenderOptions(int argc, char** argv, RenderOptions& o, std::string& error) {
  bool sizeGiven = false, curveGiven = false, swatchGiven = false, schemeGiven = false;
  std::string format;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--quiet") {
      o.bQuiet = true;
      continue;
    }
    if (arg.rfind("--", 0) != 0) {
      error = std::string("unexpected argument '") + arg + "'";
      return false;
    }
    if (i + 1 >= argc) {
      error = std::string("option ") + arg + " needs a value";
      return false;
    }
    const std::string value = argv[++i];
    long long n = 0;
    if (arg == "--size") {
      if (!ParseSize(value, o.nWidth, o.nHeight)) {
        error = std::string("bad size '") + value + "': expected WxH, two integers from 1 to 32767";
        return false;
      }
      sizeGiven = true;
    } else if (arg == "--seed") {
      if (!ParseNumber(value.c_str(), 0, 4294967295LL, n)) {
        error = std::string("bad seed '") + value + "': expected an integer from 0 to 4294967295";
        return false;
      }
      o.nSeed = static_cast<unsigned int>(n);
      o.bSeedGiven = true;
    } else if (arg == "--pictures") {
      if (!ParseNumber(value.c_str(), 1, 1000000, n)) {
        error = std::string("bad picture count '") + value + "': expected an integer from 1 to 1000000";
        return false;
      }
      o.nPictures = static_cast<int>(n);
    } else if (arg == "--out") {
      o.strOut = value;
    } else if (arg == "--format") {
      if (value != "bmp" && value != "png") {
        error = std::string("bad format '") + value + "': expected bmp or png";
        return false;
      }
      format = value;
    } else if (arg == "--settings") {
      o.strSettings = value;
    } else if (arg == "--extra-memory") {
      if (value != "0" && value != "1") {
        error = std::string("bad --extra-memory '") + value + "': expected 0 or 1";
        return false;
      }
      o.nExtraMemory = value == "1";
    } else if (arg == "--threads") {
      if (!ParseNumber(value.c_str(), 1, 256, n)) {
        error = std::string("bad thread count '") + value + "': expected an integer from 1 to 256";
        return false;
      }
      o.nThreads = static_cast<int>(n);
    } else if (arg == "--engine") {
      if (value != "scalar" && value != "vector") {
        error = std::string("bad --engine '") + value + "': expected scalar or vector";
        return false;
      }
      o.bScalar = value == "scalar";
    } else if (arg == "--variant") {
      if (!ParseNumber(value.c_str(), 0, 1000000, n)) {
        error = std::string("bad variant '") + value + "': expected a non-negative integer";
        return false;
      }
      o.nVariant = static_cast<int>(n);
    } else if (arg == "--scheme" || arg == "--swatch") {
      o.nSchemeBit = SchemeBitFromName(value);
      if (!o.nSchemeBit) {
        error = std::string("unknown colour scheme '") + value + "' (use a label such as \"Bold 1\" or \"Red / Purple\")";
        return false;
      }
      (arg == "--scheme" ? schemeGiven : swatchGiven) = true;
    } else if (arg == "--curve") {
      const auto colon = value.find(':');
      o.nCurveType = colon == std::string::npos ? 0 : TypeBitFromName(value.substr(0, colon));
      if (!o.nCurveType || !ParseNumber(value.substr(colon + 1).c_str(), 1, 1000, n)) {
        error = std::string("bad curve '") + value + "': expected TYPE:N, TYPE one of " + FormulaNames();
        return false;
      }
      o.nCurveRow = static_cast<int>(n);
      curveGiven = true;
    } else {
      error = std::string("unknown option ") + arg;
      return false;
    }
  }
  if (swatchGiven) {
    o.mode = RenderOptions::Mode::Swatch;
    if (curveGiven || schemeGiven) {
      error = "--swatch does not go with --curve or --scheme";
      return false;
    }
  } else if (curveGiven || schemeGiven) {
    o.mode = RenderOptions::Mode::Curve;
    if (!curveGiven || !schemeGiven) {
      error = "--curve and --scheme go together";
      return false;
    }
  }
  if (o.mode != RenderOptions::Mode::Swatch && !sizeGiven) {
    error = "missing --size WxH";
    return false;
  }
  if (o.mode != RenderOptions::Mode::SlideShow && o.strOut.empty()) {
    error = "missing --out FILE.bmp";
    return false;
  }
  if (o.mode == RenderOptions::Mode::SlideShow && o.strOut.empty()) o.strOut = ".";
  // A single file's extension names its format; a folder's never does.
  if (o.mode != RenderOptions::Mode::SlideShow) {
    const char* named = FormatOfName(o.strOut);
    if (named && !format.empty() && format != named) {
      error = "--format " + format + " does not match the output name '" + o.strOut + "'";
      return false;
    }
    if (named) format = named;
  }
  if (format == "png") o.format = RenderOptions::Format::Png;
  // Refused before any work: a picture its file cannot hold would fail at the end.
  if (o.mode != RenderOptions::Mode::Swatch) {
    error = RenderSizeProblem(o.nWidth, o.nHeight, o.format);
    if (!error.empty()) return false;
  }
  return true;
}
