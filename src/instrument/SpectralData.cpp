#include "SpectralData.h"

#include "Bytes.h"
#include "Frames.h"
#include "InstrumentText.h"
#include "Readings.h"
#include "RecordCommands.h"
#include "Transport.h"

#include <algorithm>

namespace {

constexpr quint16 kSpectrumSelector = 0x0049;
constexpr quint16 kSpectrumLength = 0x3E; // 31 values of two bytes
constexpr int kSpectrumReplyLen = Frame::InfoHeaderBytes + kSpectrumLength + Frame::ChecksumBytes;

constexpr quint32 kValuesLayout03 = 0x20000;
constexpr quint32 kValuesOtherLayouts = 0x140000;
constexpr quint32 kNameAreaOffset = 0x1900;

bool transmittanceLayout(int layout)
{
    return layout == 0 || layout == 3;
}

int ceilDiv(int a, int b)
{
    return (a + b - 1) / b;
}

} // namespace

std::array<double, kSpectralPointCount> decodeSpectralValues(const QByteArray& bytes, int offset)
{
    std::array<double, kSpectralPointCount> values{};
    for (int k = 0; k < kSpectralPointCount; ++k) {
        const int pos = offset + 2 * k;
        if (pos >= 0 && pos + 2 <= bytes.size()) {
            values[static_cast<size_t>(k)] = getS16le(bytes, pos) / 100.0;
        }
    }
    return values;
}

int measureSpectrum(Transport& transport, SpectralRecord& record)
{
    QByteArray request = informationRequest(kSpectrumSelector, kSpectrumLength);
    QByteArray reply;
    const int result = exchangeFrame(transport, request, reply, kSpectrumReplyLen, true,
                                     Frame::ReceiveTimeoutMs);
    if (result != ProtocolResult::Success) {
        return result;
    }
    if (replyIsForeign(reply, 1, Frame::Information, 4, static_cast<quint8>(kSpectrumLength))) {
        return ProtocolResult::WrongReply;
    }
    record.values = decodeSpectralValues(reply, Frame::InfoHeaderBytes);
    record.shown = true;
    return ProtocolResult::Success;
}

int measureSpectrumReadings(Transport& transport, int n, bool median, SpectralRecord& record)
{
    QList<QList<double>> curves;
    for (int i = 0; i < std::max(1, n); ++i) {
        SpectralRecord one;
        const int result = measureSpectrum(transport, one);
        if (result != ProtocolResult::Success) {
            return result;
        }
        curves.append(QList<double>(one.values.begin(), one.values.end()));
    }
    const QList<double> averaged = averageCurves(curves, median);
    std::copy(averaged.begin(), averaged.end(), record.values.begin());
    record.shown = true;
    return ProtocolResult::Success;
}

quint32 SpectralHistoryPlan::blockAddress(int i) const
{
    if (isValueBlock(i)) {
        return valueBase + static_cast<quint32>(kBlockBytes * i);
    }
    return nameBase + static_cast<quint32>(kBlockBytes * (i - valueBlocks));
}

int SpectralHistoryPlan::blockLength(int i) const
{
    const int area = isValueBlock(i) ? kRecordStride * count : kNameBytes * count;
    const int first = kBlockBytes * (isValueBlock(i) ? i : i - valueBlocks);
    return std::clamp(area - first, 0, kBlockBytes);
}

SpectralHistoryPlan spectralHistoryPlan(int count, int layout)
{
    SpectralHistoryPlan plan;
    plan.count = std::max(count, 0);
    plan.valueBase = transmittanceLayout(layout) ? kValuesLayout03 : kValuesOtherLayouts;
    plan.nameBase = plan.valueBase + kNameAreaOffset;
    plan.valueBlocks = ceilDiv(SpectralHistoryPlan::kRecordStride * plan.count, SpectralHistoryPlan::kBlockBytes);
    plan.nameBlocks = ceilDiv(SpectralHistoryPlan::kNameBytes * plan.count, SpectralHistoryPlan::kBlockBytes);
    return plan;
}

QList<NamedSpectrum> decodeSpectralHistory(const QByteArray& valueArea, const QByteArray& nameArea,
                                           int count)
{
    QList<NamedSpectrum> out;
    out.reserve(count);
    for (int t = 0; t < count; ++t) {
        NamedSpectrum entry;
        entry.record.values = decodeSpectralValues(valueArea, SpectralHistoryPlan::kRecordStride * t);
        entry.name = decodeInstrumentName(
            nameArea.mid(SpectralHistoryPlan::kNameBytes * t, SpectralHistoryPlan::kNameBytes));
        out << entry;
    }
    return out;
}

SpectralImportResult importSpectralHistory(Transport& transport, int layout,
                                           const std::function<void(int)>& begin,
                                           const std::function<bool(int)>& step)
{
    SpectralImportResult result;
    int count = 0;
    const int info = readSpectralRecordInfo(transport, count, layout);
    if (info == ProtocolResult::BadDataChecksum) {
        result.status = SpectralImportStatus::CountChecksumBad;
        return result;
    }
    if (info != ProtocolResult::Success) {
        result.status = SpectralImportStatus::CountFailed;
        return result;
    }
    if (count < 1) {
        result.status = SpectralImportStatus::NoRecords;
        return result;
    }
    const SpectralHistoryPlan plan = spectralHistoryPlan(count, layout);
    if (begin) {
        begin(plan.blockCount());
    }
    QByteArray values;
    QByteArray names;
    for (int i = 0; i < plan.blockCount(); ++i) {
        QByteArray& area = plan.isValueBlock(i) ? values : names;
        if (readBlock(transport, plan.blockAddress(i), area, plan.blockLength(i)) != ProtocolResult::Success) {
            result.status = plan.isValueBlock(i) ? SpectralImportStatus::ValueBlockFailed
                                                 : SpectralImportStatus::NameBlockFailed;
            return result;
        }
        if (step && !step(i)) {
            result.status = SpectralImportStatus::Canceled;
            return result;
        }
    }
    result.records = decodeSpectralHistory(values, names, count);
    return result;
}
