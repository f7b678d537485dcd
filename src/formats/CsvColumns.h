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
QString titleOf(const Column& column, bool chineseUi);
QString spectralTitle(int k);

} // namespace formats::csv
