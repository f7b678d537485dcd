#pragma once
// How the page shows a verdict and a measured colour: the style sheet of the
// result label, the background of the verdict cell in the comparison tables,
// the style sheet of a swatch in the instrument's RGB colour.

#include "Judgement.h"

#include <QColor>
#include <QString>
#include <QtGlobal>

// Style of the result label showing the verdict; a PASS with a warning
// (a value beyond the warning band of a library standard's set) in amber.
QString verdictLabelStyle(Verdict verdict, bool warning = false);
// Background of the verdict cell in the comparison table (white text on it).
QColor verdictCellColor(Verdict verdict, bool warning = false);
// Style sheet of a swatch showing the instrument's RGB colour unchanged.
QString swatchStyleSheet(int red, int green, int blue);
