#include "VirtualInstrument.h"

#include "Bytes.h"
#include "EmulatorLog.h"
#include "EmulatorMemoryMap.h"
#include "FrameChecksum.h"
#include "StoredRecords.h"

#include <cmath>

using namespace EmulatorMemoryMap;

namespace {

constexpr quint8 kStart = 0xAB;
constexpr quint16 kSelectorKeyInformation = 0x0005;
constexpr quint16 kSelectorSoftwareVersion = 0x000C;
constexpr quint16 kSelectorSpectrum = 0x0049;
constexpr quint8 kAccessWordLow = 0x5E;
constexpr quint8 kAccessWordHigh = 0x21;
constexpr int kLargestTransfer = 4096;
constexpr quint8 kKeyInformationMarker = 0xA5;
constexpr quint8 kProductionMarker = 0x5A;

QByteArray sealed(QByteArray frame)
{
    putU16le(frame, frameChecksum(frame));
    return frame;
}

// A reply: the request's header echoed (headerBytes of it), the data, the frame checksum.
QByteArray echoReply(const QByteArray& request, int headerBytes, const QByteArray& data = QByteArray())
{
    return sealed(request.left(headerBytes) + data);
}

QByteArray sized(QByteArray data, int length)
{
    data.resize(length, '\0');
    return data;
}

QByteArray withBlockChecksum(const QByteArray& values)
{
    QByteArray out = values;
    putU16le(out, frameChecksum(values));
    return out;
}

bool blockChecksumOk(const QByteArray& block)
{
    if (block.size() < 3) {
        return false;
    }
    return getU16le(block, block.size() - 2) == frameChecksum(block, block.size() - 2);
}

} // namespace

VirtualInstrument::VirtualInstrument(const EmulatorModel& model)
    : m_model(model)
{
    writeProductionInformation();
    writeFactorySettings();
    const bool film = m_model.measuresTransmittance();
    for (int mode = 0; mode < 7; ++mode) {
        fillComparisonRecords(mode, StoredRecords::kDefaultCounts[mode]);
    }
    if (!film) {
        // The legacy colour-difference area shares its addresses with the
        // transmittance instruments' spectral area; only colorimeters have it.
        QList<QByteArray> data;
        QList<QByteArray> names;
        for (int i = 0; i < StoredRecords::kDefaultLegacyCount; ++i) {
            data << StoredRecords::legacyRecord(i);
            names << StoredRecords::legacyName(i);
        }
        storeLegacyRecords(data, names);
    }
    QList<QList<double>> curves;
    QList<QByteArray> names;
    for (int i = 0; i < StoredRecords::kDefaultSpectralCount; ++i) {
        curves << builtInSpectrum(i + 1, film);
        names << StoredRecords::spectralName(i);
    }
    storeSpectralRecords(curves, names);
}

void VirtualInstrument::writeProductionInformation()
{
    QByteArray info;
    putU8(info, kProductionMarker);
    putU8(info, 0);
    putU16le(info, static_cast<quint16>(m_model.productionDate.year()));
    putU8(info, static_cast<quint8>(m_model.productionDate.month()));
    putU8(info, static_cast<quint8>(m_model.productionDate.day()));
    putU32le(info, m_model.serialNumber);
    putU32le(info, m_model.meterNumber);
    putU16le(info, 0x0102); // hardware revision
    putU8(info, 1);
    putU8(info, 0);
    writeProtected(kProductionInformation, info);
}

void VirtualInstrument::writeFactorySettings()
{
    setDisplayMode(m_model.displayMode);
    setTolerances(50, 100, 10); // haze 0.50, transmittance 1.00, threshold 1.0
    setDeltaEParameter(0, 10);  // CIE76 at 1.0
    QByteArray count;
    putU16le(count, 0);
    writeProtected(kStandardColorCount, count);
}

void VirtualInstrument::setIdentity(quint32 meterNumber, quint32 serialNumber)
{
    m_model.meterNumber = meterNumber;
    m_model.serialNumber = serialNumber;
    writeProductionInformation();
}

