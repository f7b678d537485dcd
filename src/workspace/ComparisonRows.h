#pragma once
// The texts of one comparison-table row, and the verdict kept as data on the
// verdict cell (the cell shows the translated "PASS" or "NG"; decisions read
// the data, so a language switch cannot change them).

#include "ComparisonResult.h"

#include <QStringList>
#include <Qt>

class QTableWidget;

namespace ComparisonRows {

// Current table: 36 columns; 29 and 30 (the buttons) are empty.
constexpr int kCurrentColumns = 36;
constexpr int kCurrentVerdictColumn = 28;
constexpr int kCurrentDeleteColumn = 29;
constexpr int kCurrentReportColumn = 30;
constexpr int kCurrentCentredLast = 28;
// Legacy table: 21 columns; 15 and 16 (the buttons) are empty.
constexpr int kLegacyColumns = 21;
constexpr int kLegacyVerdictColumn = 14;
constexpr int kLegacyDeleteColumn = 15;
constexpr int kLegacyReportColumn = 16;
constexpr int kLegacyCentredLast = 14;

// On the verdict cell: true for PASS, false for NG.
constexpr int kPassRole = Qt::UserRole + 1;

QStringList currentRowTexts(const ComparisonResult& result);
QStringList legacyRowTexts(const ComparisonResult& result);

// NO: the count after this row, general format with up to 6 significant digits.
QString sequenceText(double sequence);

// The verdict of a row from the data on its verdict cell; rows without that
// data (older journals) fall back to comparing the text with the translated "NG".
bool rowPasses(const QTableWidget& table, int row, int verdictColumn);

} // namespace ComparisonRows
