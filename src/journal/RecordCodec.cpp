#include "RecordCodec.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace RecordCodec {

namespace {

// Tags of a number.
enum NumberTag : quint8 {
    kZero = 0x00,     // +0.0
    kNaN = 0x01,
    kDouble = 0x02,   // 8 bytes, little endian
    kFloat = 0x03,    // 4 bytes, little endian: a float widened to double
    kDecimal = 0x10,  // + places (0..7), then a zigzag varint n: the value is n / 10^places
};

constexpr double kPowers[] = {1.0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7};
constexpr int kMaxPlaces = 7;
constexpr double kExact = 9007199254740992.0; // 2^53

// Time specs.
enum TimeTag : quint8 { kNoTime = 0, kLocal = 1, kUtc = 2, kOffset = 3 };

// Flags.
constexpr quint8 kLegacyFlag = 0x01;
constexpr quint8 kPassFlag = 0x02;
constexpr quint8 kWarningFlag = 0x04; // formats 2 and 3: a PASS with a warning
constexpr quint8 kLibraryBlockFlag = 0x08; // format 3: the library block is there

// The readings' flags: the median was taken; which lists follow.
constexpr quint8 kMedianFlag = 0x01;
constexpr quint8 kStandardReadings = 0x02;
constexpr quint8 kSampleReadings = 0x04;
constexpr quint8 kLegacyStandardReadings = 0x08;
constexpr quint8 kLegacySampleReadings = 0x10;

class Writer
{
public:
    QByteArray bytes;

    void byte(quint8 b) { bytes.append(static_cast<char>(b)); }

    void varint(quint64 v)
    {
        while (v >= 0x80) {
            byte(static_cast<quint8>(v | 0x80));
            v >>= 7;
        }
        byte(static_cast<quint8>(v));
    }

    void signedVarint(qint64 v) { varint((static_cast<quint64>(v) << 1) ^ static_cast<quint64>(v >> 63)); }

    void raw(quint64 v, int size)
    {
        for (int i = 0; i < size; ++i) {
            byte(static_cast<quint8>(v >> (8 * i)));
        }
    }

    void number(double v)
    {
        if (std::isnan(v)) {
            byte(kNaN);
            return;
        }
        if (v == 0.0 && !std::signbit(v)) {
            byte(kZero);
            return;
        }
        if (std::isfinite(v) && std::fabs(v) < kExact) {
            for (int places = 0; places <= kMaxPlaces; ++places) {
                const double scaled = std::nearbyint(v * kPowers[places]);
                if (std::fabs(scaled) >= kExact) {
                    break;
                }
                if (scaled / kPowers[places] == v && !(scaled == 0.0)) {
                    byte(static_cast<quint8>(kDecimal + places));
                    signedVarint(static_cast<qint64>(scaled));
                    return;
                }
            }
        }
        const float narrow = static_cast<float>(v);
        if (static_cast<double>(narrow) == v && !std::isnan(narrow)) {
            quint32 bits = 0;
            std::memcpy(&bits, &narrow, sizeof bits);
            byte(kFloat);
            raw(bits, 4);
            return;
        }
        quint64 bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        byte(kDouble);
        raw(bits, 8);
    }

    void text(const QString& s)
    {
        const QByteArray utf8 = s.toUtf8();
        varint(static_cast<quint64>(utf8.size()));
        bytes.append(utf8);
    }

    void time(const QDateTime& t)
    {
        if (!t.isValid()) {
            byte(kNoTime);
            return;
        }
        switch (t.timeSpec()) {
        case Qt::UTC:
            byte(kUtc);
            break;
        case Qt::OffsetFromUTC:
            byte(kOffset);
            signedVarint(t.offsetFromUtc());
            break;
        default: // local time (a time zone's time is kept as local time)
            byte(kLocal);
            break;
        }
        signedVarint(t.toMSecsSinceEpoch());
    }
};

class Reader
{
public:
    Reader(const QByteArray& bytes)
        : m_data(reinterpret_cast<const quint8*>(bytes.constData())), m_end(m_data + bytes.size())
    {
    }

