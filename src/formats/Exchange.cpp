#include "Exchange.h"

#include "CgatsFormat.h"
#include "CxfFormat.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <charconv>
#include <cmath>
#include <limits>

namespace formats {

namespace {

// The instruments' white (D65, 10° observer) and the D50 white of the
// colour-management profile connection space.
constexpr Xyz kD65White10{94.811, 100.0, 107.304};
constexpr Xyz kD50White{96.42, 100.0, 82.49};

constexpr double kBradford[3][3] = {
    {0.8951, 0.2664, -0.1614},
    {-0.7502, 1.7135, 0.0367},
    {0.0389, -0.0685, 1.0296},
};

Xyz multiply(const double m[3][3], const Xyz& v)
{
    return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z, m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
            m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
}

void invert(const double m[3][3], double out[3][3])
{
    const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1])
                       - m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0])
                       + m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    out[0][0] = (m[1][1] * m[2][2] - m[1][2] * m[2][1]) / det;
    out[0][1] = (m[0][2] * m[2][1] - m[0][1] * m[2][2]) / det;
    out[0][2] = (m[0][1] * m[1][2] - m[0][2] * m[1][1]) / det;
    out[1][0] = (m[1][2] * m[2][0] - m[1][0] * m[2][2]) / det;
    out[1][1] = (m[0][0] * m[2][2] - m[0][2] * m[2][0]) / det;
    out[1][2] = (m[0][2] * m[1][0] - m[0][0] * m[1][2]) / det;
    out[2][0] = (m[1][0] * m[2][1] - m[1][1] * m[2][0]) / det;
    out[2][1] = (m[0][1] * m[2][0] - m[0][0] * m[2][1]) / det;
    out[2][2] = (m[0][0] * m[1][1] - m[0][1] * m[1][0]) / det;
}

struct Inverse
{
    double m[3][3];
    Inverse() { invert(kBradford, m); }
};

Xyz adapt(const Xyz& xyz, const Xyz& from, const Xyz& to)
{
    static const Inverse inverseBradford;
    const auto& inverse = inverseBradford.m;
    const Xyz cone = multiply(kBradford, xyz);
    const Xyz coneFrom = multiply(kBradford, from);
    const Xyz coneTo = multiply(kBradford, to);
    return multiply(inverse, Xyz{cone.x * coneTo.x / coneFrom.x, cone.y * coneTo.y / coneFrom.y,
                                 cone.z * coneTo.z / coneFrom.z});
}

constexpr double kDelta = 6.0 / 29.0;

double labInverse(double t)
{
    return t > kDelta ? t * t * t : 3.0 * kDelta * kDelta * (t - 4.0 / 29.0);
}

double labForward(double t)
{
    return t > kDelta * kDelta * kDelta ? std::cbrt(t) : t / (3.0 * kDelta * kDelta) + 4.0 / 29.0;
}

Xyz xyzFromLab(double l, double a, double b, const Xyz& white)
{
    const double fy = (l + 16.0) / 116.0;
    return {white.x * labInverse(fy + a / 500.0), white.y * labInverse(fy), white.z * labInverse(fy - b / 200.0)};
}

void labFromXyz(const Xyz& xyz, const Xyz& white, double& l, double& a, double& b)
{
    const double fx = labForward(xyz.x / white.x);
    const double fy = labForward(xyz.y / white.y);
    const double fz = labForward(xyz.z / white.z);
    l = 116.0 * fy - 16.0;
    a = 500.0 * (fx - fy);
    b = 200.0 * (fy - fz);
}

bool usable(double value)
{
    return std::isfinite(value);
}

} // namespace

