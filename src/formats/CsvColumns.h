#pragma once
// The columns of the comparison and spectral tables, shared by the CSV
// writer and reader so that what one writes the other recognises.

#include "DisplayMode.h"
#include "Exchange.h"

#include <QList>
#include <QString>

namespace formats::csv {

constexpr const char* kPage = "FirstPageFor310";
constexpr const char* kColorimeter = "Colorimeter";
constexpr const char* kSpectralPage = "MeterPageFor310";

// Text a spreadsheet would run: a formula character first, possibly after
// apostrophes (which then need one more, so the reader's single strip is exact).
bool needsGuard(const QString& text);

enum class Field {
    Sequence,
    Model,
    Serial,
    Name,
    Time,
    Standard,
    Sample,
    HazeTolerance,
    TransmittanceTolerance,
    DeltaEThreshold,
    HazeDifference,
    TransmittanceDifference,
    DeltaE,
    Result,
    LegacyStandard,
    LegacySample,
    Formula,
    Threshold,
    // Appended when records were judged against a library standard.
    LibraryStandard,
    StandardVersion,
    Warning,
    DecidedBy,
    // Several readings per specimen: n of each side, and the spread of a
    // value (index; legacy: of the legacy values) as its title's "SD" and "range".
    StandardCount,
    SampleCount,
    StandardDeviation,
    SampleDeviation,
    StandardRange,
    SampleRange,
    LegacyStandardDeviation,
    LegacySampleDeviation,
    LegacyStandardRange,
    LegacySampleRange,
};

struct Column
{
    const char* context;
    const char* title;
    Field field;
    int index = 0;                 // of a value: into standard or sample
    const char* chinese = nullptr; // legacy titles only
};

using R = ComparisonRecord;

QList<Column> currentColumns(DisplayMode displayMode);
// The legacy layout's block, titled in the interface language without the
// catalogue, as its spreadsheet export is.
QList<Column> legacyColumns();
// The four columns after a table's own when its records were judged against
// library standards: the standard's name and version, the warning, the limit
// that decided or warned. Legacy titles follow the legacy block's language.
QList<Column> libraryColumns(bool legacy);
// Whether a table of these records carries the library columns.
bool judgedWithLibrary(const QList<ComparisonRecord>& records);
// The columns of n and the spread, after those of the table, when a record
// was read several times: n of the standard and the sample, then the SD and
// range of every value the table's columns show.
QList<Column> readingsColumns(const QList<Column>& tableColumns);
QString titleOf(const Column& column, bool chineseUi);
// The title untranslated (the English a file may carry).
QString englishTitleOf(const Column& column);
QString spectralTitle(int k);

} // namespace formats::csv
