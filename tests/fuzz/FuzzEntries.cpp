#include "FuzzEntries.h"
#include "RecordCommands.h"
#include "StandardColorSheet.h"
#include "WorkspaceRules.h"

#include <QTemporaryFile>

#include "Bytes.h"
#include "CLinkerUSB.h"
#include "FrameChecksum.h"
#include "FrameScanner.h"
#include "HidBackend.h"
#include "IdentificationCommands.h"
#include "MeasurementCommands.h"
#include "MeasurementReading.h"
#include "RecordCommands.h"
#include "SettingsCommands.h"
#include "Transport.h"

#include <QList>
#include <QString>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace fuzz {
namespace {

// A transport whose replies are the fuzz input. Frames sent are accepted and
// dropped; waits take no time.
class ReplyTransport final : public Transport
{
public:
    ReplyTransport(const std::uint8_t* data, std::size_t size, bool repair)
        : m_data(data), m_size(size), m_repair(repair)
    {
    }

    bool isLinkOpen() const override { return true; }
    int sendFrame(QByteArray& frame, int) override
    {
        putU16le(frame, frameChecksum(frame));
        return frame.size();
    }
    int receiveFrame(QByteArray& buffer, int timeoutMs, int expectedLen,
                     bool checkChecksum) override
    {
        buffer.clear();
        if (m_pos >= m_size) {
            return 0; // the wait expired
        }
        const std::size_t wanted = m_data[m_pos++];
        const std::size_t n = std::min(wanted, m_size - m_pos);
        buffer = QByteArray(reinterpret_cast<const char*>(m_data + m_pos), static_cast<int>(n));
        m_pos += n;
        if (timeoutMs > 0 && expectedLen > 0 && buffer.size() > expectedLen) {
            buffer.truncate(expectedLen);
        }
        if (m_repair && buffer.size() >= 4) {
            const int end = (expectedLen >= 4 && buffer.size() >= expectedLen) ? expectedLen
                                                                              : buffer.size();
            const quint16 crc = frameChecksum(buffer, end - 2);
            buffer[end - 2] = static_cast<char>(crc & 0xFF);
            buffer[end - 1] = static_cast<char>(crc >> 8);
        }
        if (buffer.isEmpty()) {
            return 0;
        }
        if (!checkChecksum) {
            return buffer.size();
        }
        if (expectedLen < 2 || buffer.size() < expectedLen) {
            return -1;
        }
        return getU16le(buffer, expectedLen - 2) == frameChecksum(buffer, expectedLen - 2)
                   ? buffer.size()
                   : -1;
    }
    void delayMs(int) override {}

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
    bool m_repair;
};

// The byte pipe handing out the fuzz input as 64-byte input reports.
class ReportBackend final : public HidBackend
{
public:
    ReportBackend(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    bool open(std::uint16_t, std::uint16_t) override { return true; }
    void close() override {}
    int writeReport(const std::uint8_t*, std::size_t length, int) override
    {
        return static_cast<int>(length);
    }
    int readReport(std::uint8_t* report, std::size_t capacity, int) override
    {
        if (m_pos >= m_size) {
            return -1; // an I/O error ends every wait at once
        }
        const std::size_t n = std::min({capacity, std::size_t(64), m_size - m_pos});
        std::memcpy(report, m_data + m_pos, n);
        m_pos += n;
        return static_cast<int>(n);
    }
    bool isPresent() override { return true; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

} // namespace

void modelTable(const std::uint8_t* data, std::size_t size)
{
    QTemporaryFile file;
    if (!file.open()) {
        return;
    }
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();
    const ModelTable table = loadModelTable(file.fileName());
    for (const ModelEntry& entry : table) {
        // An entry with a meter number an instrument can report must be found.
        if (entry.meterNumber >= 0 && !findModel(table, static_cast<quint32>(entry.meterNumber))) {
            std::abort();
        }
        for (int mode = -1; mode <= 7; ++mode) {
            layoutAcceptsDisplayMode(entry.layoutIndex, displayModeFromIndex(mode));
        }
        layoutWidgetsFor(entry.layoutIndex, entry.model, 0);
    }
}

void standardColorSheet(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) {
        return;
    }
    const bool repair = data[0] & 1;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    QList<QVariantList> rows;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        QVariantList cells;
        for (const QString& cell : line.split(QLatin1Char('\t'))) {
            bool number = false;
            const double value = cell.toDouble(&number);
            cells << (cell.isEmpty() ? QVariant() : number ? QVariant(value) : QVariant(cell));
        }
        rows << cells;
        if (rows.size() > 400) {
            break;
        }
    }
    if (repair && rows.size() >= 2) {
        const int count = rows[1].value(0).toInt();
        QByteArray countBytes;
        countBytes.append(static_cast<char>(count & 0xFF)).append(static_cast<char>((count >> 8) & 0xFF));
        while (rows[1].size() < 2) {
            rows[1] << QVariant();
        }
        rows[1][1] = double(standardColorChecksum(countBytes));
        for (int r = 2; r < std::min<int>(rows.size(), 2 + std::clamp(count, 0, 47)); ++r) {
            QVariantList& card = rows[r];
            while (card.size() < 5) {
                card << QVariant();
            }
            card[4] = double(standardColorChecksum(standardColorRecord(
                card[0].toString(), card[1].toString(), card[2].toInt(), card[3].toInt())));
        }
    }
    StandardColorLibrary library;
    StandardColorSheetProblem problem;
    if (StandardColorSheet::parse(rows, QStringLiteral("TX420"), library, problem)) {
        if (library.cards.size() != library.count || library.count > kStandardColorMaxCards
            || library.stream.size() != library.dataRows * kStandardColorDataRowBytes) {
            std::abort();
        }
    }
}

QByteArray protocolInput(int command, bool repairChecksums, int parameter,
                         const QList<QByteArray>& replies)
{
    QByteArray in;
    in.append(static_cast<char>((command & 0x1F) | (repairChecksums ? 0x80 : 0)));
    in.append(static_cast<char>(parameter));
    for (const QByteArray& reply : replies) {
        in.append(static_cast<char>(std::min<int>(reply.size(), 255)));
        in.append(reply.left(255));
    }
    return in;
}

void protocolReplies(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) {
        return;
    }
    ReplyTransport t(data + 2, size - 2, (data[0] & 0x80) != 0);
    runCommand(t, data[0] & 0x1F, data[1]);
}

