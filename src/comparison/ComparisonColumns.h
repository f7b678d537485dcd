#pragma once
// The two column mappings of a comparison record, defined once: the current
// 36-column table and the legacy 21-column one (first-generation
// colorimeters). Every table, the export and the report take a record's cell
// texts and shown numbers from here.
//
// Current: 0 NO, 1 name, 2 time, 3-13 standard (haze, T, L* a* b*, L* C* h,
// Y x y), 14-24 sample, 25 haze difference, 26 T difference, 27 delta-E,
// 28 verdict, 29-30 the row buttons, 31-35 hidden: haze tolerance,
// T tolerance, delta-E threshold, model, serial number.
// Legacy: 0 NO, 1 name, 2 time, 3-7 standard L* a* b* C* h, 8-12 sample,
// 13 delta-E, 14 verdict, 15-16 the row buttons, 17-20 hidden: formula,
// threshold, model, serial number.

#include "ComparisonRecord.h"

#include <QStringList>
#include <Qt>

#include <optional>

namespace ComparisonColumns {

enum class Layout { Current, Legacy };

constexpr int kCurrentColumns = 36;
constexpr int kCurrentVerdictColumn = 28;
constexpr int kCurrentDeleteColumn = 29;
constexpr int kCurrentReportColumn = 30;
constexpr int kCurrentCentredLast = 28;
constexpr int kCurrentFirstHidden = 31;
constexpr int kLegacyColumns = 21;
constexpr int kLegacyVerdictColumn = 14;
constexpr int kLegacyDeleteColumn = 15;
constexpr int kLegacyReportColumn = 16;
constexpr int kLegacyCentredLast = 14;
constexpr int kLegacyFirstHidden = 17;
constexpr int kTestNameColumn = 1;

// On the verdict cell of a table: true for PASS, false for NG.
constexpr int kPassRole = Qt::UserRole + 1;

int columnCount(Layout layout);
int verdictColumn(Layout layout);
int deleteColumn(Layout layout);
int centredLast(Layout layout);
int firstHiddenColumn(Layout layout);
inline Layout layoutOf(const ComparisonRecord& record) { return record.legacy ? Layout::Legacy : Layout::Current; }

// What a numeric cell shows for a value that is not known (NaN: the haze of a
// standard taken from a colour file, a value a file or the station did not
// carry): the dashes of the live display, never a made-up 0 beside its
// verdict. Measured comparisons carry every value. Reads back as not known.
inline constexpr QLatin1String kUnknownText("-----");

// The decimals a table shows of a record's value (an index into standard or
// sample) and of a legacy record's value: what every export of them keeps.
int valueDecimals(int index);
int legacyValueDecimals(int index);
// The decimals the live display shows a measured value with, and so the
// rounding every comparison is made of (the legacy display shows h with two
// decimals, its table with one).
int liveDecimals(Layout layout, int index);
// A value as the live display shows it: its decimals, "%" after haze and
// transmittance; dashes for a value not known.
QString liveValueText(Layout layout, int index, double value);

// NO: the count after this row, general format with up to 6 significant digits.
QString sequenceText(double sequence);
QString timeText(const QDateTime& time);

// The text of one cell (empty for the button columns and columns beyond).
QString cellText(Layout layout, const ComparisonRecord& record, int column);
QStringList rowTexts(Layout layout, const ComparisonRecord& record);

// The number a numeric cell shows, as it reads back from its text (so with
// the cell's rounding); NaN for a value not known; nothing for a column that
// holds no number.
std::optional<double> shownNumber(Layout layout, const ComparisonRecord& record, int column);

// The columns that hold a standard's (sample's) first value.
constexpr int kCurrentStandardFirst = 3;
constexpr int kCurrentSampleFirst = 14;
constexpr int kLegacyStandardFirst = 3;
constexpr int kLegacySampleFirst = 8;

// A record from the texts of a row as the tables have always shown them:
// what reading a journal of shown rows back needs, and nothing else.
ComparisonRecord recordFromTexts(Layout layout, const QStringList& texts, bool pass);

} // namespace ComparisonColumns
