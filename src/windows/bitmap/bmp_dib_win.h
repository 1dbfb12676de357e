#pragma once

#include "windows/framework/win_api.h"

#include <string>

#include "app/output_target.h"
#include "bitmap/bmp_dib.h"
#include "windows/framework/gdi_win.h"

// A logical palette built from a block's colour table (entry i from table
// entry i, nFlags as each entry's flags); null when the table is empty.
HPALETTE CreateDibPalette(const DibBlock* pBlock, BYTE nFlags);

// Fills the picture from a device bitmap at the bitmap's depth; a null or
// unreadable bitmap leaves it empty.
void CaptureBitmap(CBmpDib& dib, CBitmap* pBitmap);

// CBmpDib::Save with a wide-character name: the table goes to RGB form for
// the file and back to index form afterwards when a palette holds the colours.
int SaveBmpDib(CBmpDib& dib, const std::wstring& strName);
// The same, never replacing a file under the name with KeepExisting.
OutputResult SaveBmpDib(CBmpDib& dib, const std::wstring& strName, OutputMode mode);