    bool ok() const { return m_ok; }
    bool atEnd() const { return m_data >= m_end; }
    qint64 left() const { return m_end - m_data; }

    quint8 byte()
    {
        if (m_data >= m_end) {
            m_ok = false;
            return 0;
        }
        return *m_data++;
    }

    quint64 varint()
    {
        quint64 v = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            const quint8 b = byte();
            v |= static_cast<quint64>(b & 0x7f) << shift;
            if (!(b & 0x80)) {
                return v;
            }
        }
        m_ok = false;
        return 0;
    }

    qint64 signedVarint()
    {
        const quint64 v = varint();
        return static_cast<qint64>(v >> 1) ^ -static_cast<qint64>(v & 1);
    }

    quint64 raw(int size)
    {
        quint64 v = 0;
        for (int i = 0; i < size; ++i) {
            v |= static_cast<quint64>(byte()) << (8 * i);
        }
        return v;
    }

    double number()
    {
        const quint8 tag = byte();
        if (tag == kZero) {
            return 0.0;
        }
        if (tag == kNaN) {
            return std::numeric_limits<double>::quiet_NaN();
        }
        if (tag == kDouble) {
            const quint64 bits = raw(8);
            double v = 0;
            std::memcpy(&v, &bits, sizeof v);
            return v;
        }
        if (tag == kFloat) {
            const quint32 bits = static_cast<quint32>(raw(4));
            float v = 0;
            std::memcpy(&v, &bits, sizeof v);
            return v;
        }
        if (tag >= kDecimal && tag <= kDecimal + kMaxPlaces) {
            return static_cast<double>(signedVarint()) / kPowers[tag - kDecimal];
        }
        m_ok = false;
        return 0.0;
    }

    // A text's bytes, in place.
    bool text(const char*& data, int& size)
    {
        const quint64 n = varint();
        if (!m_ok || n > static_cast<quint64>(m_end - m_data)) {
            m_ok = false;
            return false;
        }
        data = reinterpret_cast<const char*>(m_data);
        size = static_cast<int>(n);
        m_data += n;
        return true;
    }

    template <typename LocalOffset>
    QDateTime time(LocalOffset&& localOffset)
    {
        const quint8 tag = byte();
        if (tag == kNoTime) {
            return {};
        }
        int offset = 0;
        if (tag == kOffset) {
            offset = static_cast<int>(signedVarint());
        } else if (tag != kLocal && tag != kUtc) {
            m_ok = false;
            return {};
        }
        const qint64 msecs = signedVarint();
        if (tag == kUtc) {
            return QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC);
        }
        if (tag == kLocal) {
            offset = localOffset(msecs);
        }
        return QDateTime::fromMSecsSinceEpoch(msecs, Qt::OffsetFromUTC, offset);
    }

private:
    const quint8* m_data;
    const quint8* m_end;
    bool m_ok = true;
};

template <std::size_t N>
void writeValues(Writer& w, const std::array<double, N>& values)
{
    for (const double v : values) {
        w.number(v);
    }
}

template <std::size_t N>
void readValues(Reader& r, std::array<double, N>& values)
{
    for (double& v : values) {
        v = r.number();
    }
}

template <std::size_t N>
void writeReadings(Writer& w, const QList<std::array<double, N>>& readings)
{
    if (readings.isEmpty()) {
        return;
    }
    w.varint(static_cast<quint64>(readings.size()));
    for (const auto& values : readings) {
        writeValues(w, values);
    }
}

template <std::size_t N>
bool readReadings(Reader& r, QList<std::array<double, N>>& readings)
{
    const quint64 count = r.varint();
    // Every value takes a byte at least: a count past the bytes left is no record.
    if (!r.ok() || count == 0 || count > static_cast<quint64>(r.left()) / N) {
        return false;
    }
    readings.resize(static_cast<qsizetype>(count));
    for (auto& values : readings) {
        readValues(r, values);
    }
    return r.ok();
}

} // namespace

