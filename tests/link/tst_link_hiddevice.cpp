// The report framing of libHidDevice over a scripted byte pipe.

#include "FakeHidBackend.h"
#include "InstrumentIds.h"
#include "libHidDevice.h"

#include <QtTest>

namespace {

QByteArray counting(int n, int from = 0)
{
    QByteArray b;
    for (int i = 0; i < n; ++i) {
        b.append(static_cast<char>(from + i));
    }
    return b;
}

} // namespace

class HidDeviceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void write_splitsIntoPaddedReports_data();
    void write_splitsIntoPaddedReports();
    void write_failedReport_returnsZero();
    void read_assemblesStream_data();
    void read_assemblesStream();
    void read_twoRepliesInOneReport_leftoverKept();
    void read_ignoresForeignReports();
    void read_lengthByteBeyondReport_takesWhatArrived();
    void read_ioError_returnsZero();
    void read_endlessReports_endsWithinTimeout_data();
    void read_endlessReports_endsWithinTimeout();
    void notOpen_readWriteReturnZero();
    void open_failure_staysClosed();
    void isDeviceGone_followsPresence();

private:
    FakeHidBackend* m_fake = nullptr; // owned by m_device
    std::unique_ptr<libHidDevice> m_device;
};

void HidDeviceTest::init()
{
    auto fake = std::make_unique<FakeHidBackend>();
    m_fake = fake.get();
    m_device = std::make_unique<libHidDevice>(std::move(fake));
    QCOMPARE(m_device->Open(kInstrumentVendorId, kInstrumentProductId), 0);
    QVERIFY(m_device->opened);
}

void HidDeviceTest::write_splitsIntoPaddedReports_data()
{
    QTest::addColumn<int>("len");
    QTest::addColumn<QList<int>>("reports");
    QTest::addColumn<int>("result");
    QTest::newRow("0 bytes") << 0 << QList<int>{} << 0;
    QTest::newRow("1 byte") << 1 << QList<int>{1} << 1;
    QTest::newRow("10 bytes") << 10 << QList<int>{10} << 10;
    QTest::newRow("exactly 62") << 62 << QList<int>{62} << 62;
    QTest::newRow("63") << 63 << QList<int>{62, 1} << 63;
    QTest::newRow("100") << 100 << QList<int>{62, 38} << 100;
}

void HidDeviceTest::write_splitsIntoPaddedReports()
{
    QFETCH(int, len);
    QFETCH(QList<int>, reports);
    QFETCH(int, result);
    const QByteArray bytes = counting(len, 1);
    QCOMPARE(m_device->Write(reinterpret_cast<const std::uint8_t*>(bytes.constData()), len, 1000), result);
    QCOMPARE(m_fake->written.size(), reports.size());
    QByteArray carried;
    for (int i = 0; i < reports.size(); ++i) {
        const QByteArray& r = m_fake->written.at(i);
        QCOMPARE(r.size(), 64); // padded to the output report length
        QCOMPARE(quint8(r.at(0)), quint8(0x3F));
        QCOMPARE(int(quint8(r.at(1))), reports.at(i));
        carried += r.mid(2, reports.at(i));
        QCOMPARE(r.mid(2 + reports.at(i)), QByteArray(62 - reports.at(i), '\0'));
    }
    QCOMPARE(carried, bytes);
}

void HidDeviceTest::write_failedReport_returnsZero()
{
    m_fake->failWriteAt = 1;
    const QByteArray bytes = counting(100);
    QCOMPARE(m_device->Write(reinterpret_cast<const std::uint8_t*>(bytes.constData()), 100, 1000), 0);
    QCOMPARE(m_fake->written.size(), 1);
}

void HidDeviceTest::read_assemblesStream_data()
{
    QTest::addColumn<QList<int>>("reports"); // data bytes per incoming report
    QTest::addColumn<int>("len");
    QTest::addColumn<int>("result");
    QTest::newRow("0 asked") << QList<int>{10} << 0 << 0;
    QTest::newRow("1 of 62") << QList<int>{62} << 1 << 1;
    QTest::newRow("exactly 62") << QList<int>{62} << 62 << 62;
    QTest::newRow("63 over two reports") << QList<int>{62, 1} << 63 << 63;
    QTest::newRow("266 in five reports") << QList<int>{62, 62, 62, 62, 18} << 266 << 266;
    QTest::newRow("time-out after part") << QList<int>{20} << 30 << 20;
    QTest::newRow("time-out with nothing") << QList<int>{} << 30 << 0;
}

void HidDeviceTest::read_assemblesStream()
{
    QFETCH(QList<int>, reports);
    QFETCH(int, len);
    QFETCH(int, result);
    QByteArray stream;
    for (int n : reports) {
        const QByteArray data = counting(n, stream.size());
        m_fake->queueData(data);
        stream += data;
    }
    QByteArray dst(qMax(len, 1), '\0');
    QCOMPARE(m_device->Read(reinterpret_cast<std::uint8_t*>(dst.data()), len, 50), result);
    QCOMPARE(dst.left(result), stream.left(result));
    for (int wait : m_fake->waits) {
        QCOMPARE(wait, 50); // every report is waited for with the caller's time-out
    }
}

