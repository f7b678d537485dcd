#pragma once
// Which colour-difference formula a comparison uses, by the table it belongs
// to: a first-generation colorimeter's (legacy) record follows the stored
// code with that generation's code table; in the current layout only the
// colorimeter variant (layoutIndex 1) follows the stored code, every other
// variant uses delta-E*ab.

#include "DeltaE.h"

#include <optional>

// No value means a legacy record holds an unknown code.
std::optional<DeltaEFormula> comparisonFormula(bool legacy, int layoutIndex, int formulaCode);
// Delta-E of a comparison under comparisonFormula; -1 when a legacy record
// holds an unknown code (the current layout keeps delta-E*ab then).
double comparisonDeltaE(bool legacy, int layoutIndex, int formulaCode, const LabColor& standard,
                        const LabColor& sample);
