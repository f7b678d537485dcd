#include "CsvFormat.h"

#include "Judgement.h"

#include <QFile>
#include <QHash>
#include <QSaveFile>

#include <charconv>
#include <cmath>
#include <vector>

namespace formats {

namespace {

constexpr qsizetype kFlushBytes = 1 << 20;
constexpr const char* kPage = "FirstPageFor310";
constexpr const char* kColorimeter = "Colorimeter";
constexpr const char* kSpectralPage = "MeterPageFor310";

bool formulaStart(QChar c)
{
    return c == QLatin1Char('=') || c == QLatin1Char('+') || c == QLatin1Char('@') || c == QLatin1Char('\t')
           || c == QLatin1Char('\r');
}

// Text a spreadsheet would run: a formula character first, possibly after
// apostrophes (which then need one more, so the reader's single strip is exact).
bool needsGuard(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char('\'')) {
        ++i;
    }
    return i < text.size() && formulaStart(text.at(i));
}

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
};

struct Column
{
    const char* context;
    const char* title;
    Field field;
    int index = 0;
    int decimals = 2;
    const char* chinese = nullptr; // legacy titles only
};

using R = ComparisonRecord;

QList<Column> currentColumns(int displayMode)
{
    const Column stdHaze{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard Haze"), Field::Standard, R::Haze};
    const Column stdT{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard Transmittance"), Field::Standard,
                      R::Transmittance};
    const Column smpHaze{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample Haze"), Field::Sample, R::Haze};
    const Column smpT{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample Transmittance"), Field::Sample,
                      R::Transmittance};
    const Column hazeTol{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Haze Tolerance"), Field::HazeTolerance};
    const Column dHaze{kColorimeter, QT_TRANSLATE_NOOP("Colorimeter", "\u25B3Haze"), Field::HazeDifference};
    const Column tTol{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Transmittance Tolerance"),
                      Field::TransmittanceTolerance};
    const Column dT{kColorimeter, QT_TRANSLATE_NOOP("Colorimeter", "\u25B3Transmittance"),
                    Field::TransmittanceDifference};
    const Column eTol{kColorimeter, QT_TRANSLATE_NOOP("Colorimeter", "\u25B3E Thresholds"), Field::DeltaEThreshold, 0, 1};
    const Column dE{kColorimeter, QT_TRANSLATE_NOOP("Colorimeter", "\u25B3E"), Field::DeltaE};
    const QList<Column> lab{{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard L*"), Field::Standard, R::LabL},
                            {kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard a*"), Field::Standard, R::LabA},
                            {kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard b*"), Field::Standard, R::LabB}};
    const QList<Column> sampleLab{{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample L*"), Field::Sample, R::LabL},
                                  {kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample a*"), Field::Sample, R::LabA},
                                  {kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample b*"), Field::Sample, R::LabB}};
    QList<Column> columns{{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "NO"), Field::Sequence},
                          {kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Model"), Field::Model},
                          {kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "SN"), Field::Serial},
                          {kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Name"), Field::Name},
                          {kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Time"), Field::Time}};
    switch (displayMode) {
    case 0:
        columns << stdHaze << stdT << smpHaze << smpT << hazeTol << dHaze << tTol << dT;
        break;
    case 1:
        columns << stdHaze << smpHaze << hazeTol << dHaze;
        break;
    case 2:
        columns << stdT << smpT << tTol << dT;
        break;
    case 3:
        columns << lab << sampleLab << eTol << dE;
        break;
    case 4:
        columns << Column{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard L*"), Field::Standard, R::LchL}
                << Column{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard C*"), Field::Standard, R::LchC}
                << Column{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard h"), Field::Standard, R::LchH, 1}
                << Column{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample L*"), Field::Sample, R::LchL}
                << Column{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample C*"), Field::Sample, R::LchC}
                << Column{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample h"), Field::Sample, R::LchH, 1} << eTol
                << dE;
        break;
    case 5:
        columns << Column{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard Y"), Field::Standard, R::Y}
                << Column{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard x"), Field::Standard, R::X, 4}
                << Column{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard y"), Field::Standard, R::SmallY, 4}
                << Column{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample Y"), Field::Sample, R::Y}
                << Column{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample x"), Field::Sample, R::X, 4}
                << Column{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample y"), Field::Sample, R::SmallY, 4} << eTol
                << dE;
        break;
    case 6:
        columns << stdHaze << stdT << lab << smpHaze << smpT << sampleLab << hazeTol << dHaze << tTol << dT << eTol << dE;
        break;
    default:
        break;
    }
    columns << Column{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Result"), Field::Result};
    return columns;
}

// The legacy layout's block, titled in the interface language without the
// catalogue, as its spreadsheet export is.
QList<Column> legacyColumns()
{
    return {
        {nullptr, "NO", Field::Sequence, 0, 0, "序号"},
        {nullptr, "Model", Field::Model, 0, 0, "型号"},
        {nullptr, "SN", Field::Serial, 0, 0, "序列号"},
        {nullptr, "Name", Field::Name, 0, 0, "名称"},
        {nullptr, "Time", Field::Time, 0, 0, "时间"},
        {nullptr, "Standard L*", Field::LegacyStandard, R::LegacyL, 2, "标准色L*"},
        {nullptr, "Standard a*", Field::LegacyStandard, R::LegacyA, 2, "标准色a*"},
        {nullptr, "Standard b*", Field::LegacyStandard, R::LegacyB, 2, "标准色b*"},
        {nullptr, "Standard C*", Field::LegacyStandard, R::LegacyC, 2, "标准色C*"},
        {nullptr, "Standard h", Field::LegacyStandard, R::LegacyH, 1, "标准色h"},
        {nullptr, "Sample L*", Field::LegacySample, R::LegacyL, 2, "样品色L*"},
        {nullptr, "Sample a*", Field::LegacySample, R::LegacyA, 2, "样品色a*"},
        {nullptr, "Sample b*", Field::LegacySample, R::LegacyB, 2, "样品色b*"},
        {nullptr, "Sample C*", Field::LegacySample, R::LegacyC, 2, "样品色C*"},
        {nullptr, "Sample h", Field::LegacySample, R::LegacyH, 1, "样品色h"},
        {nullptr, "\u25B3E Formula", Field::Formula, 0, 0, "\u25B3E公式"},
        {nullptr, "\u25B3E Thresholds", Field::Threshold, 0, 0, "\u25B3E阀值"},
        {nullptr, "\u25B3E", Field::DeltaE, 0, 2, "\u25B3E"},
        {nullptr, "Result", Field::Result, 0, 0, "是否合格"},
    };
}

QString titleOf(const Column& column, bool chineseUi)
{
    if (!column.context) {
        return QString::fromUtf8(chineseUi ? column.chinese : column.title);
    }
    return QCoreApplication::translate(column.context, column.title);
}

double tolerance(double value)
{
    return value < 0.0 ? R::kUnknown : value;
}

void writeCell(CsvWriter& csv, const Column& column, const ComparisonRecord& record)
{
    switch (column.field) {
    case Field::Sequence: csv.general(record.sequence); break;
    case Field::Model: csv.text(record.modelName); break;
    case Field::Serial: csv.text(record.serialNumber); break;
    case Field::Name: csv.text(record.testName); break;
    case Field::Time:
        csv.plain({});
        appendTableTime(csv.buffer(), record.time);
        break;
    case Field::Standard: csv.number(record.standard[std::size_t(column.index)], column.decimals); break;
    case Field::Sample: csv.number(record.sample[std::size_t(column.index)], column.decimals); break;
    case Field::LegacyStandard: csv.number(record.legacyStandard[std::size_t(column.index)], column.decimals); break;
    case Field::LegacySample: csv.number(record.legacySample[std::size_t(column.index)], column.decimals); break;
    case Field::HazeTolerance: csv.number(tolerance(record.settings.hazeTolerance), 2); break;
    case Field::TransmittanceTolerance: csv.number(tolerance(record.settings.transmittanceTolerance), 2); break;
    case Field::DeltaEThreshold: csv.number(tolerance(record.settings.deltaEThreshold), 1); break;
    case Field::HazeDifference: csv.number(record.hazeDifference, 2); break;
    case Field::TransmittanceDifference: csv.number(record.transmittanceDifference, 2); break;
    case Field::DeltaE: csv.number(record.deltaE, 2); break;
    case Field::Result: csv.text(verdictText(record.pass ? Verdict::Pass : Verdict::Ng)); break;
    case Field::Formula: csv.text(record.settings.formulaText); break;
    case Field::Threshold: csv.text(record.settings.thresholdText); break;
    }
}

template <typename Write>
bool toFile(const QString& path, QString* error, Write write)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error) {
            *error = file.errorString();
        }
        return false;
    }
    if (!write(file)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error) {
            *error = file.errorString();
        }
        return false;
    }
    return true;
}

QString spectralTitle(int k)
{
    return QStringLiteral("%1nm").arg(kFirstWavelengthNm + kWavelengthStepNm * k);
}

} // namespace

CsvWriter::CsvWriter(QIODevice& device) : m_device(device)
{
    m_buffer.reserve(kFlushBytes + 4096);
    m_buffer.append("\xEF\xBB\xBF");
}

void CsvWriter::separator()
{
    if (m_rowStarted) {
        m_buffer.append(',');
    }
    m_rowStarted = true;
}

void CsvWriter::text(const QString& text)
{
    separator();
    const QByteArray utf8 = text.toUtf8();
    const bool guard = needsGuard(text);
    const bool quote = guard || utf8.contains(',') || utf8.contains('"') || utf8.contains('\n') || utf8.contains('\r');
    if (!quote) {
        m_buffer.append(utf8);
        return;
    }
    m_buffer.append('"');
    if (guard) {
        m_buffer.append('\'');
    }
    for (const char c : utf8) {
        if (c == '"') {
            m_buffer.append('"');
        }
        m_buffer.append(c);
    }
    m_buffer.append('"');
}

void CsvWriter::number(double value, int decimals)
{
    separator();
    if (std::isfinite(value)) {
        appendFixed(m_buffer, value, decimals);
    }
}

void CsvWriter::general(double value)
{
    separator();
    if (std::isfinite(value)) {
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
        m_buffer.append(buffer, result.ptr - buffer);
    }
}

void CsvWriter::empty()
{
    separator();
}

void CsvWriter::plain(QByteArrayView text)
{
    separator();
    m_buffer.append(text);
}

bool CsvWriter::flush(bool force)
{
    if (m_buffer.size() < kFlushBytes && !force) {
        return true;
    }
    if (m_device.write(m_buffer) != m_buffer.size()) {
        m_error = tr("Cannot write the file: %1").arg(m_device.errorString());
        return false;
    }
    m_buffer.clear();
    return true;
}

bool CsvWriter::endRow()
{
    m_buffer.append("\r\n");
    m_rowStarted = false;
    return flush(false);
}

bool CsvWriter::finish()
{
    return flush(true);
}

struct ComparisonCsvWriter::Columns
{
    QList<Column> list;
};

ComparisonCsvWriter::ComparisonCsvWriter(QIODevice& device, int displayMode, bool legacy, bool chineseUi)
    : m_csv(device), m_columns(std::make_unique<Columns>(Columns{legacy ? legacyColumns() : currentColumns(displayMode)}))
{
    for (const Column& column : m_columns->list) {
        m_csv.text(titleOf(column, chineseUi));
    }
    m_ok = m_csv.endRow();
}

ComparisonCsvWriter::~ComparisonCsvWriter() = default;

bool ComparisonCsvWriter::add(const ComparisonRecord& record)
{
    if (!m_ok) {
        return false;
    }
    for (const Column& column : m_columns->list) {
        writeCell(m_csv, column, record);
    }
    m_ok = m_csv.endRow();
    return m_ok;
}

bool ComparisonCsvWriter::finish()
{
    m_ok = m_ok && m_csv.finish();
    return m_ok;
}

QString ComparisonCsvWriter::errorString() const
{
    return m_csv.errorString();
}

bool writeComparisonCsv(const QList<ComparisonRecord>& records, int displayMode, bool chineseUi, QIODevice& device,
                        QString* error)
{
    ComparisonCsvWriter writer(device, displayMode, !records.isEmpty() && records.first().legacy, chineseUi);
    bool ok = true;
    for (qsizetype r = 0; ok && r < records.size(); ++r) {
        ok = writer.add(records.at(r));
    }
    ok = writer.finish() && ok;
    if (!ok && error) {
        *error = writer.errorString();
    }
    return ok;
}

bool writeComparisonCsvFile(const QList<ComparisonRecord>& records, int displayMode, bool chineseUi,
                            const QString& path, QString* error)
{
    return toFile(path, error, [&](QIODevice& device) {
        return writeComparisonCsv(records, displayMode, chineseUi, device, error);
    });
}

bool writeSpectralCsv(const QList<NamedSpectrum>& spectra, QIODevice& device, QString* error)
{
    CsvWriter csv(device);
    csv.text(QCoreApplication::translate(kSpectralPage, "No"));
    csv.text(QCoreApplication::translate(kSpectralPage, "Name"));
    for (int k = 0; k < kSpectralPointCount; ++k) {
        csv.text(spectralTitle(k));
    }
    bool ok = csv.endRow();
    int unnamed = 0;
    for (qsizetype r = 0; ok && r < spectra.size(); ++r) {
        const NamedSpectrum& spectrum = spectra.at(r);
        csv.general(double(r + 1));
        csv.text(spectrum.name.isEmpty() ? QStringLiteral("spec%1").arg(++unnamed) : spectrum.name);
        for (const double value : spectrum.record.values) {
            csv.general(value);
        }
        ok = csv.endRow();
    }
    ok = ok && csv.finish();
    if (!ok && error) {
        *error = csv.errorString();
    }
    return ok;
}

bool writeSpectralCsvFile(const QList<NamedSpectrum>& spectra, const QString& path, QString* error)
{
    return toFile(path, error, [&](QIODevice& device) { return writeSpectralCsv(spectra, device, error); });
}

// ---------------------------------------------------------------- reading

namespace {

QString csvError(int line, const QString& message)
{
    return QCoreApplication::translate("CsvReader", "line %1: %2").arg(line).arg(message);
}

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
        m_error = csvError(m_line, QCoreApplication::translate("CsvReader", message));
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
                              : variant == 1 ? QString::fromUtf8(column.title)
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
           && field != Field::Result && field != Field::Formula && field != Field::Threshold;
}

QString shown(QByteArrayView cell)
{
    return QString::fromUtf8(cell.first(qMin<qsizetype>(40, cell.size())));
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

ReadResult readComparisonCsv(QByteArrayView bytes, QList<ComparisonRecord>& records, int& displayMode,
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
                        ? csvError(1, QCoreApplication::translate("CsvReader", "the file has no header row"))
                        : reader.error());
    }
    QList<Column> columns;
    bool legacy = false;
    chineseUi = false;
    displayMode = -1;
    const QStringList header = texts(reader.cells());
    if (sameTitles(header, legacyColumns(), 1) || sameTitles(header, legacyColumns(), 2)) {
        legacy = true;
        chineseUi = !sameTitles(header, legacyColumns(), 1);
        columns = legacyColumns();
    } else {
        for (int mode = 0; mode <= 6 && columns.isEmpty(); ++mode) {
            if (sameTitles(header, currentColumns(mode), 0) || sameTitles(header, currentColumns(mode), 1)) {
                displayMode = mode;
                columns = currentColumns(mode);
            }
        }
    }
    if (columns.isEmpty()) {
        return fail(csvError(1, QCoreApplication::translate("CsvReader", "the header row is not that of a comparison table")));
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
            return fail(csvError(line, QCoreApplication::translate("CsvReader", "%1 cells, the header has %2")
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
                return fail(csvError(line, QCoreApplication::translate("CsvReader", "%1: \"%2\" is not a number")
                                               .arg(header.at(c), shown(cell))));
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
                    return fail(csvError(line, QCoreApplication::translate("CsvReader", "%1: \"%2\" is no time")
                                                   .arg(header.at(c), shown(cell))));
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
                    return fail(csvError(line, QCoreApplication::translate("CsvReader", "%1: \"%2\" is neither %3 nor %4")
                                                   .arg(header.at(c), shown(cell), pass, ng)));
                }
                break;
            case Field::Formula: record.settings.formulaText = unguarded(QString::fromUtf8(cell)); break;
            case Field::Threshold: record.settings.thresholdText = unguarded(QString::fromUtf8(cell)); break;
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
                        ? csvError(1, QCoreApplication::translate("CsvReader", "the header row is not that of a spectral table"))
                        : reader.error());
    }
    for (int k = 0; k < kSpectralPointCount; ++k) {
        const QByteArrayView title = reader.cells()[std::size_t(2 + k)];
        if (title != spectralTitle(k).toLatin1()) {
            return fail(csvError(1, QCoreApplication::translate("CsvReader", "column %1 should be %2, not \"%3\"")
                                        .arg(3 + k)
                                        .arg(spectralTitle(k), shown(title))));
        }
    }
    while (reader.next()) {
        const std::vector<QByteArrayView>& row = reader.cells();
        if (row.size() != std::size_t(2 + kSpectralPointCount)) {
            return fail(csvError(reader.line(), QCoreApplication::translate("CsvReader", "%1 cells, the header has %2")
                                                    .arg(row.size())
                                                    .arg(2 + kSpectralPointCount)));
        }
        NamedSpectrum spectrum;
        spectrum.name = unguarded(QString::fromUtf8(row[1]));
        for (int k = 0; k < kSpectralPointCount; ++k) {
            double& value = spectrum.record.values[std::size_t(k)];
            if (!parseNumber(row[std::size_t(2 + k)], value) || std::fabs(value) > kLargestValue) {
                return fail(csvError(reader.line(), QCoreApplication::translate("CsvReader", "%1: \"%2\" is not a number")
                                                        .arg(spectralTitle(k), shown(row[std::size_t(2 + k)]))));
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