void VirtualInstrument::writeProtected(quint32 address, const QByteArray& values)
{
    m_memory.write(address, withBlockChecksum(values));
}

quint16 VirtualInstrument::protectedValue16(quint32 address) const
{
    return getU16le(m_memory.read(address, 2), 0);
}

// ---- settings ---------------------------------------------------------------

int VirtualInstrument::displayMode() const
{
    return getU8(m_memory.read(kDisplayParameter, 1), 0);
}

void VirtualInstrument::setDisplayMode(int mode)
{
    QByteArray value;
    putU8(value, static_cast<quint8>(mode));
    writeProtected(kDisplayParameter, value);
}

int VirtualInstrument::hazeTolerance() const
{
    return protectedValue16(kTolerances);
}

int VirtualInstrument::transmittanceTolerance() const
{
    return protectedValue16(kTolerances + 2);
}

int VirtualInstrument::deltaEThreshold() const
{
    return protectedValue16(kTolerances + 4);
}

void VirtualInstrument::setTolerances(int haze, int transmittance, int deltaE)
{
    QByteArray values;
    putU16le(values, static_cast<quint16>(haze));
    putU16le(values, static_cast<quint16>(transmittance));
    putU16le(values, static_cast<quint16>(deltaE));
    writeProtected(kTolerances, values);
}

int VirtualInstrument::deltaEFormula() const
{
    return getU8(m_memory.read(kDeltaEParameter, 1), 0);
}

int VirtualInstrument::deltaEParameterThreshold() const
{
    return protectedValue16(kDeltaEParameter + 1);
}

void VirtualInstrument::setDeltaEParameter(int formula, int threshold)
{
    QByteArray values;
    putU8(values, static_cast<quint8>(formula));
    putU16le(values, static_cast<quint16>(threshold));
    writeProtected(kDeltaEParameter, values);
}

// ---- measurements -----------------------------------------------------------

void VirtualInstrument::queueReading(const EmulatorReading& reading)
{
    m_queuedRecords.push_back(recordFromReading(reading, m_model.isFirstGeneration()));
}

void VirtualInstrument::clearQueuedMeasurements()
{
    m_queuedRecords.clear();
    m_queuedSpectra.clear();
}

MeasurementRecord VirtualInstrument::takeMeasurement()
{
    if (!m_queuedRecords.empty()) {
        m_lastRecord = m_queuedRecords.front();
        m_queuedRecords.pop_front();
    } else {
        m_lastRecord = recordFromReading(builtInReading(m_measurementsTaken, m_model.measuresTransmittance()),
                                         m_model.isFirstGeneration());
    }
    ++m_measurementsTaken;
    return m_lastRecord;
}

QByteArray VirtualInstrument::fullRecordFrame(const MeasurementRecord& record) const
{
    QByteArray frame;
    putU8(frame, kStart);
    putU8(frame, 0x44);
    putU32le(frame, 0);
    putU16le(frame, 0x36);
    frame.append(encodeMeasurementRecord(record));
    return sealed(frame);
}

QByteArray VirtualInstrument::blockFrame(const MeasurementRecord& record, int k) const
{
    QByteArray frame;
    putU8(frame, kStart);
    putU8(frame, 0x44);
    putU32le(frame, static_cast<quint32>(0x20 + k));
    putU16le(frame, 0x18);
    frame.append(encodeMeasurementBlock(record, k));
    return sealed(frame);
}

// ---- stored records ---------------------------------------------------------