namespace {

// The standard's or the sample's colour of a record, as the sample of that kind.
bool recordSample(const ComparisonRecord& record, int n, SampleKind kind, ExchangeSample& sample)
{
    // Taken in the Haze/T, Haze or T mode, a record has no L*a*b*: the
    // instrument sends none in those modes, and the zeros in their place are
    // no colour.
    const DisplayMode mode = record.settings.displayMode;
    if (!record.legacy && mode != DisplayMode::None && !judgesDeltaE(mode)) {
        return false;
    }
    const bool standard = kind == SampleKind::Standard;
    const auto& current = standard ? record.standard : record.sample;
    const auto& legacy = standard ? record.legacyStandard : record.legacySample;
    const double l = record.legacy ? legacy[ComparisonRecord::LegacyL] : current[ComparisonRecord::LabL];
    const double a = record.legacy ? legacy[ComparisonRecord::LegacyA] : current[ComparisonRecord::LabA];
    const double b = record.legacy ? legacy[ComparisonRecord::LegacyB] : current[ComparisonRecord::LabB];
    if (!usable(l) || !usable(a) || !usable(b)) {
        return false;
    }
    sample = ExchangeSample{};
    sample.id = (standard ? QStringLiteral("S%1") : QStringLiteral("T%1")).arg(n);
    sample.name = record.testName;
    sample.kind = kind;
    sample.created = record.time;
    sample.hasLab = true;
    sample.l = l;
    sample.a = a;
    sample.b = b;
    return true;
}

} // namespace

bool standardSample(const ComparisonRecord& record, int n, ExchangeSample& sample)
{
    return recordSample(record, n, SampleKind::Standard, sample);
}

bool targetSample(const ComparisonRecord& record, int n, ExchangeSample& sample)
{
    return recordSample(record, n, SampleKind::Target, sample);
}

namespace {

bool cxfName(const QString& path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("cxf"), Qt::CaseInsensitive) == 0;
}

} // namespace

ReadResult readExchangeFile(const QString& path, ExchangeDocument& document)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return ReadResult{false, file.errorString()};
    }
    const QByteArray bytes = file.readAll();
    return cxfName(path) ? readCxf(bytes, document) : readCgats(bytes, document);
}

bool writeExchangeFile(const ExchangeDocument& document, const QString& path, QString* error)
{
    return cxfName(path) ? writeCxfFile(document, path, error) : writeCgatsFile(document, path, error);
}

bool saveFile(const QString& path, QString* error, const std::function<bool(QIODevice&)>& write)
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

QString lineError(int line, const QString& message)
{
    return QCoreApplication::translate("ExchangeReader", "line %1: %2").arg(line).arg(message);
}

QString shownValue(QByteArrayView text)
{
    return QString::fromUtf8(text.first(qMin<qsizetype>(40, text.size())));
}

bool flushBuffer(QIODevice& device, QByteArray& buffer, bool force, QString& error)
{
    if (buffer.size() < kWritePieceBytes && !force) {
        return true;
    }
    if (device.write(buffer) != buffer.size()) {
        error = QCoreApplication::translate("ExchangeWriter", "Cannot write the file: %1").arg(device.errorString());
        return false;
    }
    buffer.clear();
    return true;
}

namespace {

// A side read several times as one sample per reading: ids "S3.1", "S3.2",
// …, named "<name> (1/3)"; a side read once as its one sample.
void appendSide(QList<ExchangeSample>& samples, const ComparisonRecord& record, int n, SampleKind kind)
{
    const bool standard = kind == SampleKind::Standard;
    const qsizetype count = record.legacy ? (standard ? record.readings.legacyStandard : record.readings.legacySample).size()
                                          : (standard ? record.readings.standard : record.readings.sample).size();
    ExchangeSample sample;
    if (count < 2) {
        if (recordSample(record, n, kind, sample)) {
            samples.append(sample);
        }
        return;
    }
    for (qsizetype k = 0; k < count; ++k) {
        ComparisonRecord one = record;
        if (record.legacy) {
            (standard ? one.legacyStandard : one.legacySample) =
                (standard ? record.readings.legacyStandard : record.readings.legacySample).at(k);
        } else {
            (standard ? one.standard : one.sample) = (standard ? record.readings.standard : record.readings.sample).at(k);
        }
        if (recordSample(one, n, kind, sample)) {
            sample.id += QStringLiteral(".%1").arg(k + 1);
            sample.name = QStringLiteral("%1 (%2/%3)").arg(record.testName).arg(k + 1).arg(count);
            samples.append(sample);
        }
    }
}

} // namespace

