#include "CsvFormat.h"

#include "ComparisonColumns.h"
#include "CsvColumns.h"
#include "Judgement.h"
#include "Readings.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace formats {

using namespace csv;
using ComparisonColumns::legacyValueDecimals;
using ComparisonColumns::valueDecimals;

namespace {

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
    case Field::Standard: csv.number(record.standard[std::size_t(column.index)], valueDecimals(column.index)); break;
    case Field::Sample: csv.number(record.sample[std::size_t(column.index)], valueDecimals(column.index)); break;
    case Field::LegacyStandard:
        csv.number(record.legacyStandard[std::size_t(column.index)], legacyValueDecimals(column.index));
        break;
    case Field::LegacySample:
        csv.number(record.legacySample[std::size_t(column.index)], legacyValueDecimals(column.index));
        break;
    case Field::HazeTolerance: csv.number(tolerance(record.settings.hazeTolerance), 2); break;
    case Field::TransmittanceTolerance: csv.number(tolerance(record.settings.transmittanceTolerance), 2); break;
    case Field::DeltaEThreshold: csv.number(tolerance(record.settings.deltaEThreshold), 1); break;
    case Field::HazeDifference: csv.number(record.hazeDifference, 2); break;
    case Field::TransmittanceDifference: csv.number(record.transmittanceDifference, 2); break;
    case Field::DeltaE: csv.number(record.deltaE, 2); break;
    case Field::Result: csv.text(verdictText(record.pass ? Verdict::Pass : Verdict::Ng)); break;
    case Field::Formula: csv.text(record.settings.formulaText); break;
    case Field::Threshold: csv.text(record.settings.thresholdText); break;
    case Field::LibraryStandard: csv.text(record.library.standardName); break;
    case Field::StandardVersion:
        record.library.standardName.isEmpty() || record.library.standardVersion < 1
            ? csv.empty()
            : csv.general(double(record.library.standardVersion));
        break;
    case Field::Warning: csv.plain(record.library.warning ? "WARNING" : ""); break;
    case Field::DecidedBy: csv.text(record.library.decidedBy); break;
    case Field::StandardCount: csv.general(standardReadingCount(record)); break;
    case Field::SampleCount: csv.general(sampleReadingCount(record)); break;
    case Field::StandardDeviation:
        csv.number(readingsDeviation(record.readings.standard)[std::size_t(column.index)], valueDecimals(column.index) + 1);
        break;
    case Field::SampleDeviation:
        csv.number(readingsDeviation(record.readings.sample)[std::size_t(column.index)], valueDecimals(column.index) + 1);
        break;
    case Field::StandardRange:
        csv.number(readingsRange(record.readings.standard)[std::size_t(column.index)], valueDecimals(column.index));
        break;
    case Field::SampleRange:
        csv.number(readingsRange(record.readings.sample)[std::size_t(column.index)], valueDecimals(column.index));
        break;
    case Field::LegacyStandardDeviation:
        csv.number(legacyReadingsDeviation(record.readings.legacyStandard)[std::size_t(column.index)],
                   legacyValueDecimals(column.index) + 1);
        break;
    case Field::LegacySampleDeviation:
        csv.number(legacyReadingsDeviation(record.readings.legacySample)[std::size_t(column.index)],
                   legacyValueDecimals(column.index) + 1);
        break;
    case Field::LegacyStandardRange:
        csv.number(legacyReadingsRange(record.readings.legacyStandard)[std::size_t(column.index)],
                   legacyValueDecimals(column.index));
        break;
    case Field::LegacySampleRange:
        csv.number(legacyReadingsRange(record.readings.legacySample)[std::size_t(column.index)],
                   legacyValueDecimals(column.index));
        break;
    }
}

} // namespace

CsvWriter::CsvWriter(QIODevice& device) : m_device(device)
{
    m_buffer.reserve(kWritePieceBytes + 4096);
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
        // A sequence number past a million would lose its last digits in
        // the six-digit form (1234567 as 1.23457e+06).
        const bool whole = std::fabs(value) < 1e15 && value == std::trunc(value);
        const auto result = whole ? std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(value))
                                  : std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
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

bool CsvWriter::endRow()
{
    m_buffer.append("\r\n");
    m_rowStarted = false;
    return flushBuffer(m_device, m_buffer, false, m_error);
}

bool CsvWriter::finish()
{
    return flushBuffer(m_device, m_buffer, true, m_error);
}

struct ComparisonCsvWriter::Columns
{
    QList<Column> list;
};

ComparisonCsvWriter::ComparisonCsvWriter(QIODevice& device, DisplayMode displayMode, bool legacy, bool chineseUi,
                                         bool withLibrary, bool readings)
    : m_csv(device), m_columns(std::make_unique<Columns>(Columns{legacy ? legacyColumns() : currentColumns(displayMode)}))
{
    const QList<Column> own = m_columns->list;
    if (withLibrary) {
        m_columns->list += libraryColumns(legacy);
    }
    if (readings) {
        m_columns->list += readingsColumns(own);
    }
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

bool writeComparisonCsv(const QList<ComparisonRecord>& records, DisplayMode displayMode, bool chineseUi, QIODevice& device,
                        QString* error)
{
    const bool readings = std::any_of(records.begin(), records.end(), hasSeveralReadings);
    ComparisonCsvWriter writer(device, displayMode, !records.isEmpty() && records.first().legacy, chineseUi,
                               judgedWithLibrary(records), readings);
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

bool writeComparisonCsvFile(const QList<ComparisonRecord>& records, DisplayMode displayMode, bool chineseUi,
                            const QString& path, QString* error)
{
    return saveFile(path, error, [&](QIODevice& device) {
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
    return saveFile(path, error, [&](QIODevice& device) { return writeSpectralCsv(spectra, device, error); });
}

} // namespace formats