void HidDeviceTest::read_twoRepliesInOneReport_leftoverKept()
{
    const QByteArray first = QByteArray::fromHex("AB70000300000300AAAA");
    const QByteArray second = QByteArray::fromHex("AB700F0300000800BBBB");
    m_fake->queueData(first + second);
    QByteArray dst(10, '\0');
    QCOMPARE(m_device->Read(reinterpret_cast<std::uint8_t*>(dst.data()), 10, 50), 10);
    QCOMPARE(dst, first);
    QCOMPARE(m_device->pendingBytes(), std::size_t(10));
    QCOMPARE(m_device->Read(reinterpret_cast<std::uint8_t*>(dst.data()), 10, 50), 10);
    QCOMPARE(dst, second);
    QCOMPARE(m_fake->waits.size(), 1); // the second came from the leftover, no new report
}

void HidDeviceTest::read_ignoresForeignReports()
{
    QByteArray foreign = FakeHidBackend::dataReport("zzzz");
    foreign[0] = 0x01;
    m_fake->inputs.append({foreign, false});
    m_fake->inputs.append({QByteArray(1, char(0x3F)), false}); // no length byte
    m_fake->queueData("abcd");
    QByteArray dst(4, '\0');
    QCOMPARE(m_device->Read(reinterpret_cast<std::uint8_t*>(dst.data()), 4, 50), 4);
    QCOMPARE(dst, QByteArray("abcd"));
}

void HidDeviceTest::read_lengthByteBeyondReport_takesWhatArrived()
{
    QByteArray shortReport = FakeHidBackend::dataReport("abcdef", 62).left(8); // claims 62, holds 6
    m_fake->inputs.append({shortReport, false});
    QByteArray lying = FakeHidBackend::dataReport("gh", 200); // more than a report can carry
    m_fake->inputs.append({lying, false});
    QByteArray dst(100, '\0');
    const int n = m_device->Read(reinterpret_cast<std::uint8_t*>(dst.data()), 100, 50);
    QCOMPARE(n, 6 + 62);
    QCOMPARE(dst.left(8), QByteArray("abcdefgh"));
}

void HidDeviceTest::read_ioError_returnsZero()
{
    m_fake->queueData("abc");
    m_fake->inputs.append({QByteArray(), true});
    QByteArray dst(10, '\0');
    QCOMPARE(m_device->Read(reinterpret_cast<std::uint8_t*>(dst.data()), 10, 50), 0);
    QVERIFY(m_device->lastReadFailed());
}

void HidDeviceTest::notOpen_readWriteReturnZero()
{
    m_device->Close();
    QVERIFY(!m_device->opened);
    m_device->Close(); // closing twice does nothing
    m_fake->queueData("abc");
    std::uint8_t buf[8] = {};
    QCOMPARE(m_device->Read(buf, 3, 50), 0);
    QCOMPARE(m_device->Write(buf, 3, 50), 0);
    QVERIFY(m_fake->written.isEmpty());
    QVERIFY(m_device->isDeviceGone());
}

void HidDeviceTest::open_failure_staysClosed()
{
    auto fake = std::make_unique<FakeHidBackend>();
    fake->opens = false;
    libHidDevice device(std::move(fake));
    QCOMPARE(device.Open(kInstrumentVendorId, kInstrumentProductId), -1);
    QVERIFY(!device.opened);
    std::uint8_t buf[4] = {1, 2, 3, 4};
    QCOMPARE(device.Write(buf, 4, 50), 0);
}

void HidDeviceTest::isDeviceGone_followsPresence()
{
    QVERIFY(!m_device->isDeviceGone());
    m_fake->present = false;
    QVERIFY(m_device->isDeviceGone());
}


void HidDeviceTest::read_endlessReports_endsWithinTimeout_data()
{
    QTest::addColumn<QByteArray>("report");
    QTest::addColumn<bool>("delivers");
    QTest::newRow("foreign report id") << QByteArray::fromHex("0105aa") << false;
    QTest::newRow("zero length byte") << FakeHidBackend::dataReport(QByteArray(), 0) << false;
    QTest::newRow("one byte at a time") << FakeHidBackend::dataReport(QByteArray(1, '\x55')) << true;
}

void HidDeviceTest::read_endlessReports_endsWithinTimeout()
{
    // A report every 10 ms for 5 s; a read of 1000 bytes with a 50 ms wait
    // returns after about 50 ms with what came (bound with room for load).
    QFETCH(QByteArray, report);
    QFETCH(bool, delivers);
    m_fake->flood = report;
    std::vector<std::uint8_t> dst(1000);
    QElapsedTimer timer;
    timer.start();
    const int n = m_device->Read(dst.data(), 1000, 50);
    const qint64 elapsed = timer.elapsed();
    QVERIFY2(elapsed < 2500, qPrintable(QString::number(elapsed)));
    QCOMPARE(n > 0, delivers);
    QVERIFY(!m_device->lastReadFailed());
}

QTEST_GUILESS_MAIN(HidDeviceTest)
#include "tst_link_hiddevice.moc"