void runCommand(Transport& t, int command, int p)
{
    int a = 0, b = 0, c = 0;
    QByteArray out;
    switch (command) {
    case 0: {
        KeyInformation info;
        readKeyInformation(t, info);
        break;
    }
    case 1: {
        ProductionInformation info;
        readProductionInformation(t, info);
        break;
    }
    case 2:
        readSoftwareVersion(t, a);
        break;
    case 3: {
        MeasurementValues v;
        takeMeasurement(t, v);
        break;
    }
    case 4: {
        MeasurementValues v;
        readMeasurementLegacy(t, v);
        break;
    }
    case 5: {
        MeasurementBlock block;
        readMeasurementBlock(t, p % 8 - 1, block);
        break;
    }
    case 6:
        readComparisonRecordCount(t, a, p & 7, (p >> 3) & 7);
        break;
    case 7:
        readColorDifferenceRecordInfo(t, a);
        break;
    case 8:
        readSpectralRecordInfo(t, a, p % 6);
        break;
    case 9:
        readBlock(t, 0x1000u * p, out, p * 4 - 8);
        break;
    case 10:
        writeStandardColorCount(t, p, static_cast<quint16>(p * 257));
        break;
    case 11:
        writeStandardColorRecord(t, p * 36, QStringLiteral("A"), QStringLiteral("B"), p, -p,
                                 static_cast<quint16>(p));
        break;
    case 12:
        writeBlock(t, 0x2000u, QByteArray(p, 'x'), p);
        break;
    case 13:
        readDisplayParameter(t, a);
        break;
    case 14:
        setDisplayParameter(t, p);
        break;
    case 15:
        readTolerance(t, a, b, c);
        break;
    case 16:
        setTolerance(t, p, p * 3, p * 7);
        break;
    case 17:
        readDeltaEParameter(t, a, b);
        break;
    case 18:
        setDeltaEParameter(t, p & 7, p * 10);
        break;
    default:
        break;
    }
}

void linkReassembly(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) {
        return;
    }
    const int expected = (data[0] | (data[1] << 8)) % 1200;
    CLinkerUSB link(std::make_unique<ReportBackend>(data + 2, size - 2));
    if (!link.Open(0x1234, 0x5678)) {
        return;
    }
    QByteArray buffer;
    link.ReadMessage(buffer, 200, expected);
    link.ReadMessage(buffer, 0, 64);
    link.Close();
}

void pushedFrames(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) {
        return;
    }
    const auto format = static_cast<PushedFrameFormat>(std::min(data[0] & 3, 2));
    const int displayMode = static_cast<int>(data[1] % 8) - 1;
    QByteArray buffer;
    std::size_t pos = 2;
    while (pos < size) {
        // The chunk's length byte first, then at most what is left after it.
        const std::size_t wanted = data[pos];
        ++pos;
        const std::size_t n = std::min<std::size_t>(wanted, size - pos);
        buffer.append(reinterpret_cast<const char*>(data + pos), static_cast<int>(n));
        pos += n;
        const PushedScan scan = scanPushedFrames(buffer, format);
        if (scan.consumed < 0 || scan.consumed > buffer.size()) {
            std::abort();
        }
        for (const PushedFrame& frame : scan.frames) {
            if (frame.bytes.size() < 23 || quint8(frame.bytes.at(0)) != 0xAB
                || quint8(frame.bytes.at(1)) != 0x44) {
                std::abort();
            }
            ColorReading reading;
            readingFromPushedFrame(frame, displayModeFromIndex(displayMode), reading);
            currentLayoutValues(reading);
        }
        buffer.remove(0, scan.consumed);
        // What waits is at most the beginning of one frame, up to its last decoded byte.
        if (buffer.size() > 42) {
            std::abort();
        }
    }
}

} // namespace fuzz
