#include "ComparisonFormula.h"

std::optional<DeltaEFormula> comparisonFormula(bool legacy, int layoutIndex, int formulaCode)
{
    if (legacy) {
        return formulaFromCode(formulaCode, true);
    }
    if (layoutIndex != 1) {
        return DeltaEFormula::CieAb;
    }
    return formulaFromCode(formulaCode, false).value_or(DeltaEFormula::CieAb);
}

double comparisonDeltaE(bool legacy, int layoutIndex, int formulaCode, const LabColor& standard,
                        const LabColor& sample)
{
    const std::optional<DeltaEFormula> formula = comparisonFormula(legacy, layoutIndex, formulaCode);
    return formula ? deltaE(*formula, standard, sample) : -1.0;
}
