#pragma once

#include <string>

// The number of the screenshot after nLast: 1 to 10000, then 0 again; 0
// after a number below 0.
int NextSequenceNo(int nLast);

// "<folder>\Wexly Fractals <number, five digits>.bmp", the folder as stored
// (UTF-8). Composed without a fixed buffer, so no folder length overflows it.
std::wstring ScreenshotFileName(const std::string& strFolder, int nSequenceNo);
