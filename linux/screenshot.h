#pragma once

#include <string>
#include <vector>

#include "colour/colour.h"

class CSaverApp;

// The number after nSequenceNo: 1 to 10000, then 0 again; 0 after a number
// below 0.
int NextSequenceNo(int nSequenceNo);

// "<folder>/Wexly Fractals 00042.bmp"; an empty folder gives a name in the root.
std::string ScreenshotName(const std::string& strFolder, int nSequenceNo);

// Advances and stores the number, then writes the picture; the number is
// used up even when the file cannot be written, so a retry never overwrites.
// True when the file was written.
bool SaveScreenshot(CSaverApp& app, int nWidth, int nHeight, const std::vector<COLORREF>& pixels);
