#pragma once
// The report snapshot of one comparison-table row, taken from the texts of its
// cells: 36 columns in the current layout, 21 in the legacy layout (the button
// columns are empty texts). Percent signs are dropped before numbers are read.

#include "ComparisonRecord.h"
#include "ReportSnapshot.h"
#include "TestInformation.h"

#include <QStringList>

#include <array>

class QTableWidget;

// The texts of row's cells; a cell without an item gives an empty text.
QStringList rowTexts(const QTableWidget& table, int row);

// The current layout's row: the formula comes from the shown formula field and
// the display flags from the page.
ReportSnapshot snapshotFromCurrentRow(const QStringList& cells, const QString& formulaText,
                                      const std::array<bool, 7>& displayFlags,
                                      const TestInformation& information);

// The legacy layout's row (L*, a*, b*, C*, h of standard and sample).
ReportSnapshot snapshotFromLegacyRow(const QStringList& cells, const TestInformation& information);

// The snapshot of one record, with the numbers as its table row shows them:
// the current layout's with the display mode and formula the record was
// judged under, the legacy layout's with its own formula and threshold texts.
ReportSnapshot snapshotFromRecord(const ComparisonRecord& record, const TestInformation& information);
