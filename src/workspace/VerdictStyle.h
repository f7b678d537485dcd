#pragma once
// How the page shows a verdict and a measured colour: the style sheet of the
// result label, the background of the verdict cell in the comparison tables,
// the style sheet of a swatch in the instrument's RGB colour.

#include "Judgement.h"

#include <QString>
#include <QtGlobal>

// Style of the result label showing the verdict.
QString verdictLabelStyle(Verdict verdict);
// Background of the verdict cell in the comparison table.
Qt::GlobalColor verdictCellColor(Verdict verdict);
// Style sheet of a swatch showing the instrument's RGB colour unchanged.
QString swatchStyleSheet(int red, int green, int blue);
