#include "windows/bitmap/bmp_dib_win.h"

#include <cstdint>
#include <memory>
#include <vector>

#include "bitmap/bmp_writer.h"
#include "windows/framework/gdi_win.h"
#include "windows/framework/utf8_win.h"

namespace {

// The colours of a GDI palette, as the portable colour-table code asks for them.
class CGdiDibPalette : public CDibPalette {
 public:
  explicit CGdiDibPalette(HPALETTE hPalette) : m_palette(hPalette) {}
  int GetEntries(int nStart, int nCount, COLORREF* pColours) const override {
    if (nCount <= 0) return 0;
    std::vector<PALETTEENTRY> entries(static_cast<std::size_t>(nCount));
    const UINT got = GetPaletteEntries(m_palette.Get(), static_cast<UINT>(nStart),
                                       static_cast<UINT>(nCount), entries.data());
    for (UINT i = 0; i < got; ++i)
      pColours[i] = RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue);
    return static_cast<int>(got);
  }

 private:
  CPalette m_palette;
};

}  // namespace

void CaptureBitmap(CBmpDib& dib, CBitmap* pBitmap) {
  if (!pBitmap || !*pBitmap) return;
  BITMAP bm{};
  if (!GetObjectW(pBitmap->Get(), sizeof(bm), &bm)) return;
  if (!dib.Create(bm.bmWidth, bm.bmHeight, bm.bmBitsPixel)) return;

  CClientDC screen(nullptr);
  auto* pInfo = reinterpret_cast<BITMAPINFO*>(dib.m_pHeader->data());
  GetDIBits(screen.GetSafeHdc(), pBitmap->Get(), 0, static_cast<UINT>(dib.m_nHeight), dib.m_pBits,
            pInfo, DIB_RGB_COLORS);
  if (DibColourEntries(dib.m_pHeader.get()) == 0) return;
  if (HPALETTE hPalette = CreateDibPalette(dib.m_pHeader.get(), 0)) {
    dib.m_pPalette = std::make_unique<CGdiDibPalette>(hPalette);
    SyncColourTable(dib.m_pHeader.get(), dib.m_pPalette.get(), 1);
  }
}

HPALETTE CreateDibPalette(const DibBlock* pBlock, BYTE nFlags) {
  const int entries = DibColourEntries(pBlock);
  if (entries <= 0 || entries > 256) return nullptr;
  // LOGPALETTE declares one entry; the rest follow it in the same block.
  std::vector<std::uint8_t> storage(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * entries);
  auto* pLog = reinterpret_cast<LOGPALETTE*>(storage.data());
  pLog->palVersion = 0x300;
  pLog->palNumEntries = static_cast<WORD>(entries);
  const std::uint8_t* table = pBlock->data() + kDibHeaderSize;
  for (int i = 0; i < entries; ++i) {
    pLog->palPalEntry[i].peBlue = table[4 * i];
    pLog->palPalEntry[i].peGreen = table[4 * i + 1];
    pLog->palPalEntry[i].peRed = table[4 * i + 2];
    pLog->palPalEntry[i].peFlags = nFlags;
  }
  return CreatePalette(pLog);
}

int SaveBmpDib(CBmpDib& dib, const std::wstring& strName) {
  return SaveBmpDib(dib, strName, OutputMode::Replace) == OutputResult::Written;
}

OutputResult SaveBmpDib(CBmpDib& dib, const std::wstring& strName, OutputMode mode) {
  if (!strName.empty()) dib.m_strFileName = WideToUtf8(strName);
  if (dib.m_pPalette) SyncColourTable(dib.m_pHeader.get(), dib.m_pPalette.get(), 0);
  const OutputResult result = WriteDibFileW(strName, dib.m_pHeader.get(), mode);
  if (dib.m_pPalette) SyncColourTable(dib.m_pHeader.get(), nullptr, 1);
  return result;
}
