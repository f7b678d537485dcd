#pragma once
// Standards to and from files: CSV for bulk edits in a spreadsheet (every
// field, the tolerance set as its LIST text), CGATS and CxF3 (names, L*a*b*
// and spectra), and the instrument's standard-colour workbook (names and
// L*a*b*). Readers are strict and name the line or row at fault.
//
// The CSV's header row is
//   name,code,L,a,b,haze,t,tolerance,warn,shared_set,note
// optionally followed by the 31 spectral columns s400 … s700. An empty number
// is a value the standard does not have; tolerance is a LIST
// ("dE00<=1,dL=-0.8..0.8"), shared_set the name of a shared set instead.

#include "Standard.h"

#include <QByteArrayView>
#include <QIODevice>
#include <QList>
#include <QString>

#include <optional>

class StandardLibrary;

namespace StandardFiles {

enum class Kind { Csv, Cgats, Cxf, Workbook };
// By the name's suffix: .csv, .ti3 or .txt, .cxf, .xlsx; nothing otherwise.
std::optional<Kind> kindOf(const QString& path);

struct Imported
{
    Standard standard;
    // CSV: the standard's own set as written (empty: none); other files
    // carry no tolerances (nothing: an existing standard keeps its set).
    std::optional<LibraryToleranceSet> ownSet;
    QString sharedSetName;
};

struct ReadResult
{
    QList<Imported> standards;
    QString error; // empty when read; else translated, naming the line
    bool ok() const { return error.isEmpty(); }
};

ReadResult readCsv(QByteArrayView bytes);
// Any of the kinds, by the name's suffix.
ReadResult readFile(const QString& path);

// The standards with their current sets (shared ones by name).
bool writeCsv(const QList<Standard>& standards, const StandardLibrary& library, QIODevice& device,
              QString* error = nullptr);
// By the name's suffix. CGATS and CxF3 take the standards that have L*a*b*;
// the workbook is made for modelName (its first row) as one card.
bool writeFile(const QList<Standard>& standards, const StandardLibrary& library, const QString& path,
               const QString& modelName, QString* error = nullptr);

struct ImportCount
{
    int added = 0;
    int edited = 0;
    int unchanged = 0;
};
// Takes what was read into the library: a new name is added, a known name
// (case-insensitive) gets a new version only when something changed. Stops
// at the first refusal, with the library's reason naming the standard.
bool importInto(StandardLibrary& library, const QList<Imported>& standards, ImportCount& count,
                QString* error = nullptr);

} // namespace StandardFiles
