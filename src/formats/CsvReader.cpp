#include "CsvFormat.h"

#include "CsvColumns.h"
#include "Judgement.h"

#include <QFile>
#include <QHash>

#include <charconv>
#include <cmath>
#include <vector>

namespace formats {

using namespace csv;

namespace {

// RFC 4180 rows one at a time; a cell is a view of the input, or of a
// scratch copy where doubled quotes were undone.
class CsvRows
{
public:
    explicit CsvRows(QByteArrayView bytes) : m_bytes(bytes)
    {
        if (m_bytes.startsWith("\xEF\xBB\xBF")) {
            m_bytes = m_bytes.sliced(3);
        }
    }

    // The next row; false at the end or on a fault (error() says which).
    bool next();
    const std::vector<QByteArrayView>& cells() const { return m_cells; }
    int line() const { return m_rowLine; }
    const QString& error() const { return m_error; }

private:
    bool fail(const char* message)
    {
        m_error = lineError(m_line, QCoreApplication::translate("CsvReader", message));
        return false;
    }

    QByteArrayView m_bytes;
    qsizetype m_at = 0;
    int m_line = 1;
    int m_rowLine = 1;
    std::vector<QByteArrayView> m_cells;
    std::vector<QByteArray> m_scratch;
    QString m_error;
};

bool CsvRows::next()
{
    m_cells.clear();
    m_scratch.clear();
    const qsizetype n = m_bytes.size();
    if (m_at >= n || !m_error.isEmpty()) {
        return false;
    }
    m_rowLine = m_line;
    for (;;) {
        if (m_at < n && m_bytes[m_at] == '"') {
            const int startLine = m_line;
            const qsizetype start = ++m_at;
            bool doubled = false;
            for (;;) {
                if (m_at >= n) {
                    m_line = startLine;
                    return fail(QT_TRANSLATE_NOOP("CsvReader", "a quoted cell is never closed"));
                }
                const char c = m_bytes[m_at++];
                if (c == '"') {
                    if (m_at < n && m_bytes[m_at] == '"') {
                        doubled = true;
                        ++m_at;
                        continue;
                    }
                    break;
                }
                if (c == '\n') {
                    ++m_line;
                }
            }
            QByteArrayView cell = m_bytes.sliced(start, m_at - 1 - start);
            if (doubled) {
                m_scratch.push_back(cell.toByteArray().replace("\"\"", "\""));
                cell = m_scratch.back();
            }
            m_cells.push_back(cell);
            if (m_at < n && m_bytes[m_at] != ',' && m_bytes[m_at] != '\n' && m_bytes[m_at] != '\r') {
                return fail(QT_TRANSLATE_NOOP("CsvReader", "text after a closing quote"));
            }
        } else {
            const qsizetype start = m_at;
            while (m_at < n && m_bytes[m_at] != ',' && m_bytes[m_at] != '\n' && m_bytes[m_at] != '\r') {
                if (m_bytes[m_at] == '"') {
                    return fail(QT_TRANSLATE_NOOP("CsvReader", "a quote inside an unquoted cell"));
                }
                ++m_at;
            }
            m_cells.push_back(m_bytes.sliced(start, m_at - start));
        }
        if (m_at < n && m_bytes[m_at] == ',') {
            ++m_at;
            if (m_at == n) {
                m_cells.push_back(QByteArrayView()); // the input ended right after a comma
                return true;
            }
            continue;
        }
        if (m_at < n && m_bytes[m_at] == '\r') {
            ++m_at;
            if (m_at < n && m_bytes[m_at] != '\n') {
                return fail(QT_TRANSLATE_NOOP("CsvReader", "a carriage return without a line feed"));
            }
        }
        if (m_at < n && m_bytes[m_at] == '\n') {
            ++m_at;
            ++m_line;
        }
        return true;
    }
}

QStringList texts(const std::vector<QByteArrayView>& cells)
{
    QStringList out;
    out.reserve(qsizetype(cells.size()));
    for (const QByteArrayView cell : cells) {
        out << QString::fromUtf8(cell);
    }
    return out;
}

QString unguarded(const QString& text)
{
    return text.startsWith(QLatin1Char('\'')) && needsGuard(text.mid(1)) ? text.mid(1) : text;
}

bool sameTitles(const QStringList& header, const QList<Column>& columns, int variant)
{
    if (header.size() != columns.size()) {
        return false;
    }
    for (qsizetype c = 0; c < columns.size(); ++c) {
        const Column& column = columns.at(c);
        const QString title = variant == 0   ? titleOf(column, false)
                              : variant == 1 ? englishTitleOf(column)
                                             : titleOf(column, true);
        if (header.at(c) != title) {
            return false;
        }
    }
    return true;
}

bool numericField(Field field)
{
    return field != Field::Model && field != Field::Serial && field != Field::Name && field != Field::Time
           && field != Field::Result && field != Field::Formula && field != Field::Threshold
           && field != Field::LibraryStandard && field != Field::Warning && field != Field::DecidedBy;
}

} // namespace

ReadResult parseCsv(QByteArrayView bytes, QList<QStringList>& rows)
{
    rows.clear();
    CsvRows reader(bytes);
    while (reader.next()) {
        rows.append(texts(reader.cells()));
    }
    if (!reader.error().isEmpty()) {
        rows.clear();
        return ReadResult{false, reader.error()};
    }
    return ReadResult{true, QString()};
}

ReadResult readComparisonCsv(QByteArrayView bytes, QList<ComparisonRecord>& records, DisplayMode& displayMode,
                             bool& chineseUi)
{
    records.clear();
    auto fail = [&](const QString& error) {
        records.clear();
        return ReadResult{false, error};
    };
    CsvRows reader(bytes);
    if (!reader.next()) {
        return fail(reader.error().isEmpty()
                        ? lineError(1, QCoreApplication::translate("CsvReader", "the file has no header row"))
                        : reader.error());
    }
    QList<Column> columns;
    bool legacy = false;
    chineseUi = false;
    displayMode = DisplayMode::None;
    const QStringList header = texts(reader.cells());
    // After a table's own columns may come those of the library standard
    // judged against, then those of n and the spread of records read several times.
    const auto extended = [](QList<Column> table, bool legacyTable, bool library, bool readings) {
        const QList<Column> own = table;
        if (library) {
            table += libraryColumns(legacyTable);
        }
        if (readings) {
            table += readingsColumns(own);
        }
        return table;
    };
    for (int variant = 0; variant < 4 && columns.isEmpty(); ++variant) {
        const bool library = variant & 1;
        const bool readings = variant & 2;
        const QList<Column> legacyTable = extended(legacyColumns(), true, library, readings);
        if (sameTitles(header, legacyTable, 1) || sameTitles(header, legacyTable, 2)) {
            legacy = true;
            chineseUi = !sameTitles(header, legacyTable, 1);
            columns = legacyTable;
            break;
        }
        for (int index = 0; index < kDisplayModeCount && columns.isEmpty(); ++index) {
            const DisplayMode mode = displayModeFromIndex(index);
            const QList<Column> table = extended(currentColumns(mode), false, library, readings);
            if (sameTitles(header, table, 0) || sameTitles(header, table, 1)) {
                displayMode = mode;
                columns = table;
            }
        }
    }
    if (columns.isEmpty()) {
        return fail(lineError(1, QCoreApplication::translate("CsvReader", "the header row is not that of a comparison table")));
    }
    const QString pass = verdictText(Verdict::Pass);
    const QString ng = verdictText(Verdict::Ng);
    const QByteArray passBytes = pass.toUtf8();
    const QByteArray ngBytes = ng.toUtf8();
    // Making a local time asks the C library about the zone each time; rows
    // of one minute share one (an export has many).
    QHash<QByteArray, QDateTime> times;
    while (reader.next()) {
        const std::vector<QByteArrayView>& row = reader.cells();
        const int line = reader.line();
        if (qsizetype(row.size()) != columns.size()) {
            return fail(lineError(line, QCoreApplication::translate("CsvReader", "%1 cells, the header has %2")
                                           .arg(row.size())
                                           .arg(columns.size())));
        }
        ComparisonRecord record;
        record.legacy = legacy;
        record.settings.displayMode = displayMode;
        for (qsizetype c = 0; c < columns.size(); ++c) {
            const Column& column = columns.at(c);
            const QByteArrayView cell = row[std::size_t(c)];
            double value = R::kUnknown;
            // Numbers past any measurement could not be written back as read.
            if (numericField(column.field) && !cell.isEmpty()
                && (!parseNumber(cell, value) || (column.field != Field::Sequence && std::fabs(value) > kLargestValue))) {
                return fail(lineError(line, QCoreApplication::translate("CsvReader", "%1: \"%2\" is not a number")
                                               .arg(header.at(c), shownValue(cell))));
            }
            switch (column.field) {
            case Field::Sequence: record.sequence = value; break;
            case Field::Model: record.modelName = unguarded(QString::fromUtf8(cell)); break;
            case Field::Serial: record.serialNumber = unguarded(QString::fromUtf8(cell)); break;
            case Field::Name: record.testName = unguarded(QString::fromUtf8(cell)); break;
            case Field::Time:
                if (const auto known = times.constFind(cell.toByteArray()); known != times.cend()) {
                    record.time = *known;
                } else {
                    record.time = parseTableTime(QString::fromLatin1(cell));
                    if (times.size() < 100000) {
                        times.insert(cell.toByteArray(), record.time);
                    }
                }
                if (!cell.isEmpty() && !record.time.isValid()) {
                    return fail(lineError(line, QCoreApplication::translate("CsvReader", "%1: \"%2\" is no time")
                                                   .arg(header.at(c), shownValue(cell))));
                }
                break;
            case Field::Standard: record.standard[std::size_t(column.index)] = value; break;
            case Field::Sample: record.sample[std::size_t(column.index)] = value; break;
            case Field::LegacyStandard: record.legacyStandard[std::size_t(column.index)] = value; break;
            case Field::LegacySample: record.legacySample[std::size_t(column.index)] = value; break;
            case Field::HazeTolerance: record.settings.hazeTolerance = std::isnan(value) ? -1.0 : value; break;
            case Field::TransmittanceTolerance:
                record.settings.transmittanceTolerance = std::isnan(value) ? -1.0 : value;
                break;
            case Field::DeltaEThreshold: record.settings.deltaEThreshold = std::isnan(value) ? -1.0 : value; break;
            case Field::HazeDifference: record.hazeDifference = value; break;
            case Field::TransmittanceDifference: record.transmittanceDifference = value; break;
            case Field::DeltaE: record.deltaE = value; break;
            case Field::Result:
                if (cell == passBytes || cell == "PASS") {
                    record.pass = true;
                } else if (cell == ngBytes || cell == "NG") {
                    record.pass = false;
                } else {
                    return fail(lineError(line, QCoreApplication::translate("CsvReader", "%1: \"%2\" is neither %3 nor %4")
                                                   .arg(header.at(c), shownValue(cell), pass, ng)));
                }
                break;
            case Field::Formula: record.settings.formulaText = unguarded(QString::fromUtf8(cell)); break;
            case Field::Threshold: record.settings.thresholdText = unguarded(QString::fromUtf8(cell)); break;
            case Field::LibraryStandard: record.library.standardName = unguarded(QString::fromUtf8(cell)); break;
            case Field::StandardVersion:
                // Versions count from 1; what a file names is kept as read.
                if (!std::isnan(value) && (value < 1 || value > 9e15 || value != std::trunc(value))) {
                    return fail(lineError(line, QCoreApplication::translate("CsvReader", "%1: \"%2\" is not a version")
                                                   .arg(header.at(c), shownValue(cell))));
                }
                record.library.standardVersion = std::isnan(value) ? 0 : qint64(value);
                break;
            case Field::Warning:
                if (cell != "WARNING" && !cell.isEmpty()) {
                    return fail(lineError(line, QCoreApplication::translate("CsvReader", "%1: \"%2\" is neither WARNING nor empty")
                                                   .arg(header.at(c), shownValue(cell))));
                }
                record.library.warning = !cell.isEmpty();
                break;
            case Field::DecidedBy: {
                const QString token = QString::fromUtf8(cell);
                if (!token.isEmpty() && !toleranceQuantityFromToken(token)) {
                    return fail(lineError(line, QCoreApplication::translate("CsvReader", "%1: \"%2\" is no limit")
                                                   .arg(header.at(c), shownValue(cell))));
                }
                record.library.decidedBy = token;
                break;
            }
            default: break; // n and the spread: the readings themselves are not in the file
            }
        }
        records.append(record);
    }
    if (!reader.error().isEmpty()) {
        return fail(reader.error());
    }
    return ReadResult{true, QString()};
}

ReadResult readSpectralCsv(QByteArrayView bytes, QList<NamedSpectrum>& spectra)
{
    spectra.clear();
    auto fail = [&](const QString& error) {
        spectra.clear();
        return ReadResult{false, error};
    };
    CsvRows reader(bytes);
    if (!reader.next() || reader.cells().size() != std::size_t(2 + kSpectralPointCount)) {
        return fail(reader.error().isEmpty()
                        ? lineError(1, QCoreApplication::translate("CsvReader", "the header row is not that of a spectral table"))
                        : reader.error());
    }
    for (int k = 0; k < kSpectralPointCount; ++k) {
        const QByteArrayView title = reader.cells()[std::size_t(2 + k)];
        if (title != spectralTitle(k).toLatin1()) {
            return fail(lineError(1, QCoreApplication::translate("CsvReader", "column %1 should be %2, not \"%3\"")
                                        .arg(3 + k)
                                        .arg(spectralTitle(k), shownValue(title))));
        }
    }
    while (reader.next()) {
        const std::vector<QByteArrayView>& row = reader.cells();
        if (row.size() != std::size_t(2 + kSpectralPointCount)) {
            return fail(lineError(reader.line(), QCoreApplication::translate("CsvReader", "%1 cells, the header has %2")
                                                    .arg(row.size())
                                                    .arg(2 + kSpectralPointCount)));
        }
        NamedSpectrum spectrum;
        spectrum.name = unguarded(QString::fromUtf8(row[1]));
        for (int k = 0; k < kSpectralPointCount; ++k) {
            double& value = spectrum.record.values[std::size_t(k)];
            if (!parseNumber(row[std::size_t(2 + k)], value) || std::fabs(value) > kLargestValue) {
                return fail(lineError(reader.line(), QCoreApplication::translate("CsvReader", "%1: \"%2\" is not a number")
                                                        .arg(spectralTitle(k), shownValue(row[std::size_t(2 + k)]))));
            }
        }
        spectra.append(spectrum);
    }
    if (!reader.error().isEmpty()) {
        return fail(reader.error());
    }
    return ReadResult{true, QString()};
}

} // namespace formats
