#pragma once

#include <cstdint>

#include "colour/colour.h"

// Turns what a curve learned about one pixel into its colour. The channel
// bytes of the derived classes are per-call scratch, so an object serves one
// thread at a time.
class CColourScheme {
 public:
  virtual ~CColourScheme() = default;
  // A point that did not escape, from the squared modulus of its last iterate.
  virtual COLORREF InsideColour(double dModulus) = 0;
  // A point that escaped after nCount iterations.
  virtual COLORREF CountColour(int nCount) = 0;
  // A point of a root-finding curve: steps taken, number of roots, root reached.
  virtual COLORREF RootColour(int nCount, int nRoots, int nRoot) = 0;
};

// Truncation toward zero that is defined for every double: values outside the
// int range (and NaN) give INT_MIN, which is what the x86 conversion yields.
int TruncToInt(double v);

// The fourteen strong colours of "Bold 1" to "Bold 6".
class CBoldScheme : public CColourScheme {
 public:
  COLORREF InsideColour(double dModulus) override;
  COLORREF RootColour(int nCount, int nRoots, int nRoot) override;

 protected:
  void SetBoldColour(int nIndex);

  std::uint8_t m_c0 = 0;
  std::uint8_t m_c1 = 0;
  std::uint8_t m_c2 = 0;
};

// The smooth 253-step cycle of the six gradient schemes; two Newton roots walk
// it in opposite directions.
class CGradientScheme : public CColourScheme {
 public:
  COLORREF InsideColour(double dModulus) override;
  COLORREF RootColour(int nCount, int nRoots, int nRoot) override;

 protected:
  void SetGradientColour(int nIndex);

  std::uint8_t m_c0 = 60;
  std::uint8_t m_c1 = 60;
  std::uint8_t m_c2 = 60;
};

class CRainbowScheme final : public CColourScheme {
 public:
  COLORREF InsideColour(double dModulus) override;
  COLORREF CountColour(int nCount) override;
  COLORREF RootColour(int nCount, int nRoots, int nRoot) override;
};

class CMonoScheme final : public CColourScheme {
 public:
  COLORREF InsideColour(double dModulus) override;
  COLORREF CountColour(int nCount) override;
  COLORREF RootColour(int nCount, int nRoots, int nRoot) override;
};

// Each concrete Bold and gradient class adds only the order in which its
// channel bytes go into red, green and blue.
class CBold1Scheme final : public CBoldScheme {
 public:
  COLORREF CountColour(int nCount) override;
};
class CBold2Scheme final : public CBoldScheme {
 public:
  COLORREF CountColour(int nCount) override;
};
class CBold3Scheme final : public CBoldScheme {
 public:
  COLORREF CountColour(int nCount) override;
};
class CBold4Scheme final : public CBoldScheme {
 public:
  COLORREF CountColour(int nCount) override;
};
class CBold5Scheme final : public CBoldScheme {
 public:
  COLORREF CountColour(int nCount) override;
};
class CBold6Scheme final : public CBoldScheme {
 public:
  COLORREF CountColour(int nCount) override;
};
class CFirestormScheme final : public CGradientScheme {
 public:
  COLORREF CountColour(int nCount) override;
};
class CValentineScheme final : public CGradientScheme {
 public:
  COLORREF CountColour(int nCount) override;
};
class CStormyNightScheme final : public CGradientScheme {
 public:
  COLORREF CountColour(int nCount) override;
};
class CRedPurpleScheme final : public CGradientScheme {
 public:
  COLORREF CountColour(int nCount) override;
};
class CGreenYellowScheme final : public CGradientScheme {
 public:
  COLORREF CountColour(int nCount) override;
};
class CBlueGreenScheme final : public CGradientScheme {
 public:
  COLORREF CountColour(int nCount) override;
};

// The channel-order counters of "Metallic" and "Aluminium Foils". Each slide
// show has its own pair, so its sequence of orders follows its own pictures
// alone, however many shows a process runs.
struct CSchemeVariants {
  std::int16_t nMetallic = 0;
  std::int16_t nAluminiumFoils = 0;
};

// "Aluminium Foils": an irregular 254-step cycle whose channel order moves on
// by one each time an object is destroyed, so that successive pictures differ.
class CAluminiumFoilsScheme final : public CColourScheme {
 public:
  explicit CAluminiumFoilsScheme(CSchemeVariants& variants)
      : s_nVariant(variants.nAluminiumFoils) {}
  ~CAluminiumFoilsScheme() override;
  COLORREF InsideColour(double dModulus) override;
  COLORREF CountColour(int nCount) override;
  COLORREF RootColour(int nCount, int nRoots, int nRoot) override;

  // The counter of the show this object colours for.
  std::int16_t& s_nVariant;

 private:
  std::uint8_t m_c0 = 60;
  std::uint8_t m_c1 = 60;
  std::uint8_t m_c2 = 60;
};

// "Metallic": the same idea on a cycle of its own, with its own counter.
class CMetallicScheme final : public CColourScheme {
 public:
  explicit CMetallicScheme(CSchemeVariants& variants) : s_nVariant(variants.nMetallic) {}
  ~CMetallicScheme() override;
  COLORREF InsideColour(double dModulus) override;
  COLORREF CountColour(int nCount) override;
  COLORREF RootColour(int nCount, int nRoots, int nRoot) override;

  // The counter of the show this object colours for.
  std::int16_t& s_nVariant;

 private:
  std::uint8_t m_c0 = 60;
  std::uint8_t m_c1 = 60;
  std::uint8_t m_c2 = 60;
};
