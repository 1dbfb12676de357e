#pragma once

#include <string>
#include <vector>

#include "colour/colour.h"

class CSaverApp;

// TakeScreenshot with the picture in a 24-bit BMP file; true when it was written.
bool SaveScreenshot(CSaverApp& app, int nWidth, int nHeight, const std::vector<COLORREF>& pixels);
