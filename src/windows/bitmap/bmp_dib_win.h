#pragma once

#include "windows/framework/win_api.h"

#include <string>

#include "bitmap/bmp_dib.h"

// A logical palette built from a block's colour table (entry i from table
// entry i, nFlags as each entry's flags); null when the table is empty.
HPALETTE CreateDibPalette(const DibBlock* pBlock, BYTE nFlags);

// Writes the block as a BMP file through the wide-character file API, so
// folders of any name and length the system accepts work. Written beside
// the name and renamed when complete; a linked file is replaced, the link
// kept; a folder, device or pipe under the name gives 0 and is left alone.
// Returns 1 when the whole file was written.
int WriteDibFileW(const std::wstring& strName, const DibBlock* pBlock);

// CBmpDib::Save with a wide-character name: the table goes to RGB form for
// the file and back to index form afterwards when a palette holds the colours.
int SaveBmpDib(CBmpDib& dib, const std::wstring& strName);
