// The exchange-format readers under hostile input (see FuzzEntries.h).
#include "FuzzEntries.h"
#include "StandardFiles.h"
#include "ToleranceSet.h"

#include "CgatsFormat.h"
#include "CsvFormat.h"
#include "CxfFormat.h"

#include <QBuffer>

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace fuzz {

namespace {

QByteArrayView view(const std::uint8_t* data, std::size_t size)
{
    return QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size));
}

template <typename Write>
QByteArray written(Write write)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!write(buffer)) {
        std::abort(); // a writer refused what its own reader accepted
    }
    return buffer.data();
}

// Without a date in the file the writers would take the clock's.
void fixDate(formats::ExchangeDocument& document)
{
    if (!document.created.isValid()) {
        document.created = QDateTime(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC);
    }
}

bool sameSamples(const formats::ExchangeDocument& a, const formats::ExchangeDocument& b)
{
    if (a.samples.size() != b.samples.size()) {
        return false;
    }
    for (qsizetype i = 0; i < a.samples.size(); ++i) {
        const formats::ExchangeSample& x = a.samples.at(i);
        const formats::ExchangeSample& y = b.samples.at(i);
        if (x.hasLab != y.hasLab || x.hasSpectrum != y.hasSpectrum || x.kind != y.kind) {
            return false;
        }
    }
    return true;
}

} // namespace

void cgatsFile(const std::uint8_t* data, std::size_t size)
{
    formats::ExchangeDocument document;
    if (!formats::readCgats(view(data, size), document).ok) {
        if (!document.samples.isEmpty()) {
            std::abort(); // a refused file hands out no samples
        }
        return;
    }
    fixDate(document);
    const QByteArray first = written([&](QIODevice& d) { return formats::writeCgats(document, d); });
    formats::ExchangeDocument again;
    if (!formats::readCgats(first, again).ok) {
        std::abort();
    }
    const QByteArray second = written([&](QIODevice& d) { return formats::writeCgats(again, d); });
    if (second != first) {
        std::abort();
    }
}

void cxfFile(const std::uint8_t* data, std::size_t size)
{
    formats::ExchangeDocument document;
    if (!formats::readCxf(view(data, size), document).ok) {
        if (!document.samples.isEmpty()) {
            std::abort();
        }
        return;
    }
    fixDate(document);
    const QByteArray first = written([&](QIODevice& d) { return formats::writeCxf(document, d); });
    formats::ExchangeDocument again;
    if (!formats::readCxf(first, again).ok || !sameSamples(document, again)) {
        std::abort();
    }
}

void csvFile(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes = view(data, size);
    QList<ComparisonRecord> records;
    DisplayMode mode = DisplayMode::HazeT;
    bool chinese = false;
    if (formats::readComparisonCsv(bytes, records, mode, chinese).ok) {
        const DisplayMode writeMode = mode == DisplayMode::None ? DisplayMode::Lab : mode;
        const QByteArray first =
            written([&](QIODevice& d) { return formats::writeComparisonCsv(records, writeMode, chinese, d); });
        QList<ComparisonRecord> again;
        DisplayMode againMode = DisplayMode::HazeT;
        bool againChinese = false;
        if (!formats::readComparisonCsv(first, again, againMode, againChinese).ok
            || written([&](QIODevice& d) { return formats::writeComparisonCsv(again, writeMode, chinese, d); }) != first) {
            std::abort();
        }
    }
    QList<NamedSpectrum> spectra;
    if (formats::readSpectralCsv(bytes, spectra).ok) {
        const QByteArray first = written([&](QIODevice& d) { return formats::writeSpectralCsv(spectra, d); });
        QList<NamedSpectrum> again;
        if (!formats::readSpectralCsv(first, again).ok
            || written([&](QIODevice& d) { return formats::writeSpectralCsv(again, d); }) != first) {
            std::abort();
        }
    }
}

void standardsFile(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return;
    }
    const QByteArrayView bytes = view(data + 1, size - 1);
    const auto soundLimits = [](const QList<ToleranceLimit>& limits) {
        for (const ToleranceLimit& limit : limits) {
            if (!(limit.low <= limit.high) || !std::isfinite(limit.low) || !std::isfinite(limit.high)) {
                return false;
            }
        }
        const ToleranceParse again = parseToleranceLimits(formatToleranceLimits(limits));
        return again.ok() && again.limits == limits;
    };
    if (!(data[0] & 1)) {
        const ToleranceParse parsed = parseToleranceLimits(QString::fromUtf8(bytes));
        if (parsed.ok() && !soundLimits(parsed.limits)) {
            std::abort();
        }
        return;
    }
    const StandardFiles::ReadResult read = StandardFiles::readCsv(bytes);
    for (const StandardFiles::Imported& imported : read.standards) {
        const Standard& s = imported.standard;
        const bool spectrumOk = s.spectrum.isEmpty() || s.spectrum.size() == kStandardSpectrumBands;
        if (s.name.trimmed().isEmpty() || !(s.hasLab() || s.hasHaze() || s.hasTransmittance()) || !spectrumOk
            || (imported.ownSet && !soundLimits(imported.ownSet->limits))) {
            std::abort();
        }
    }
}

} // namespace fuzz
