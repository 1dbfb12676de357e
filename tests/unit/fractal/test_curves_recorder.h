#pragma once

#include <cstdint>
#include <cstring>

#include "colour/colour_scheme.h"

// Records what a curve asked of its scheme, and folds every call into a
// 64-bit FNV-1a hash (arguments byte for byte, doubles by their bits) so that
// whole pictures can be compared bit for bit.
class CRecordingScheme final : public CColourScheme {
 public:
  enum class Op { None, Inside, Count, Root };

  COLORREF InsideColour(double dModulus) override {
    Note(Op::Inside);
    m_dModulus = dModulus;
    Mix('I');
    Mix(&dModulus, sizeof dModulus);
    return 1;
  }
  COLORREF CountColour(int nCount) override {
    Note(Op::Count);
    m_nCount = nCount;
    Mix('C');
    Mix(&nCount, sizeof nCount);
    return 2;
  }
  COLORREF RootColour(int nCount, int nRoots, int nRoot) override {
    Note(Op::Root);
    m_nCount = nCount;
    m_nRoots = nRoots;
    m_nRoot = nRoot;
    const std::int32_t args[3] = {nCount, nRoots, nRoot};
    Mix('R');
    Mix(args, sizeof args);
    return 3;
  }

  void Mix(unsigned char c) {
    m_hash ^= c;
    m_hash *= 0x100000001b3ull;
  }
  // Little-endian byte order, as on every target.
  void Mix(const void* p, std::size_t n) {
    const auto* bytes = static_cast<const unsigned char*>(p);
    for (std::size_t i = 0; i < n; ++i) Mix(bytes[i]);
  }

  Op m_op = Op::None;
  int m_nCalls = 0;
  double m_dModulus = -1.0;
  int m_nCount = -1;
  int m_nRoots = -1;
  int m_nRoot = -1;
  std::uint64_t m_hash = 0xcbf29ce484222325ull;

 private:
  void Note(Op op) {
    m_op = op;
    ++m_nCalls;
  }
};
