#pragma once

#include <memory>

#include "app/random.h"

// The pixel order in its classic form, kept as the yardstick for ours: a
// doubly linked list of rows, walked from the head for every position.
// The test suite checks that both hand out the same sequence.
class CLiteralPixelOrder {
 public:
  CLiteralPixelOrder(int nPerRow, int nRows) : m_nPerRow(nPerRow) {
    for (int i = 0; i < nRows; ++i) {
      Row* row = new Row;
      row->x = std::make_unique<int[]>(nPerRow);
      for (int s = 0; s < nPerRow; ++s) row->x[s] = s;
      row->count = nPerRow;
      row->previous = m_pTail;
      (m_pTail ? m_pTail->next : m_pHead) = row;
      m_pTail = row;
    }
    m_nRowsLeft = nRows;
    m_bDone = nRows <= 0 || nPerRow <= 0;
  }
  ~CLiteralPixelOrder() {
    while (m_pHead) {
      Row* next = m_pHead->next;
      delete m_pHead;
      m_pHead = next;
    }
  }
  CLiteralPixelOrder(const CLiteralPixelOrder&) = delete;
  CLiteralPixelOrder& operator=(const CLiteralPixelOrder&) = delete;

  void Fill(int bStep1) {
    const int step = bStep1 ? 1 : 2;
    int k = 0;
    for (Row* row = m_pHead; row; row = row->next, ++k) {
      row->y = k * step;
      for (int s = 0; s < m_nPerRow; ++s) row->x[s] = s * step;
    }
  }

  void Take(int& x, int& y) {
    Row* row = m_pHead;
    for (int r = Rand() % m_nRowsLeft; r > 0; --r) row = row->next;
    y = row->y;
    const int s = Rand() % row->count;
    x = row->x[s];
    --row->count;
    row->x[s] = row->x[row->count];
    if (row->count == 0) row->empty = 1;
    if (!row->empty) return;
    if (row == m_pHead && row == m_pTail) {
      m_bDone = 1;
      return;
    }
    (row->previous ? row->previous->next : m_pHead) = row->next;
    (row->next ? row->next->previous : m_pTail) = row->previous;
    delete row;
    --m_nRowsLeft;
  }

  bool done() const { return m_bDone != 0; }

 private:
  struct Row {
    int y = 0;
    std::unique_ptr<int[]> x;
    int count = 0;
    Row* next = nullptr;
    Row* previous = nullptr;
    int empty = 0;
  };
  int m_nPerRow;
  Row* m_pHead = nullptr;
  Row* m_pTail = nullptr;
  int m_nRowsLeft = 0;
  int m_bDone = 0;
};