QByteArray encode(const ComparisonRecord& record)
{
    Writer w;
    w.bytes.reserve(160);
    const LibraryJudgement& library = record.library;
    const ComparisonRecord::ReadingsSummary& readings = record.readings;
    const bool severalReadings = readings.median || !readings.standard.isEmpty() || !readings.sample.isEmpty()
                                 || !readings.legacyStandard.isEmpty() || !readings.legacySample.isEmpty();
    w.byte(severalReadings ? kReadingsFormat : library.inUse() ? kLibraryFormat : kFormat);
    w.byte((record.legacy ? kLegacyFlag : 0) | (record.pass ? kPassFlag : 0)
           | (library.inUse() && library.warning ? kWarningFlag : 0)
           | (severalReadings && library.inUse() ? kLibraryBlockFlag : 0));
    w.number(record.sequence);
    w.text(record.testName);
    w.time(record.time);
    w.text(record.modelName);
    w.text(record.serialNumber);
    writeValues(w, record.standard);
    writeValues(w, record.sample);
    writeValues(w, record.legacyStandard);
    writeValues(w, record.legacySample);
    w.number(record.hazeDifference);
    w.number(record.transmittanceDifference);
    w.number(record.deltaE);
    const ComparisonSettings& s = record.settings;
    w.number(s.hazeTolerance);
    w.number(s.transmittanceTolerance);
    w.number(s.deltaEThreshold);
    w.signedVarint(s.formulaCode);
    w.number(s.parameterThreshold);
    w.signedVarint(displayModeIndex(s.displayMode));
    w.signedVarint(s.layoutIndex);
    w.text(s.formulaText);
    w.text(s.thresholdText);
    if (library.inUse()) {
        w.bytes.append(library.standardId.toRfc4122());
        w.text(library.standardName);
        w.text(library.standardCode);
        w.signedVarint(library.standardVersion);
        w.bytes.append(library.tolerances.id.toRfc4122());
        w.text(library.tolerances.name);
        w.signedVarint(library.tolerances.version);
        w.text(formatToleranceLimits(library.tolerances.limits));
        w.number(library.tolerances.warnPercent);
        w.text(library.decidedBy);
    }
    if (severalReadings) {
        w.byte((readings.median ? kMedianFlag : 0) | (readings.standard.isEmpty() ? 0 : kStandardReadings)
               | (readings.sample.isEmpty() ? 0 : kSampleReadings)
               | (readings.legacyStandard.isEmpty() ? 0 : kLegacyStandardReadings)
               | (readings.legacySample.isEmpty() ? 0 : kLegacySampleReadings));
        writeReadings(w, readings.standard);
        writeReadings(w, readings.sample);
        writeReadings(w, readings.legacyStandard);
        writeReadings(w, readings.legacySample);
    }
    return w.bytes;
}

QString Decoder::shared(Shared& last, const char* data, int size)
{
    if (last.bytes.size() != size || std::memcmp(last.bytes.constData(), data, size) != 0) {
        last.bytes = QByteArray(data, size);
        last.text = QString::fromUtf8(last.bytes);
    }
    return last.text;
}

int Decoder::localOffset(qint64 msecs)
{
    // Asking the system for a local time costs microseconds (it looks at the
    // zone file every time); a zone's offset changes at most once an hour.
    constexpr qint64 kHour = 3600 * 1000;
    const qint64 hour = msecs >= 0 ? msecs / kHour : (msecs - kHour + 1) / kHour;
    const auto known = m_hourOffsets.constFind(hour);
    if (known != m_hourOffsets.constEnd()) {
        return known.value();
    }
    const int first = QDateTime::fromMSecsSinceEpoch(hour * kHour).offsetFromUtc();
    const int last = QDateTime::fromMSecsSinceEpoch(hour * kHour + kHour - 1).offsetFromUtc();
    if (first != last) {
        return QDateTime::fromMSecsSinceEpoch(msecs).offsetFromUtc(); // the clocks change in this hour
    }
    if (m_hourOffsets.size() > 100000) {
        m_hourOffsets.clear();
    }
    m_hourOffsets.insert(hour, first);
    return first;
}

