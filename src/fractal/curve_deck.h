#pragma once

#include <atomic>
#include <memory>
#include <vector>

class CCurve;
struct CSettings;

// The curves still to be shown: each curve leaves the deck when dealt and the
// deck is refilled from the catalogue only when empty, so every admitted entry
// is shown once before any is shown again. Curves it makes test bRunning.
class CCurveDeck {
 public:
  CCurveDeck(const CSettings& settings, const std::atomic<int>& bRunning);
  ~CCurveDeck();
  CCurveDeck(const CCurveDeck&) = delete;
  CCurveDeck& operator=(const CCurveDeck&) = delete;

  // Appends the catalogue's curves of the settings' types within their limits.
  void Fill();
  // Appends one curve (a list of one's own instead of the catalogue).
  void Add(std::unique_ptr<CCurve> pCurve);
  void Clear();

  // A random curve, after a refill when empty; the default curve when the
  // catalogue gives none; null only when out of memory.
  std::unique_ptr<CCurve> Deal();
  // Curve n, counted from the head; null when there is no such curve.
  std::unique_ptr<CCurve> Take(int n);

  // Where the curve of that type and catalogue row is; -1 when not here.
  int Find(int nTypeBit, int nRow) const;
  const std::vector<std::unique_ptr<CCurve>>& Curves() const { return m_curves; }

 private:
  const CSettings& m_settings;
  const std::atomic<int>& m_bRunning;
  std::vector<std::unique_ptr<CCurve>> m_curves;
};
