#include "display/pixel_order.h"

#include "app/random.h"
#include "display/small_modulo.h"

namespace {
constexpr int kNarrowLimit = 65536;
// Greater than any rank the generator can give.
constexpr std::int32_t kPastEnd = 1 << 30;
}

CPixelOrder::CPixelOrder(int nPerRow, int nRows)
    : m_nPerRow(nPerRow > 0 && nRows > 0 ? nPerRow : 0),
      m_nRows(m_nPerRow > 0 ? nRows : 0),
      m_nRowsLeft(m_nRows),
      m_nFirstGap(m_nRows),
      m_nRemaining(static_cast<std::int64_t>(m_nPerRow) * m_nRows) {
  if (m_nRemaining == 0) {
    m_bDone = 1;
    return;
  }
  const auto nEntries = static_cast<std::size_t>(m_nRemaining);
  if (m_nPerRow <= kNarrowLimit)
    m_narrow.resize(nEntries);
  else
    m_wide.resize(nEntries);
  ResetEntries(m_narrow);
  ResetEntries(m_wide);
  m_count.assign(m_nRows, m_nPerRow);
  if (m_nPerRow <= kSmallModuloMaxDivisor) {
    m_entryFactor.resize(static_cast<std::size_t>(m_nPerRow) + 1);
    for (int d = 1; d <= m_nPerRow; ++d) m_entryFactor[d] = SmallModuloFactor(d);
  }
  m_rowFactor = SmallModuloFactor(m_nRowsLeft);
  m_y.assign(m_nRows, 0);
  // Every row present: node i covers the lowbit(i) rows ending at i.
  // Nodes past the last row count as full so the descent never enters them.
  m_nTopBit = 1;
  while (m_nTopBit < m_nRows) m_nTopBit <<= 1;
  m_tree.resize(static_cast<std::size_t>(m_nTopBit) + 1);
  for (int i = 1; i <= m_nTopBit; ++i) m_tree[i] = i <= m_nRows ? i & -i : kPastEnd;
}

template <typename T>
void CPixelOrder::ResetEntries(std::vector<T>& entries) {
  for (std::size_t i = 0; i < entries.size(); i += m_nPerRow)
    for (int s = 0; s < m_nPerRow; ++s) entries[i + s] = static_cast<T>(s);
}

void CPixelOrder::Fill(int bStep1) {
  m_nStep = bStep1 ? 1 : 2;
  ResetEntries(m_narrow);
  ResetEntries(m_wide);
  // Rows already handed out are gone from the list; only those left count.
  int k = 0;
  for (int row = 0; row < m_nRows; ++row)
    if (m_count[row] > 0) m_y[row] = k++ * m_nStep;
}

std::size_t CPixelOrder::EntryBytes() const {
  return m_narrow.size() * sizeof(m_narrow[0]) + m_wide.size() * sizeof(m_wide[0]);
}

// The row of 0-based rank nRank among the rows present.
// The tree is padded to a power of two so the descent needs no bounds test,
// and it is written without branches: the ranks are random, so a branch on
// them would be mispredicted half the time.
int CPixelOrder::FindRow(int nRank) const {
  const std::int32_t* tree = m_tree.data();
  int pos = 0;
  for (int bit = m_nTopBit; bit != 0; bit >>= 1) {
    const int next = pos + bit;
    const int count = tree[next];
    const int take = -static_cast<int>(count <= nRank);  // all ones or zero
    pos += bit & take;
    nRank -= count & take;
  }
  return pos;
}

void CPixelOrder::RemoveRow(int nRow) {
  for (int i = nRow + 1; i <= m_nTopBit; i += i & -i) --m_tree[i];
}

// The drawn entry leaves; the row's last live entry moves into its slot.
template <typename T>
int CPixelOrder::TakeEntry(std::vector<T>& entries, int nRow, std::uint32_t& rand) {
  T* slots = entries.data() + static_cast<std::size_t>(nRow) * m_nPerRow;
  int& count = m_count[nRow];
  const int r = RandFrom(rand);
  const int s = m_entryFactor.empty() ? r % count : SmallModulo(r, count, m_entryFactor[count]);
  const int slot = slots[s];
  --count;
  slots[s] = slots[count];
  return slot;
}

void CPixelOrder::Take(int& x, int& y) {
  if (!m_bDone) Take(x, y, RandState());
}

void CPixelOrder::Take(int& x, int& y, std::uint32_t& rand) {
  if (m_bDone) return;
  const int r = RandFrom(rand);
  const int nRank = m_nRowsLeft <= kSmallModuloMaxDivisor ? SmallModulo(r, m_nRowsLeft, m_rowFactor) : r % m_nRowsLeft;
  // Rows leave only near the end of a picture, so most ranks lie below the
  // first gap, where rank and row are the same.
  const int row = nRank < m_nFirstGap ? nRank : FindRow(nRank);
  y = m_y[row];
  const int slot = m_narrow.empty() ? TakeEntry(m_wide, row, rand) : TakeEntry(m_narrow, row, rand);
  x = slot * m_nStep;
  --m_nRemaining;
  if (m_count[row] > 0) return;
  // The last row stays in the list; it only marks the list done.
  if (m_nRowsLeft == 1) {
    m_bDone = 1;
    return;
  }
  RemoveRow(row);
  if (row < m_nFirstGap) m_nFirstGap = row;
  --m_nRowsLeft;
  m_rowFactor = SmallModuloFactor(m_nRowsLeft);
}
