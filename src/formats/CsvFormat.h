#pragma once
// Comma-separated values as RFC 4180 has them, for spreadsheets, laboratory
// systems and scripts: UTF-8 with a byte-order mark (so spreadsheet programs
// show Chinese names), comma separator, CRLF line ends, one header row with
// the table's column titles, numbers in the C locale with the decimals the
// table shows. A text cell that a spreadsheet would run as a formula (one
// starting with =, +, @, a tab or a carriage return) gets a leading
// apostrophe; so does one that already starts with apostrophes before such a
// character, so the reader can take exactly one off again. Numbers, negative
// ones included, are never altered.

#include "DisplayMode.h"
#include "Exchange.h"

#include <QIODevice>
#include <QStringList>

#include <memory>

namespace formats {

class CsvWriter
{
public:
    // Writes the byte-order mark at once.
    explicit CsvWriter(QIODevice& device);
    void text(const QString& text);
    // Fixed decimals; NaN (never measured) is an empty cell.
    void number(double value, int decimals);
    // Up to six significant digits, as the spectral table shows its values;
    // a whole number (a sequence number) in full.
    void general(double value);
    void empty();
    // A cell of plain ASCII that needs neither quotes nor a guard (a time).
    void plain(QByteArrayView text);
    // The buffer a cell may be appended to directly after plain("").
    QByteArray& buffer() { return m_buffer; }
    bool endRow();
    bool finish();
    QString errorString() const { return m_error; }

private:
    void separator();

    QIODevice& m_device;
    QByteArray m_buffer;
    QString m_error;
    bool m_rowStarted = false;
};

// Comparison records one at a time (so a large export is never held whole):
// the header row at construction, then add() per record, finish(). Legacy
// writes the legacy layout's block; readings adds the columns of n and the
// spread (records read several times).
class ComparisonCsvWriter
{
public:
    // withLibrary: the library columns follow (see judgedWithLibrary);
    // readings: then those of n and the spread (records read several times).
    ComparisonCsvWriter(QIODevice& device, DisplayMode displayMode, bool legacy, bool chineseUi,
                        bool withLibrary = false, bool readings = false);
    ~ComparisonCsvWriter();
    bool add(const ComparisonRecord& record);
    bool finish();
    QString errorString() const;

private:
    struct Columns;
    CsvWriter m_csv;
    std::unique_ptr<Columns> m_columns;
    bool m_ok = true;
};

// The comparison table's columns for a display mode (0 … 6, as the
// spreadsheet export has them), or, for legacy records, the legacy layout's
// 19 columns with English or Chinese titles. Titles of the current layout
// are translated. When a record was read several times, the columns of n and
// the spread (SD, range) of each value follow.
bool writeComparisonCsv(const QList<ComparisonRecord>& records, DisplayMode displayMode, bool chineseUi, QIODevice& device,
                        QString* error = nullptr);
bool writeComparisonCsvFile(const QList<ComparisonRecord>& records, DisplayMode displayMode, bool chineseUi,
                            const QString& path, QString* error = nullptr);
// No, Name, 400nm … 700nm; unnamed records as "spec1", "spec2", …
bool writeSpectralCsv(const QList<NamedSpectrum>& spectra, QIODevice& device, QString* error = nullptr);
bool writeSpectralCsvFile(const QList<NamedSpectrum>& spectra, const QString& path, QString* error = nullptr);

// RFC 4180 rows (a byte-order mark is skipped; LF alone also ends a row).
// Refuses, naming the line, a quote inside an unquoted cell, text after a
// closing quote and a quote that is never closed.
ReadResult parseCsv(QByteArrayView bytes, QList<QStringList>& rows);
// What writeComparisonCsv wrote, back as records (the columns it did not
// write stay at their defaults) with its display mode (-1 for the legacy
// layout) and the title language.
ReadResult readComparisonCsv(QByteArrayView bytes, QList<ComparisonRecord>& records, DisplayMode& displayMode,
                             bool& chineseUi);
ReadResult readSpectralCsv(QByteArrayView bytes, QList<NamedSpectrum>& spectra);

} // namespace formats
