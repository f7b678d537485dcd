#pragma once
#include "Colorimetry.h"

#include <QString>
#include <optional>

// The seven colour-difference formulas the instruments offer.
enum class DeltaEFormula {
    CieAb,   // delta-E*ab, CIE 1976
    CieUv,   // delta-E*uv, CIE 1976 L*u*v*
    Cie94,   // delta-E*94
    Cmc2To1, // CMC(2:1)
    Cmc1To1, // CMC(1:1)
    Cmc14To1, // CMC(1.4:1)
    Cie2000, // CIEDE2000
};

// The instrument's formula code: codes 5 and 6 swap meaning between the
// generations (isFirstGenerationColorimeter, src/instrument, tells them
// apart); nothing above 6 names a formula.
std::optional<DeltaEFormula> formulaFromCode(int code, bool firstGeneration);
// The code as stored after reading it: a first-generation colorimeter that
// reports a code above 5 is taken to mean code 0.
int formulaCodeAsRead(int code, bool firstGeneration);

// Translated name of a formula, beginning with U+25B3 ("△E*ab").
QString formulaText(DeltaEFormula formula);

// Delta-E between a standard (first) and a sample (second).
double deltaE(DeltaEFormula formula, const LabColor& standard, const LabColor& sample);
