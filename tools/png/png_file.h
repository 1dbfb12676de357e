#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "colour/colour.h"

// Whether a picture of this size fits the encoder's 32-bit buffers.
bool PngSizeFits(int nWidth, int nHeight);

// An 8-bit RGB PNG of a top-down, row-major picture of width x height
// colours; empty when the sizes do not match the pixels or do not fit.
std::vector<std::uint8_t> EncodePng(int nWidth, int nHeight, const std::vector<COLORREF>& pixels);

// Writes the PNG under a temporary name beside the file and renames it, so
// that a failure leaves no file and no half-written picture. 1 on success.
int WritePng(const std::string& strName, int nWidth, int nHeight,
             const std::vector<COLORREF>& pixels);