void VirtualInstrument::storeComparisonRecords(int mode, const QList<QByteArray>& data,
                                               const QList<QByteArray>& names)
{
    if (mode < 0 || mode > 6) {
        return;
    }
    QByteArray area;
    for (const QByteArray& record : data) {
        area.append(sized(record, kRecordDataSize[mode]));
    }
    QByteArray nameArea;
    for (int i = 0; i < data.size(); ++i) {
        nameArea.append(StoredRecords::nameRecord(i < names.size() ? names.at(i) : QByteArray(), kRecordNameSize));
    }
    m_memory.write(recordDataArea(mode), area);
    m_memory.write(recordNameArea(mode), nameArea);
    QByteArray count;
    putU16le(count, static_cast<quint16>(data.size()));
    writeProtected(kCountCellsLayout03[mode], count);
    writeProtected(kCountCellsLayout12[mode], count);
}

void VirtualInstrument::fillComparisonRecords(int mode, int count)
{
    QList<QByteArray> data;
    QList<QByteArray> names;
    for (int i = 0; i < count; ++i) {
        data << StoredRecords::comparisonRecord(mode, i, m_model.measuresTransmittance());
        names << StoredRecords::comparisonName(mode, i);
    }
    storeComparisonRecords(mode, data, names);
}

int VirtualInstrument::storedRecordCount(int mode) const
{
    if (mode < 0 || mode > 6) {
        return 0;
    }
    return protectedValue16(countCell(mode, m_model.layoutIndex));
}

void VirtualInstrument::storeLegacyRecords(const QList<QByteArray>& data, const QList<QByteArray>& names)
{
    QByteArray area;
    QByteArray nameArea;
    for (int i = 0; i < data.size(); ++i) {
        area.append(sized(data.at(i), kLegacyDataSize));
        nameArea.append(StoredRecords::nameRecord(i < names.size() ? names.at(i) : QByteArray(), kLegacyNameSize));
    }
    m_memory.write(kLegacyData, area);
    m_memory.write(kLegacyNames, nameArea);
    QByteArray info;
    putU16le(info, 500); // capacity
    putU16le(info, 0);
    putU16le(info, static_cast<quint16>(data.size()));
    putU16le(info, 0);
    writeProtected(kLegacyInfo, info);
}

int VirtualInstrument::legacyRecordCount() const
{
    return protectedValue16(kLegacyInfo + 4);
}

quint32 VirtualInstrument::spectralInfoAddress() const
{
    return m_model.measuresTransmittance() ? kSpectralInfoLayout03 : kSpectralInfoLayout12;
}

quint32 VirtualInstrument::spectralValueAddress() const
{
    return m_model.measuresTransmittance() ? kSpectralValuesLayout03 : kSpectralValuesLayout12;
}

void VirtualInstrument::storeSpectralRecords(const QList<QList<double>>& curves, const QList<QByteArray>& names)
{
    const int count = std::min(static_cast<int>(curves.size()), kSpectralCapacity);
    const quint32 base = spectralValueAddress();
    for (int t = 0; t < count; ++t) {
        QByteArray values;
        for (int k = 0; k < kSpectralPoints; ++k) {
            const double v = k < curves.at(t).size() ? curves.at(t).at(k) : 0.0;
            putU16le(values, static_cast<quint16>(static_cast<qint16>(std::lround(v * 100.0))));
        }
        writeProtected(base + static_cast<quint32>(kSpectralRecordStride * t), values);
        m_memory.write(base + kSpectralNameOffset + static_cast<quint32>(kRecordNameSize * t),
                       StoredRecords::nameRecord(t < names.size() ? names.at(t) : QByteArray(), kRecordNameSize));
    }
    QByteArray info;
    putU16le(info, static_cast<quint16>(kSpectralCapacity));
    putU16le(info, static_cast<quint16>(count));
    putU16le(info, 0);
    writeProtected(spectralInfoAddress(), info);
}

int VirtualInstrument::spectralRecordCount() const
{
    return protectedValue16(spectralInfoAddress() + 2);
}

// ---- standard-colour library -----------------------------------------------

int VirtualInstrument::standardColorCount() const
{
    return protectedValue16(kStandardColorCount);
}