ExchangeDocument documentFromRecords(const QList<ComparisonRecord>& records, const QDateTime& created, bool everyReading)
{
    if (everyReading) {
        ExchangeDocument document = documentFromRecords({}, created);
        document.transmittance = !records.isEmpty() && transmittanceLayout(records.first().settings.layoutIndex);
        int n = 0;
        for (const ComparisonRecord& record : records) {
            ++n;
            appendSide(document.samples, record, n, SampleKind::Standard);
            appendSide(document.samples, record, n, SampleKind::Target);
        }
        return document;
    }
    ExchangeDocument document;
    document.description = QStringLiteral("Tintwell comparisons");
    document.created = created;
    document.transmittance = !records.isEmpty() && transmittanceLayout(records.first().settings.layoutIndex);
    int n = 0;
    for (const ComparisonRecord& record : records) {
        ++n;
        ExchangeSample sample;
        if (standardSample(record, n, sample)) {
            document.samples.append(sample);
        }
        if (targetSample(record, n, sample)) {
            document.samples.append(sample);
        }
    }
    return document;
}

bool transmittanceLayout(int layoutIndex)
{
    return layoutIndex != 1 && layoutIndex != 2;
}

ExchangeSample spectralSample(const NamedSpectrum& spectrum, int n)
{
    ExchangeSample sample;
    sample.id = QStringLiteral("T%1").arg(n);
    sample.name = spectrum.name;
    sample.kind = SampleKind::Target;
    sample.hasSpectrum = true;
    for (int k = 0; k < kSpectralPointCount; ++k) {
        sample.spectrum[k] = spectrum.record.values[k];
    }
    return sample;
}

ComputedColour computedColour(const std::array<double, kSpectralPointCount>& spectrum,
                              const colorimetry::ColourConditions& conditions)
{
    static_assert(kSpectralPointCount == colorimetry::kBandCount, "the records' bands are the engine's");
    const colorimetry::TristimulusWeights& weights =
        colorimetry::TristimulusWeights::standard(conditions.illuminant, conditions.observer);
    ComputedColour colour;
    colour.xyz = weights.xyz(spectrum);
    colour.lab = colorimetry::labFromXyz(colour.xyz, weights.white());
    return colour;
}

ExchangeDocument documentFromSpectra(const QList<NamedSpectrum>& spectra, int layoutIndex, const QDateTime& created,
                                     const std::optional<colorimetry::ColourConditions>& colour)
{
    ExchangeDocument document;
    document.description = QStringLiteral("Tintwell spectra");
    document.created = created;
    document.transmittance = transmittanceLayout(layoutIndex);
    document.computedFor = colour;
    int n = 0;
    int unnamed = 0;
    for (const NamedSpectrum& spectrum : spectra) {
        ++n;
        ExchangeSample sample = spectralSample(spectrum, n);
        // Unnamed records are numbered on their own, as the spectral table does.
        if (spectrum.name.isEmpty()) {
            sample.name = QStringLiteral("spec%1").arg(++unnamed);
        }
        if (colour) {
            sample.computed = computedColour(sample.spectrum, *colour);
        }
        document.samples.append(sample);
    }
    return document;
}

Xyz d50XyzFromD65Lab(double l, double a, double b)
{
    return adapt(xyzFromLab(l, a, b, kD65White10), kD65White10, kD50White);
}

void d50LabFromD65Lab(double l, double a, double b, double& l50, double& a50, double& b50)
{
    labFromXyz(d50XyzFromD65Lab(l, a, b), kD50White, l50, a50, b50);
}

