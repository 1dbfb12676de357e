#include "windows/bitmap/bmp_dib_win.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "windows/app/profile_registry_win.h"
#include "bitmap/output_target.h"
#include "windows/framework/gdi_win.h"

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

// Bytes of header, table and rows that a file holds; 0 for a block whose
// header does not describe its own bytes.
std::size_t DibBytes(const DibBlock& block) {
  if (block.size() < kDibHeaderSize) return 0;
  const std::uint8_t* h = block.data();
  const auto width = static_cast<std::int32_t>(GetLe32(h + kDibWidthAt));
  const auto height = static_cast<std::int32_t>(GetLe32(h + kDibHeightAt));
  const std::int64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
  const std::int64_t rowBytes = DibRowBytes(width, GetLe16(h + kDibBitCountAt));
  // A header may claim rows no block holds: compared before multiplying.
  if (rowBytes == 0 || rows == 0 || rowBytes > static_cast<std::int64_t>(block.size()) / rows)
    return 0;
  const std::int64_t total = kDibHeaderSize + DibPaletteBytes(&block) + rowBytes * rows;
  if (total > static_cast<std::int64_t>(block.size())) return 0;
  return static_cast<std::size_t>(total);
}

bool WriteAllW(HANDLE hFile, const std::uint8_t* pData, std::size_t nLength) {
  constexpr std::size_t kChunk = 32768;
  while (nLength > 0) {
    const DWORD want = static_cast<DWORD>(nLength < kChunk ? nLength : kChunk);
    DWORD written = 0;
    if (!WriteFile(hFile, pData, want, &written, nullptr) || written != want) return false;
    pData += want;
    nLength -= want;
  }
  return true;
}

}  // namespace

CBmpDib::CBmpDib(CBitmap* pBitmap) {
  if (!pBitmap || !*pBitmap) return;
  BITMAP bm{};
  if (!GetObjectW(pBitmap->Get(), sizeof(bm), &bm)) return;
  if (!Create(bm.bmWidth, bm.bmHeight, bm.bmBitsPixel)) return;

  CClientDC screen(nullptr);
  auto* pInfo = reinterpret_cast<BITMAPINFO*>(m_pHeader->data());
  GetDIBits(screen.GetSafeHdc(), pBitmap->Get(), 0, static_cast<UINT>(m_nHeight), m_pBits, pInfo,
            DIB_RGB_COLORS);
  if (DibColourEntries(m_pHeader.get()) == 0) return;
  if (HPALETTE hPalette = CreateDibPalette(m_pHeader.get(), 0)) {
    m_pPalette = std::make_unique<CGdiDibPalette>(hPalette);
    SyncColourTable(m_pHeader.get(), m_pPalette.get(), 1);
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

int WriteDibFileW(const std::wstring& strName, const DibBlock* pBlock) {
  if (!pBlock || strName.empty()) return 0;
  const std::size_t nBytes = DibBytes(*pBlock);
  if (nBytes == 0) return 0;
  const OutputTargetW target = ResolveOutputTargetW(strName);
  if (target.kind != OutputKind::File) return 0;
  const std::wstring strTemp = TemporaryBesideW(target.strPath);
  if (strTemp.empty()) return 0;
  // The file appears under its name only when complete.
  HANDLE hFile = CreateFileW(strTemp.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (hFile == INVALID_HANDLE_VALUE) return 0;
  std::array<std::uint8_t, 14> header{'B', 'M'};
  PutLe32(&header[2], static_cast<std::uint32_t>(header.size() + nBytes));
  PutLe32(&header[10], static_cast<std::uint32_t>(header.size() + kDibHeaderSize +
                                                  DibPaletteBytes(pBlock)));
  bool ok =
      WriteAllW(hFile, header.data(), header.size()) && WriteAllW(hFile, pBlock->data(), nBytes);
  ok = CloseHandle(hFile) && ok;
  ok = ok && MoveFileExW(strTemp.c_str(), target.strPath.c_str(), MOVEFILE_REPLACE_EXISTING);
  if (!ok) DeleteFileW(strTemp.c_str());
  return ok ? 1 : 0;
}

int SaveBmpDib(CBmpDib& dib, const std::wstring& strName) {
  if (!strName.empty()) dib.m_strFileName = WideToUtf8(strName);
  if (dib.m_pPalette) SyncColourTable(dib.m_pHeader.get(), dib.m_pPalette.get(), 0);
  const int bWritten = WriteDibFileW(strName, dib.m_pHeader.get());
  if (dib.m_pPalette) SyncColourTable(dib.m_pHeader.get(), nullptr, 1);
  return bWritten;
}
