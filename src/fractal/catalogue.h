#pragma once

#include <atomic>
#include <memory>
#include <new>
#include <vector>

#include "fractal/catalogue_data.h"

class CCurve;
struct CSettings;

// The iteration limits of the settings ("MinIterations", "MaxIterations",
// "ExcludeCurves"), applied to a catalogue entry's proposed count. All
// comparisons are signed, so hand-edited negative limits act as numbers.

// False when "Exclude" rejects the entry; otherwise the count may be lowered.
bool ApplyMaxIterations(const CSettings& settings, int& nIterations);
// Raises the count to the minimum, if one is set.
void ApplyMinIterations(const CSettings& settings, int& nIterations);
// The maximum, then (when it accepts) the minimum.
bool LimitIterations(const CSettings& settings, int& nIterations);

// The escape threshold of a new catalogue curve: one random draw.
double DrawThreshold(int nBase);

// What a new curve is made with; its escape threshold is still to be drawn.
struct CurveArgs {
  double x0, x1, y0, y1;
  int nIterations;
  int nThresholdBase;
  double a, b;
  int nRow;
};

// A new curve, null when out of memory. The threshold is drawn after the
// allocation succeeded, so a failed allocation consumes no draw.
using CurveFactory = std::unique_ptr<CCurve> (*)(const CurveArgs& args);

template <class T>
std::unique_ptr<CCurve> MakeCurve(const CurveArgs& c) {
  void* pMemory = ::operator new(sizeof(T), std::nothrow);
  if (pMemory == nullptr) return nullptr;
  const double dBailout = DrawThreshold(c.nThresholdBase);
  return std::unique_ptr<CCurve>(
      new (pMemory) T(c.x0, c.x1, c.y0, c.y1, c.nIterations, dBailout, c.a, c.b, c.nRow));
}

// One build of the catalogue: the settings' limits and the list it fills.
class CCatalogueBuild {
 public:
  CCatalogueBuild(const CSettings& settings, const std::atomic<int>& bRunning,
                  std::vector<std::unique_ptr<CCurve>>& curves)
      : m_settings(settings), m_bRunning(bRunning), m_curves(curves) {}

  const CSettings& Settings() const { return m_settings; }
  // Appends a curve testing the build's flag; nothing when out of memory.
  void Append(CurveFactory pfnMake, const CurveArgs& args);

 private:
  const CSettings& m_settings;
  const std::atomic<int>& m_bRunning;
  std::vector<std::unique_ptr<CCurve>>& m_curves;
};

// The entries of one table within the limits, numbered from 1 in table order.
template <const auto& kTable, bool bRaiseToMinimum>
void AddTableCurves(CCatalogueBuild& build, CurveFactory pfnMake) {
  int nRow = 0;
  for (const catalogue::Entry& e : kTable) {
    ++nRow;
    int n = e.nIterations;
    const bool bAdmitted = bRaiseToMinimum ? LimitIterations(build.Settings(), n)
                                           : ApplyMaxIterations(build.Settings(), n);
    if (bAdmitted) build.Append(pfnMake, {e.x0, e.x1, e.y0, e.y1, n, e.nThresholdBase, e.a, e.b, nRow});
  }
}

// All Newton curves share one limited count; the draws alternate between the
// constant term and the threshold.
void AddNewtonCurves(CCatalogueBuild& build, CurveFactory pfnMake);

// The catalogue curves of the types in the "CurveType" mask within the
// iteration limits, in catalogue order, each testing bRunning.
std::vector<std::unique_ptr<CCurve>> BuildCatalogueCurves(const CSettings& settings,
                                                          const std::atomic<int>& bRunning);

