#pragma once

// The iteration limits of the settings ("MinIterations", "MaxIterations",
// "ExcludeCurves"), applied to a catalogue entry's proposed count. All
// comparisons are signed, so hand-edited negative limits act as numbers.

// False when "Exclude" rejects the entry; otherwise the count may be lowered.
bool ApplyMaxIterations(int& nIterations);
// Raises the count to the minimum, if one is set.
void ApplyMinIterations(int& nIterations);
// The maximum, then (when it accepts) the minimum.
bool LimitIterations(int& nIterations);

// The escape threshold of a new catalogue curve: one random draw.
double DrawThreshold(int nBase);