QList<StandardColorCard> VirtualInstrument::standardColorCards() const
{
    QList<StandardColorCard> cards;
    for (int i = 0; i < standardColorCount(); ++i) {
        const QByteArray rec = m_memory.read(kStandardColorCards + static_cast<quint32>(kStandardColorCardStride * i),
                                             kStandardColorCardSize);
        StandardColorCard card;
        card.nameA = rec.left(16);
        card.nameB = rec.mid(16, 16);
        card.valueA = getU16le(rec, 32);
        card.valueB = getU16le(rec, 34);
        cards << card;
    }
    return cards;
}

QByteArray VirtualInstrument::standardColorStream() const
{
    return m_memory.read(m_transferStart, static_cast<int>(m_transferNext - m_transferStart));
}

// ---- requests ---------------------------------------------------------------

std::optional<EmulatorReply> VirtualInstrument::handleRequest(const QByteArray& frame)
{
    switch (getU8(frame, 1)) {
    case 0x20:
        return informationReply(frame);
    case 0x40:
        return memoryReadReply(frame);
    case 0x44:
        return measurementReply(frame);
    case 0x70:
        return memoryWriteReply(frame);
    case 0x74:
        return blockTransferReply(frame);
    default:
        return errorReplyFor(frame);
    }
}

EmulatorReply VirtualInstrument::refusal(quint8 form, quint8 code) const
{
    // Either form is shorter than any reply that carries data.
    QByteArray frame;
    putU8(frame, kStart);
    putU8(frame, form);
    putU8(frame, code);
    if (m_longRefusals) {
        frame.append(QByteArray(5, '\0')); // as long as an acknowledgement
    }
    return {sealed(frame), -1};
}

EmulatorReply VirtualInstrument::errorReplyFor(const QByteArray& frame) const
{
    const quint8 function = getU8(frame, 1);
    switch (function) {
    case 0x20:
        return refusal(0xA0, getU16le(frame, 2) == kSelectorKeyInformation ? 4 : 1);
    case 0x40:
        if (getU32le(frame, 2) == kProductionInformation && getU16le(frame, 6) == kProductionInformationLength) {
            return refusal(0xC7, 8);
        }
        return refusal(0xC0, 1);
    case 0x74:
        return refusal(0xF4, 1);
    default:
        return refusal(static_cast<quint8>(function | 0x80), 1);
    }
}

QByteArray VirtualInstrument::keyInformation() const
{
    QByteArray info;
    putU8(info, kKeyInformationMarker);
    putU8(info, 0);
    putU16le(info, static_cast<quint16>(m_model.productionDate.year()));
    putU8(info, static_cast<quint8>(m_model.productionDate.month()));
    putU8(info, static_cast<quint8>(m_model.productionDate.day()));
    putU32le(info, m_model.serialNumber);
    putU32le(info, m_model.meterNumber);
    putU16le(info, 0x0102);
    putU16le(info, 0);
    return info;
}

EmulatorReply VirtualInstrument::informationReply(const QByteArray& frame)
{
    const quint16 selector = getU16le(frame, 2);
    const int length = getU16le(frame, 4);
    if (length > kLargestTransfer) {
        return refusal(0xA0, 3);
    }
    QByteArray data;
    if (selector == kSelectorKeyInformation) {
        if (!m_model.offersKeyInformation) {
            return refusal(0xA0, 4);
        }
        if (frame.size() < 10 || getU8(frame, 6) != kAccessWordLow || getU8(frame, 7) != kAccessWordHigh) {
            return refusal(0xA0, 2);
        }
        data = keyInformation();
    } else if (selector == kSelectorSoftwareVersion) {
        putU16le(data, static_cast<quint16>(m_model.softwareVersion));
    } else if (selector == kSelectorSpectrum) {
        QList<double> curve;
        if (!m_queuedSpectra.empty()) {
            curve = m_queuedSpectra.front();
            m_queuedSpectra.pop_front();
        } else {
            curve = builtInSpectrum(m_spectraTaken, m_model.measuresTransmittance());
        }
        ++m_spectraTaken;
        for (int k = 0; k < kSpectralPoints; ++k) {
            const double v = k < curve.size() ? curve.at(k) : 0.0;
            // Signed like the stored curves: a reading just below zero stays one.
            putU16le(data, static_cast<quint16>(static_cast<qint16>(std::lround(v * 100.0))));
        }
    } else {
        return refusal(0xA0, 1);
    }
    return {echoReply(frame, 6, sized(data, length)), -1};
}

