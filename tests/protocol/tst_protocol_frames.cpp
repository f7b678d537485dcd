// The frame checksum against its published vectors, and the request and
// reply helpers every command is built from.

#include "Bytes.h"
#include "FrameChecksum.h"
#include "Frames.h"
#include "InstrumentText.h"

#include <QtTest>

namespace {
QByteArray hex(const char* text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}
} // namespace

class ProtocolFramesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void frameChecksum_knownVectors_data();
    void frameChecksum_knownVectors();
    void memoryRequest_layout_data();
    void memoryRequest_layout();
    void replyIsForeign_bothBytesMustDiffer_data();
    void replyIsForeign_bothBytesMustDiffer();
    void dataChecksumMatches_checksOnlyWhatIsThere_data();
    void dataChecksumMatches_checksOnlyWhatIsThere();
    void decodeInstrumentName_data();
    void decodeInstrumentName();
};

void ProtocolFramesTest::frameChecksum_knownVectors_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("expected");
    QTest::newRow("check value 123456789") << QByteArray("123456789") << 0x4B37;
    QTest::newRow("no bytes") << QByteArray() << 0xFFFF;
    QTest::newRow("read-tolerance request") << hex("AB 40 0F 03 00 00 08 00") << 0x3B09;
    QTest::newRow("tolerance values 12.50 80.00 1.5") << hex("E2 04 40 1F 0F 00") << 0xAFC7;
    QTest::newRow("set-tolerance frame") << hex("AB 70 0F 03 00 00 08 00 E2 04 40 1F 0F 00 C7 AF") << 0xB63A;
}

void ProtocolFramesTest::frameChecksum_knownVectors()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, expected);
    QCOMPARE(frameChecksum(bytes), static_cast<quint16>(expected));
    QCOMPARE(frameChecksum(reinterpret_cast<const quint8*>(bytes.constData()), bytes.size()),
             static_cast<quint16>(expected));
}

void ProtocolFramesTest::memoryRequest_layout_data()
{
    QTest::addColumn<int>("function");
    QTest::addColumn<uint>("address");
    QTest::addColumn<int>("length");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("production read") << 0x40 << 0x0000u << 20 << hex("AB 40 00 00 00 00 14 00");
    QTest::newRow("block 0x25") << 0x44 << 0x25u << 24 << hex("AB 44 25 00 00 00 18 00");
    QTest::newRow("32-bit address") << 0x74 << 0x12345678u << 0x1FF << hex("AB 74 78 56 34 12 FF 01");
}

void ProtocolFramesTest::memoryRequest_layout()
{
    QFETCH(int, function);
    QFETCH(uint, address);
    QFETCH(int, length);
    QFETCH(QByteArray, expected);
    QCOMPARE(memoryRequest(static_cast<quint8>(function), address, static_cast<quint16>(length)), expected);
}

void ProtocolFramesTest::replyIsForeign_bothBytesMustDiffer_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("foreign");
    QTest::newRow("both echoed") << hex("AB 40 0F 03 00 00 08 00") << false;
    QTest::newRow("address byte differs") << hex("AB 40 10 03 00 00 08 00") << false;
    QTest::newRow("length byte differs") << hex("AB 40 0F 03 00 00 09 00") << false;
    QTest::newRow("both differ") << hex("AB 40 10 03 00 00 09 00") << true;
    QTest::newRow("too short to tell") << hex("AB 40 0F 03 00 00") << true;
    QTest::newRow("empty") << QByteArray() << true;
}

void ProtocolFramesTest::replyIsForeign_bothBytesMustDiffer()
{
    QFETCH(QByteArray, reply);
    QFETCH(bool, foreign);
    QCOMPARE(::replyIsForeign(reply, 2, 0x0F, 6, 0x08), foreign);
}

void ProtocolFramesTest::dataChecksumMatches_checksOnlyWhatIsThere_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("matches");
    const QByteArray header = hex("AB 40 0F 03 00 00 08 00");
    QTest::newRow("intact") << header + hex("E2 04 40 1F 0F 00 C7 AF") << true;
    QTest::newRow("swapped checksum") << header + hex("E2 04 40 1F 0F 00 AF C7") << false;
    QTest::newRow("value changed") << header + hex("E3 04 40 1F 0F 00 C7 AF") << false;
    QTest::newRow("checksum cut off") << header + hex("E2 04 40 1F 0F 00 C7") << false;
    QTest::newRow("header only") << header << false;
}

void ProtocolFramesTest::dataChecksumMatches_checksOnlyWhatIsThere()
{
    QFETCH(QByteArray, reply);
    QFETCH(bool, matches);
    QCOMPARE(::dataChecksumMatches(reply, 8, 6), matches);
}

void ProtocolFramesTest::decodeInstrumentName_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii padded") << QByteArray("Blue 7\0\0\0\0", 10) << QStringLiteral("Blue 7");
    QTest::newRow("utf-8") << QByteArray("\xe6\xa0\x87\xe5\x87\x86\0\0", 8) << QStringLiteral("标准");
    QTest::newRow("gb18030") << QByteArray("\xb1\xea\xd7\xbc\0\0", 6) << QStringLiteral("标准");
    QTest::newRow("bytes after the zero ignored") << QByteArray("ab\0\xff\xfe", 5) << QStringLiteral("ab");
    QTest::newRow("empty") << QByteArray(16, '\0') << QString();
}

void ProtocolFramesTest::decodeInstrumentName()
{
    QFETCH(QByteArray, field);
    QFETCH(QString, text);
    QCOMPARE(::decodeInstrumentName(field), text);
}

QTEST_GUILESS_MAIN(ProtocolFramesTest)
#include "tst_protocol_frames.moc"
