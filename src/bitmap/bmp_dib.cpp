#include "bitmap/bmp_dib.h"

#include "bitmap/bmp_writer.h"

int CBmpDib::Save(const std::string& strName) {
  if (!strName.empty()) m_strFileName = strName;
  // The file needs colours, not palette indices.
  if (m_pPalette) SyncColourTable(m_pHeader.get(), m_pPalette.get(), 0);
  const int bWritten = WriteDibFile(strName, m_pHeader.get());
  if (m_pPalette) SyncColourTable(m_pHeader.get(), nullptr, 1);
  return bWritten;
}
