#pragma once
// What the workspace knows of the attached instrument and of the comparison
// in progress, in one object without widgets: who is attached, the settings
// read from it, the display mode, and where the next measurement goes. The
// page keeps one and hands it to what needs it; a program without a window
// can keep one just the same.

#include "ComparisonJudging.h"
#include "DeltaE.h"
#include "InstrumentGeneration.h"
#include "Judgement.h"

#include <QString>

struct InstrumentState
{
    // Who is attached (identification).
    QString modelName;
    int softwareVersion = 0; // hundredths: 106 is 1.06
    int layoutIndex = 0;     // the model table's UIIndex
    QString serialNumberText;

    // Settings read from the instrument; -1 until read.
    double hazeTolerance = -1.0;
    double transmittanceTolerance = -1.0;
    double deltaEThreshold = -1.0;
    int deltaEFormulaIndex = 0;       // formula 0 until read
    double parameterThreshold = -1.0; // the threshold stored with the formula (layout 1)
    // One flag per display mode; exactly one is set once a mode is known.
    DisplayFlags displayFlags = displayFlagsFor(0);

    // The comparison in progress.
    int nextMeasurement = 1; // 1: a standard comes next, 2: a sample
    bool standardTaken = false;

    // The language the page speaks (some texts are chosen by it, not by the catalogue).
    bool chineseUi = false;

    // The display mode in force (0 Haze/T ... 6 Haze/T/Lab), -1 for none.
    int displayMode() const { return displayModeOf(displayFlags); }
    bool isFirstGeneration() const { return isFirstGenerationColorimeter(modelName, softwareVersion); }
    Tolerances tolerances() const { return {hazeTolerance, transmittanceTolerance, deltaEThreshold}; }
};
