#pragma once

#include <atomic>
#include <memory>
#include <vector>

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

// The catalogue curves of the types in the "CurveType" mask within the
// iteration limits, in catalogue order, each testing bRunning.
std::vector<std::unique_ptr<CCurve>> BuildCatalogueCurves(const CSettings& settings,
                                                          const std::atomic<int>& bRunning);

// Takes curve n out of the list; null when there is no such curve.
std::unique_ptr<CCurve> TakeCurveFrom(std::vector<std::unique_ptr<CCurve>>& curves, int n);

// Takes a random curve out of the list, or the default curve when the list is
// empty; null only when that cannot be made.
std::unique_ptr<CCurve> ChooseCurveFrom(std::vector<std::unique_ptr<CCurve>>& curves,
                                        const std::atomic<int>& bRunning);