void d50LabFromXyz(const Xyz& xyz, double& l50, double& a50, double& b50)
{
    labFromXyz(xyz, kD50White, l50, a50, b50);
}

namespace {

void appendDigits(QByteArray& out, int value, int width)
{
    char digits[12];
    int n = 0;
    unsigned v = unsigned(value < 0 ? -value : value);
    do {
        digits[n++] = char('0' + v % 10);
        v /= 10;
    } while (v && n < 11);
    if (value < 0) {
        out.append('-');
    }
    for (int i = n; i < width; ++i) {
        out.append('0');
    }
    while (n > 0) {
        out.append(digits[--n]);
    }
}

} // namespace

void appendTableTime(QByteArray& out, const QDateTime& time)
{
    if (!time.isValid()) {
        return;
    }
    const QDate date = time.date();
    const QTime clock = time.time();
    appendDigits(out, date.year(), 4);
    out.append('/');
    appendDigits(out, date.month(), 2);
    out.append('/');
    appendDigits(out, date.day(), 2);
    out.append("  ");
    appendDigits(out, clock.hour(), 2);
    out.append(':');
    appendDigits(out, clock.minute(), 2);
}

void appendIsoTime(QByteArray& out, const QDateTime& time)
{
    if (!time.isValid()) {
        return;
    }
    const QDate date = time.date();
    const QTime clock = time.time();
    appendDigits(out, date.year(), 4);
    out.append('-');
    appendDigits(out, date.month(), 2);
    out.append('-');
    appendDigits(out, date.day(), 2);
    out.append('T');
    appendDigits(out, clock.hour(), 2);
    out.append(':');
    appendDigits(out, clock.minute(), 2);
    out.append(':');
    appendDigits(out, clock.second(), 2);
    // The offset of a local time asks the C library, which looks at the
    // system's zone file each time; one local hour has one offset (outside
    // the hour a clock is set back), so the last hour's is kept.
    int offset = 0;
    if (time.timeSpec() == Qt::LocalTime) {
        thread_local qint64 cachedHour = std::numeric_limits<qint64>::min();
        thread_local int cachedOffset = 0;
        const qint64 hour = date.toJulianDay() * 24 + clock.hour();
        if (hour != cachedHour) {
            cachedHour = hour;
            cachedOffset = time.offsetFromUtc() / 60;
        }
        offset = cachedOffset;
    } else {
        offset = time.offsetFromUtc() / 60;
    }
    if (offset == 0) {
        out.append('Z');
        return;
    }
    out.append(offset < 0 ? '-' : '+');
    appendDigits(out, (offset < 0 ? -offset : offset) / 60, 2);
    out.append(':');
    appendDigits(out, (offset < 0 ? -offset : offset) % 60, 2);
}

void appendFixed(QByteArray& out, double value, int decimals)
{
    char buffer[64];
    if (!std::isfinite(value) || std::fabs(value) >= 1e15) {
        value = 0.0; // never reached with the values the formats carry; keeps the text a number
    }
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    char* begin = buffer;
    // "-0.00": a value that rounds to zero is written without its sign.
    if (*begin == '-') {
        bool zero = true;
        for (const char* p = begin + 1; p < result.ptr; ++p) {
            if (*p >= '1' && *p <= '9') {
                zero = false;
                break;
            }
        }
        if (zero) {
            ++begin;
        }
    }
    out.append(begin, result.ptr - begin);
}

void appendNumber(QByteArray& out, double value, int decimals)
{
    const qsizetype start = out.size();
    appendFixed(out, value, decimals < 1 ? 1 : decimals);
    qsizetype end = out.size();
    while (end - start > 2 && out.at(end - 1) == '0' && out.at(end - 2) != '.') {
        --end;
    }
    out.truncate(end);
}