bool Decoder::decode(const QByteArray& bytes, ComparisonRecord& record)
{
    Reader r(bytes);
    const quint8 format = r.byte();
    if (format != kFormat && format != kLibraryFormat && format != kReadingsFormat) {
        return false;
    }
    const quint8 flags = r.byte();
    record.legacy = flags & kLegacyFlag;
    record.pass = flags & kPassFlag;
    record.sequence = r.number();
    const char* data = nullptr;
    int size = 0;
    if (!r.text(data, size)) {
        return false;
    }
    record.testName = QString::fromUtf8(data, size);
    record.time = r.time([this](qint64 msecs) { return localOffset(msecs); });
    if (!r.text(data, size)) {
        return false;
    }
    record.modelName = shared(m_model, data, size);
    if (!r.text(data, size)) {
        return false;
    }
    record.serialNumber = shared(m_serial, data, size);
    readValues(r, record.standard);
    readValues(r, record.sample);
    readValues(r, record.legacyStandard);
    readValues(r, record.legacySample);
    record.hazeDifference = r.number();
    record.transmittanceDifference = r.number();
    record.deltaE = r.number();
    ComparisonSettings& s = record.settings;
    s.hazeTolerance = r.number();
    s.transmittanceTolerance = r.number();
    s.deltaEThreshold = r.number();
    s.formulaCode = static_cast<int>(r.signedVarint());
    s.parameterThreshold = r.number();
    s.displayMode = displayModeFromIndex(static_cast<int>(r.signedVarint()));
    s.layoutIndex = static_cast<int>(r.signedVarint());
    if (!r.text(data, size)) {
        return false;
    }
    s.formulaText = shared(m_formula, data, size);
    if (!r.text(data, size)) {
        return false;
    }
    s.thresholdText = shared(m_threshold, data, size);
    record.library = LibraryJudgement();
    if (format == kLibraryFormat || (format == kReadingsFormat && (flags & kLibraryBlockFlag))) {
        LibraryJudgement& library = record.library;
        const auto uuid = [&r](QUuid& id) {
            QByteArray raw(16, Qt::Uninitialized);
            for (char& c : raw) {
                c = static_cast<char>(r.byte());
            }
            id = QUuid::fromRfc4122(raw);
        };
        const auto text = [&](QString& out) {
            if (!r.text(data, size)) {
                return false;
            }
            out = QString::fromUtf8(data, size);
            return true;
        };
        uuid(library.standardId);
        if (!text(library.standardName) || !text(library.standardCode)) {
            return false;
        }
        library.standardVersion = r.signedVarint();
        uuid(library.tolerances.id);
        if (!text(library.tolerances.name)) {
            return false;
        }
        library.tolerances.version = r.signedVarint();
        if (!r.text(data, size)) {
            return false;
        }
        if (m_limitsText.size() != size || std::memcmp(m_limitsText.constData(), data, size) != 0) {
            m_limitsText = QByteArray(data, size);
            const ToleranceParse parsed = parseToleranceLimits(QString::fromUtf8(m_limitsText));
            if (!parsed.ok()) {
                m_limitsText.clear();
                return false;
            }
            m_limits = parsed.limits;
        }
        library.tolerances.limits = m_limits;
        library.tolerances.warnPercent = r.number();
        if (!text(library.decidedBy)) {
            return false;
        }
        library.warning = flags & kWarningFlag;
    }
    record.readings = ComparisonRecord::ReadingsSummary();
    if (format != kReadingsFormat) {
        return r.ok(); // one reading of each
    }
    ComparisonRecord::ReadingsSummary& readings = record.readings;
    const quint8 listed = r.byte();
    readings.median = listed & kMedianFlag;
    if (((listed & kStandardReadings) && !readReadings(r, readings.standard))
        || ((listed & kSampleReadings) && !readReadings(r, readings.sample))
        || ((listed & kLegacyStandardReadings) && !readReadings(r, readings.legacyStandard))
        || ((listed & kLegacySampleReadings) && !readReadings(r, readings.legacySample))) {
        return false;
    }
    return r.ok();
}

} // namespace RecordCodec
