#include "RecordDecoding.h"

#include "Bytes.h"
#include "Colorimetry.h"
#include "InstrumentText.h"

#include <QStringDecoder>

namespace RecordDecoding {

namespace {

constexpr int kDataSizes[kModeCount] = {8, 4, 4, 12, 24, 24, 20};
constexpr quint32 kDataBase = 0x400000;
constexpr quint32 kAreaStride = 0x80000;
constexpr quint32 kNameOffset = 0x40000;

// One 16-bit word of a record: signed or unsigned, divided down.
double word(const QByteArray& record, int index, bool isSigned, double divisor)
{
    const int pos = 2 * index;
    const double raw = isSigned ? double(getS16le(record, pos)) : double(getU16le(record, pos));
    return raw / divisor;
}

using Values = std::array<double, ComparisonRecord::ValueCount>;

// The words of one colour (standard or sample) of a mode, starting at word `first`.
void decodeColor(int mode, const QByteArray& record, int first, Values& v)
{
    using R = ComparisonRecord;
    auto u = [&](int i, double divisor) { return word(record, first + i, false, divisor); };
    auto s = [&](int i) { return word(record, first + i, true, 100.0); };
    switch (displayModeFromIndex(mode)) {
    case DisplayMode::HazeT:
        v[R::Haze] = u(0, 100.0);
        v[R::Transmittance] = u(1, 100.0);
        break;
    case DisplayMode::Haze:
        v[R::Haze] = u(0, 100.0);
        break;
    case DisplayMode::Transmittance:
        v[R::Transmittance] = u(0, 100.0);
        break;
    default:
        // Every other mode starts with signed L*, a*, b*.
        v[R::LabL] = s(0);
        v[R::LabA] = s(1);
        v[R::LabB] = s(2);
        if (mode == displayModeIndex(DisplayMode::LCh)) {
            v[R::LchL] = u(3, 100.0);
            v[R::LchC] = u(4, 100.0);
            v[R::LchH] = u(5, 10.0);
        } else if (mode == displayModeIndex(DisplayMode::Yxy)) {
            v[R::Y] = u(3, 100.0);
            v[R::X] = u(4, 10000.0);
            v[R::SmallY] = u(5, 10000.0);
        } else if (mode == displayModeIndex(DisplayMode::HazeTLab)) {
            v[R::Haze] = u(3, 100.0);
            v[R::Transmittance] = u(4, 100.0);
        }
        break;
    }
}

// How many bytes at the end of `bytes` belong to a UTF-8 sequence that the
// cut left incomplete (0 when the last sequence is whole).
int incompleteUtf8Tail(const QByteArray& bytes)
{
    const int n = bytes.size();
    for (int back = 1; back <= 3 && back <= n; ++back) {
        const auto c = static_cast<quint8>(bytes.at(n - back));
        if ((c & 0xC0) == 0x80) {
            continue; // a continuation byte: look further back for the lead byte
        }
        const int needed = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 1;
        return needed > back ? back : 0;
    }
    return 0;
}

bool isValidUtf8(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString ignored = utf8(bytes);
    static_cast<void>(ignored);
    return !utf8.hasError();
}

QByteArray upToZero(const QByteArray& bytes)
{
    const int end = bytes.indexOf('\0');
    return end < 0 ? bytes : bytes.left(end);
}

} // namespace

int dataRecordSize(int displayMode)
{
    return displayMode >= 0 && displayMode < kModeCount ? kDataSizes[displayMode] : 0;
}

quint32 dataArea(int displayMode)
{
    return kDataBase + kAreaStride * static_cast<quint32>(displayMode);
}

quint32 nameArea(int displayMode)
{
    return dataArea(displayMode) + kNameOffset;
}

bool carriesLab(int displayMode)
{
    return judgesDeltaE(displayModeFromIndex(displayMode));
}

bool decodeComparisonRecord(int displayMode, const QByteArray& record, ComparisonRecord& result)
{
    const int size = dataRecordSize(displayMode);
    if (size == 0 || record.size() < size) {
        return false;
    }
    const int wordsPerColor = size / 4; // two colours of 16-bit words
    Values standard{};
    Values sample{};
    decodeColor(displayMode, record, 0, standard);
    decodeColor(displayMode, record, wordsPerColor, sample);
    result.standard = standard;
    result.sample = sample;
    return true;
}

bool decodeLegacyRecord(const QByteArray& record, ComparisonRecord& result)
{
    if (record.size() < kLegacyDataSize) {
        return false;
    }
    using R = ComparisonRecord;
    auto fill = [&](int first, std::array<double, R::LegacyCount>& v) {
        v[R::LegacyL] = word(record, first, true, 100.0);
        v[R::LegacyA] = word(record, first + 1, true, 100.0);
        v[R::LegacyB] = word(record, first + 2, true, 100.0);
        v[R::LegacyC] = chroma(v[R::LegacyA], v[R::LegacyB]);
        v[R::LegacyH] = displayHue(v[R::LegacyA], v[R::LegacyB]);
    };
    fill(0, result.legacyStandard);
    fill(3, result.legacySample);
    return true;
}

QString comparisonRecordName(const QByteArray& nameRecord)
{
    const QByteArray shown = upToZero(nameRecord.left(kNameShownBytes));
    if (!isValidUtf8(shown) && isValidUtf8(upToZero(nameRecord))) {
        // The stored name is UTF-8 and the cut fell inside its last character.
        const int tail = incompleteUtf8Tail(shown);
        const QByteArray whole = shown.left(shown.size() - tail);
        if (tail > 0 && isValidUtf8(whole)) {
            return decodeInstrumentName(whole);
        }
    }
    return decodeInstrumentName(shown);
}

QString legacyRecordName(const QByteArray& nameRecord)
{
    return decodeInstrumentName(nameRecord.left(kLegacyNameSize));
}

} // namespace RecordDecoding