EmulatorReply VirtualInstrument::memoryReadReply(const QByteArray& frame)
{
    const quint32 address = getU32le(frame, 2);
    const int length = getU16le(frame, 6);
    if (address == kProductionInformation && length == kProductionInformationLength
        && !m_productionInformationOffered) {
        return refusal(0xC7, 8);
    }
    if (length > kLargestTransfer) {
        return refusal(0xC0, 3);
    }
    // Protected regions are read together with their checksum, which then
    // forms the last two data bytes.
    return {echoReply(frame, 8, m_memory.read(address, length)), length >= 3 ? 8 + length - 2 : -1};
}

EmulatorReply VirtualInstrument::measurementReply(const QByteArray& frame)
{
    const quint32 address = getU32le(frame, 2);
    const int length = getU16le(frame, 6);
    if (length > kLargestTransfer) {
        return refusal(0xC4, 3);
    }
    QByteArray data;
    if (address == 0) {
        // With or without the two extra bytes the instrument measures and
        // answers with the whole record.
        data = encodeMeasurementRecord(takeMeasurement());
    } else if (address >= 0x20 && address <= 0x25) {
        data = encodeMeasurementBlock(takeMeasurement(), static_cast<int>(address - 0x20));
    } else {
        return refusal(0xC4, 1);
    }
    return {echoReply(frame, 8, sized(data, length)), -1};
}

EmulatorReply VirtualInstrument::memoryWriteReply(const QByteArray& frame)
{
    const quint32 address = getU32le(frame, 2);
    const int length = getU16le(frame, 6);
    const QByteArray block = frame.mid(8, length);
    if (!blockChecksumOk(block)) {
        qCDebug(lcEmulator) << "write refused: data checksum" << Qt::hex << address;
        return refusal(0xF0, 2);
    }
    if (address == kDisplayParameter && getU8(block, 0) > 6) {
        return refusal(0xF0, 3);
    }
    if (address == kDeltaEParameter && getU8(block, 0) > 6) {
        return refusal(0xF0, 3);
    }
    if (address == kStandardColorCount) {
        // A new library: whatever transfer was under way is abandoned.
        m_transferActive = false;
        m_transferCompleted = false;
    }
    m_memory.write(address, block);
    return {echoReply(frame, 8), -1};
}

std::optional<EmulatorReply> VirtualInstrument::blockTransferReply(const QByteArray& frame)
{
    const quint32 address = getU32le(frame, 2);
    const int length = getU16le(frame, 6);
    if (length > 0) {
        if (!m_transferActive) {
            m_transferActive = true;
            m_transferBroken = false;
            m_transferCompleted = false;
            m_transferStart = address;
            m_transferNext = address;
        }
        if (address != m_transferNext) {
            m_transferBroken = true;
        }
        m_memory.write(address, frame.mid(8, length));
        m_transferNext = address + static_cast<quint32>(length);
        return std::nullopt; // data frames are not acknowledged
    }
    // The end frame closes the transfer; a stream with a gap, or an end that
    // is not just past its last byte, is refused.
    const bool refuse = m_refuseBlockTransfer || m_transferBroken || (m_transferActive && address != m_transferNext);
    m_transferActive = false;
    m_transferBroken = false;
    if (refuse) {
        qCDebug(lcEmulator) << "block transfer refused at" << Qt::hex << address;
        return refusal(0xF4, 1);
    }
    m_transferCompleted = true;
    return EmulatorReply{echoReply(frame, 8), -1};
}
