#include "fractal/curve_deck.h"

#include "app/random.h"
#include "fractal/catalogue.h"
#include "fractal/curve.h"

namespace {

// Shown when the catalogue yields nothing; the limits do not apply to it.
std::unique_ptr<CCurve> NewDefaultCurve() {
  return MakeCurve<CMandelbrotCurve>({-1.35, 2.65, -1.5, 1.5, 100, 4, 0, 0, 0});
}

}  // namespace

CCurveDeck::CCurveDeck(const CSettings& settings, const std::atomic<int>& bRunning)
    : m_settings(settings), m_bRunning(bRunning) {}

CCurveDeck::~CCurveDeck() = default;

void CCurveDeck::Fill() {
  for (std::unique_ptr<CCurve>& pCurve : BuildCatalogueCurves(m_settings, m_bRunning))
    m_curves.push_back(std::move(pCurve));
}

void CCurveDeck::Add(std::unique_ptr<CCurve> pCurve) {
  if (pCurve) m_curves.push_back(std::move(pCurve));
}

void CCurveDeck::Clear() { std::vector<std::unique_ptr<CCurve>>().swap(m_curves); }

std::unique_ptr<CCurve> CCurveDeck::Deal() {
  if (m_curves.empty()) Fill();
  if (m_curves.empty()) {
    std::unique_ptr<CCurve> pDefault = NewDefaultCurve();
    if (!pDefault) return nullptr;
    pDefault->m_pRunning = &m_bRunning;
    m_curves.push_back(std::move(pDefault));
  }
  return Take(Rand() % static_cast<int>(m_curves.size()));
}

std::unique_ptr<CCurve> CCurveDeck::Take(int n) {
  if (n < 0 || n >= static_cast<int>(m_curves.size()) || !m_curves[n]) return nullptr;
  std::unique_ptr<CCurve> pCurve = std::move(m_curves[n]);
  m_curves.erase(m_curves.begin() + n);
  // The storage goes with the last curve, as a list's last node would.
  if (m_curves.empty()) Clear();
  return pCurve;
}

int CCurveDeck::Find(int nTypeBit, int nRow) const {
  for (std::size_t i = 0; i < m_curves.size(); ++i)
    if (m_curves[i]->m_nTypeBit == nTypeBit && m_curves[i]->m_nRow == nRow) return static_cast<int>(i);
  return -1;
}
