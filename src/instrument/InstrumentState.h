#pragma once
// What the workspace knows of the attached instrument, in one object without
// widgets: who is attached, the settings read from it, the display mode and
// the settings a comparison is judged against (MeasurementSession keeps the
// comparison in progress, the record lists name their rows). The
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
    // The display mode in force.
    DisplayMode displayMode = DisplayMode::HazeT;
    // The same as one flag per mode, exactly one set.
    DisplayFlags displayFlags() const { return displayFlagsOf(displayMode); }

    // The language the page speaks (some texts are chosen by it, not by the catalogue).
    bool chineseUi = false;

    bool isFirstGeneration() const { return isFirstGenerationColorimeter(modelName, softwareVersion); }
    Tolerances tolerances() const { return {hazeTolerance, transmittanceTolerance, deltaEThreshold}; }

    // The settings a comparison made now is judged against: the current
    // layout's tolerances, formula, display mode and layout, or the legacy
    // layout's formula and threshold; with the formula and threshold as
    // shown beside the table. The one place settings are filled: live,
    // pushed, imported and re-judged comparisons and the command line.
    ComparisonSettings judgingSettings(bool legacy, const QString& formulaText, const QString& thresholdText) const
    {
        ComparisonSettings s;
        s.deltaEThreshold = deltaEThreshold;
        s.formulaCode = deltaEFormulaIndex;
        s.formulaText = formulaText;
        if (legacy) {
            s.thresholdText = thresholdText;
            return s;
        }
        s.hazeTolerance = hazeTolerance;
        s.transmittanceTolerance = transmittanceTolerance;
        s.parameterThreshold = parameterThreshold;
        s.displayMode = displayMode;
        s.layoutIndex = layoutIndex;
        return s;
    }
};
