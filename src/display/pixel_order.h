#pragma once

#include <cstdint>
#include <vector>

// The random order in which one picture's positions are drawn (and, for the
// dissolve, erased): a list of rows, each holding the x positions it has not
// handed out yet. Take draws a row uniformly among the rows left, then a
// position uniformly within that row, so rows finish at random moments.
//
// The classic form walks a linked list of rows to find the drawn one, which
// costs up to one step per row left for every position. Here the rows still
// present are counted in a Fenwick tree, so the r-th of them is found in
// O(log rows) while their relative order (and hence the sequence handed out
// for a given random stream) stays exactly that of the list; below the first
// row gone, where most ranks fall, rank and row coincide. Entries hold
// slot numbers, not coordinates: x is slot x step, which keeps them at two
// bytes whenever a row has at most 65536 positions, whatever the step.
class CPixelOrder {
 public:
  // A list that has no rows or no positions per row is done at once.
  CPixelOrder(int nPerRow, int nRows);
  virtual ~CPixelOrder() = default;
  CPixelOrder(const CPixelOrder&) = delete;
  CPixelOrder& operator=(const CPixelOrder&) = delete;

  // Step 1 when bStep1 is non-zero, else 2: the k-th row still present gets
  // y = k x step and its positions become 0, step, 2 x step, ...
  void Fill(int bStep1);

  // Hands out one position, drawing two numbers from Rand(): the row first,
  // then the entry. Once done, it draws nothing and leaves x and y alone.
  void Take(int& x, int& y);
  // The same on the calling thread's state, looked up once for many takes.
  void Take(int& x, int& y, std::uint32_t& rand);

  bool done() const { return m_bDone != 0; }
  // Positions not yet handed out.
  std::int64_t Remaining() const { return m_nRemaining; }
  // Heap bytes held for the positions themselves (not the per-row data).
  std::size_t EntryBytes() const;

 private:
  int FindRow(int nRank) const;
  void RemoveRow(int nRow);
  template <typename T>
  int TakeEntry(std::vector<T>& entries, int nRow, std::uint32_t& rand);
  template <typename T>
  void ResetEntries(std::vector<T>& entries);

  int m_nPerRow;
  int m_nRows;
  int m_nRowsLeft;
  int m_nFirstGap;  // the lowest row gone from the list, or m_nRows
  int m_nStep = 1;
  int m_bDone = 0;
  std::int64_t m_nRemaining;
  int m_nTopBit = 0;                 // rows rounded up to a power of two
  std::vector<std::int32_t> m_tree;  // Fenwick tree of rows present, 1-based
  std::vector<std::int32_t> m_count;
  std::vector<std::uint64_t> m_entryFactor;  // by entries left, for SmallModulo
  std::uint64_t m_rowFactor = 0;             // for m_nRowsLeft
  std::vector<std::int32_t> m_y;
  std::vector<std::uint16_t> m_narrow;  // entries when a row fits 16 bits
  std::vector<std::uint32_t> m_wide;
};
