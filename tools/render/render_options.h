#pragma once

#include <string>

// What the command line asked for.
struct RenderOptions {
  enum class Mode { SlideShow, Curve, Swatch } mode = Mode::SlideShow;
  int nWidth = 0;
  int nHeight = 0;
  bool bSeedGiven = false;
  unsigned int nSeed = 0;
  int nPictures = 1;
  std::string strOut;
  std::string strSettings;
  int nExtraMemory = -1;  // -1: as the settings say
  int nCurveType = 0;     // type bit for --curve
  int nCurveRow = 0;
  int nSchemeBit = 0;
  int nVariant = 0;
  bool bQuiet = false;
  enum class Format { Bmp, Png } format = Format::Bmp;
  int nThreads = 0;       // 0: every core
  bool bScalar = false;   // --engine scalar: the reference formulas, one point at a time
};

// Fills options from argv (--help and --version are the caller's); on failure returns false with a one-line message.
bool ParseRenderOptions(int argc, char** argv, RenderOptions& options, std::string& error);

std::string RenderUsage();

// Why a picture of this size cannot go into a file of the format; empty when it can.
std::string RenderSizeProblem(int nWidth, int nHeight, RenderOptions::Format format);