namespace {

// Digits at text[from, from + count): -1 when any is no digit.
int digitsAt(QStringView text, qsizetype from, int count)
{
    if (from + count > text.size()) {
        return -1;
    }
    int value = 0;
    for (int i = 0; i < count; ++i) {
        const char16_t c = text[from + i].unicode();
        if (c < u'0' || c > u'9') {
            return -1;
        }
        value = value * 10 + (c - u'0');
    }
    return value;
}

} // namespace

QDateTime parseTableTime(QStringView text)
{
    if (text.size() != 17 || text[4] != u'/' || text[7] != u'/' || text[10] != u' ' || text[11] != u' '
        || text[14] != u':') {
        return {};
    }
    const int year = digitsAt(text, 0, 4);
    const QDate date(year, digitsAt(text, 5, 2), digitsAt(text, 8, 2));
    const QTime clock(digitsAt(text, 12, 2), digitsAt(text, 15, 2));
    // A digit that is none reads -1, and year -1 is a valid date: refused here.
    if (year < 1 || !date.isValid() || !clock.isValid()) {
        return {};
    }
    return QDateTime(date, clock);
}

QDateTime parseIsoTime(QStringView text)
{
    // The common form "yyyy-MM-ddThh:mm:ss" with "Z" or "+hh:mm"; anything
    // else goes to Qt's full reader.
    if (text.size() >= 19 && text[4] == u'-' && text[7] == u'-' && text[10] == u'T' && text[13] == u':'
        && text[16] == u':') {
        const int year = digitsAt(text, 0, 4);
        const QDate date(year, digitsAt(text, 5, 2), digitsAt(text, 8, 2));
        const QTime clock(digitsAt(text, 11, 2), digitsAt(text, 14, 2), digitsAt(text, 17, 2));
        if (year >= 1 && date.isValid() && clock.isValid()) {
            if (text.size() == 20 && text[19] == u'Z') {
                return QDateTime(date, clock, Qt::UTC);
            }
            if (text.size() == 25 && (text[19] == u'+' || text[19] == u'-') && text[22] == u':') {
                const int hours = digitsAt(text, 20, 2);
                const int minutes = digitsAt(text, 23, 2);
                if (hours >= 0 && hours < 24 && minutes >= 0 && minutes < 60) {
                    const int offset = (hours * 60 + minutes) * 60 * (text[19] == u'-' ? -1 : 1);
                    return QDateTime(date, clock, Qt::OffsetFromUTC, offset);
                }
            }
        }
    }
    // Years the ISO form writes with four digits only, so what is read can be written again.
    const QDateTime parsed = QDateTime::fromString(text.toString(), Qt::ISODate);
    return parsed.isValid() && parsed.date().year() >= 1 && parsed.date().year() <= 9999 ? parsed : QDateTime();
}

bool parseNumber(QByteArrayView text, double& value)
{
    const char* p = text.data();
    const char* end = p + text.size();
    const char* start = p;
    if (p < end && (*p == '-' || *p == '+')) {
        ++p;
    }
    const char* digits = p;
    while (p < end && *p >= '0' && *p <= '9') {
        ++p;
    }
    bool any = p > digits;
    if (p < end && *p == '.') {
        ++p;
        const char* fraction = p;
        while (p < end && *p >= '0' && *p <= '9') {
            ++p;
        }
        any = any || p > fraction;
    }
    if (!any) {
        return false;
    }
    if (p < end && (*p == 'e' || *p == 'E')) {
        ++p;
        if (p < end && (*p == '-' || *p == '+')) {
            ++p;
        }
        const char* exponent = p;
        while (p < end && *p >= '0' && *p <= '9') {
            ++p;
        }
        if (p == exponent) {
            return false;
        }
    }
    if (p != end) {
        return false;
    }
    // from_chars takes no leading '+'.
    if (*start == '+') {
        ++start;
    }
    const auto result = std::from_chars(start, end, value);
    return result.ec == std::errc() && result.ptr == end && std::isfinite(value);
}

} // namespace formats
