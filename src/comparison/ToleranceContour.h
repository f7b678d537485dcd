#pragma once
// Where a sample of the standard's lightness reaches the threshold: the
// contour ΔE(standard, standard + (Δa*, Δb*)) = threshold in the a*b* plane,
// found along each direction by bisection, so it holds for every formula
// (a circle for ΔE*ab, an ellipse-like shape for CMC, ΔE*94 and ΔE*00).

#include "ComparisonRecord.h"
#include "DeltaE.h"

#include <optional>
#include <utility>
#include <vector>

// The formula a record was judged with; none for an unknown legacy code.
std::optional<DeltaEFormula> recordFormula(const ComparisonRecord& record);

// The standard's L*a*b* of a record (either layout).
LabColor recordStandardLab(const ComparisonRecord& record);

// (Δa*, Δb*) points of the closed contour, steps directions; empty for a
// negative threshold.
std::vector<std::pair<double, double>> toleranceContour(DeltaEFormula formula, const LabColor& standard,
                                                        double threshold, int steps = 120);
