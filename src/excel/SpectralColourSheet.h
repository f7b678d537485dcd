#pragma once
// The colour sheet of the spectral workbook: the illuminant, observer and
// weights named at the top, then for every curve X Y Z, L* a* b*, C* h, x y,
// E313 yellowness and CIE whiteness and tint with a flag for each index
// outside the specimens its standard admits. Numbers as plain number texts
// (addSheetAfterFirst writes them as numbers); a dash where an index has no
// value (a black).

#include "CurveColour.h"
#include "SpectralRecord.h"

#include <QList>
#include <QStringList>

// The sheet's name in the workbook.
QString spectralColourSheetName();

// Unnamed curves are called "spec1", "spec2", … as the spectral table numbers them.
QList<QStringList> spectralColourRows(const QList<NamedSpectrum>& spectra,
                                      const colorimetry::ColourConditions& conditions);

// The row of headings (No, Name, X, …) is this row of spectralColourRows().
inline constexpr int kSpectralColourHeadingRow = 6;
