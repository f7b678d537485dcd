#pragma once
// The emulated instrument's memory and command handling. It answers one
// complete request frame at a time; InstrumentEmulator moves the bytes and
// serialises every call into it (the class itself locks nothing).

#include "EmulatorModel.h"
#include "MeasurementSequence.h"
#include "SparseMemory.h"

#include <QByteArray>
#include <QList>

#include <deque>
#include <optional>

// One frame the instrument sends.
struct EmulatorReply
{
    QByteArray bytes;          // the whole frame, frame checksum included
    int blockChecksumPos = -1; // offset of a data-block checksum inside bytes, or -1
};

// A card record of the standard-colour library as the instrument holds it.
struct StandardColorCard
{
    QByteArray nameA; // 16 bytes as stored (zero padded)
    QByteArray nameB;
    int valueA = 0;   // number of data rows of the card
    int valueB = 0;
};

class VirtualInstrument
{
public:
    explicit VirtualInstrument(const EmulatorModel& model);

    const EmulatorModel& model() const { return m_model; }

    // Answers one request frame whose frame checksum has been verified.
    // No value: the instrument stays silent (block-transfer data frames).
    std::optional<EmulatorReply> handleRequest(const QByteArray& frame);
    // The refusal of this request: the function's error form in byte 1 and the
    // code in byte 2 (0xA0 04 key information, 0xC7 08 production information,
    // 0xF4 01 end of a block transfer, function | 0x80 with code 1 otherwise).
    EmulatorReply errorReplyFor(const QByteArray& frame) const;
    // Refusals in the short form (AB, form, code, frame checksum: 5 bytes, the
    // default) or the long one (padded with zeros to an acknowledgement's 10).
    void setLongRefusals(bool longForm) { m_longRefusals = longForm; }

    // Identification.
    void setKeyInformationOffered(bool offered) { m_model.offersKeyInformation = offered; }
    void setProductionInformationOffered(bool offered) { m_productionInformationOffered = offered; }
    void setSoftwareVersion(int version) { m_model.softwareVersion = version; }
    void setIdentity(quint32 meterNumber, quint32 serialNumber);

    // Settings as stored; the application's writes change them.
    int displayMode() const;
    void setDisplayMode(int mode);
    int hazeTolerance() const;
    int transmittanceTolerance() const;
    int deltaEThreshold() const;
    void setTolerances(int haze, int transmittance, int deltaE);
    int deltaEFormula() const;
    int deltaEParameterThreshold() const;
    void setDeltaEParameter(int formula, int threshold);

    // Measurements: queued values first, then the built-in sequence.
    void queueMeasurement(const MeasurementRecord& record) { m_queuedRecords.push_back(record); }
    void queueReading(const EmulatorReading& reading);
    void queueSpectrum(const QList<double>& percentages) { m_queuedSpectra.push_back(percentages); }
    void clearQueuedMeasurements();
    MeasurementRecord takeMeasurement();
    MeasurementRecord lastMeasurement() const { return m_lastRecord; }
    int measurementsTaken() const { return m_measurementsTaken; }
    // The frames the measuring key pushes: the full record, or block 0x20 + k.
    QByteArray fullRecordFrame(const MeasurementRecord& record) const;
    QByteArray blockFrame(const MeasurementRecord& record, int k) const;

    // Stored comparison records of display mode 0..6: data records of the
    // mode's size and 16-byte name records; the count cells of both layouts follow.
    void storeComparisonRecords(int mode, const QList<QByteArray>& data, const QList<QByteArray>& names);
    void fillComparisonRecords(int mode, int count); // built-in values and names
    int storedRecordCount(int mode) const;
    // Colour-difference records of the first-generation colorimeters (12 + 14 bytes).
    void storeLegacyRecords(const QList<QByteArray>& data, const QList<QByteArray>& names);
    int legacyRecordCount() const;
    // Spectral records of this model's layout (percent values, 16-byte names).
    void storeSpectralRecords(const QList<QList<double>>& curves, const QList<QByteArray>& names);
    int spectralRecordCount() const;

    // Standard-colour library, as written by the application.
    int standardColorCount() const;
    QList<StandardColorCard> standardColorCards() const;
    // Bytes of the last block transfer, from its first address to its end.
    QByteArray standardColorStream() const;
    quint32 standardColorStreamAddress() const { return m_transferStart; }
    bool blockTransferCompleted() const { return m_transferCompleted; }
    void setRefuseBlockTransfer(bool refuse) { m_refuseBlockTransfer = refuse; }

    // Raw memory; writeProtected appends the block checksum of the values.
    QByteArray readMemory(quint32 address, int length) const { return m_memory.read(address, length); }
    void writeMemory(quint32 address, const QByteArray& bytes) { m_memory.write(address, bytes); }
    void writeProtected(quint32 address, const QByteArray& values);

private:
    EmulatorReply informationReply(const QByteArray& frame);
    EmulatorReply memoryReadReply(const QByteArray& frame);
    EmulatorReply measurementReply(const QByteArray& frame);
    EmulatorReply memoryWriteReply(const QByteArray& frame);
    std::optional<EmulatorReply> blockTransferReply(const QByteArray& frame);
    EmulatorReply refusal(quint8 form, quint8 code) const;
    QByteArray keyInformation() const;
    void writeProductionInformation();
    void writeFactorySettings();
    quint16 protectedValue16(quint32 address) const;
    quint32 spectralInfoAddress() const;
    quint32 spectralValueAddress() const;

    EmulatorModel m_model;
    SparseMemory m_memory;
    bool m_productionInformationOffered = true;
    bool m_longRefusals = false;

    std::deque<MeasurementRecord> m_queuedRecords;
    std::deque<QList<double>> m_queuedSpectra;
    MeasurementRecord m_lastRecord;
    int m_measurementsTaken = 0;
    int m_spectraTaken = 0;

    // The block transfer in progress (function 0x74).
    bool m_transferActive = false;
    bool m_transferBroken = false;
    bool m_transferCompleted = false;
    bool m_refuseBlockTransfer = false;
    quint32 m_transferStart = 0;
    quint32 m_transferNext = 0;
};
