// The receive worker over the emulated instrument (pushed results through the
// page: tst_measure_page): commands keep their replies while it polls, and it stops while
// the user-interface thread holds the link lock (a dialog open) without a hang.
#include "Bytes.h"
#include "EmulatedLink.h"
#include "FrameChecksum.h"
#include "Frames.h"
#include "InstrumentLink.h"
#include "MeasurementCommands.h"
#include "MyThread.h"
#include "WaitUntil.h"

#include <QElapsedTimer>
#include <QTest>

class tst_measure_worker : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<EmulatedLink> m_stack;
    std::unique_ptr<InstrumentLink> m_link;
    std::unique_ptr<ReceiveWorker> m_worker;
    QByteArray m_received;
    int m_chunks = 0;

    void startWorker()
    {
        m_worker->start([this](MyThread* worker) {
            connect(worker, &MyThread::senddata, this, [this](const QByteArray& chunk) {
                m_received.append(chunk);
                ++m_chunks;
            });
        });
    }

private Q_SLOTS:
    void init()
    {
        m_stack = std::make_unique<EmulatedLink>(QStringLiteral("TX310"), 106);
        QVERIFY(m_stack->opened);
        m_link = std::make_unique<InstrumentLink>(&m_stack->transport);
        m_worker = std::make_unique<ReceiveWorker>(*m_link);
        m_received.clear();
        m_chunks = 0;
    }
    void cleanup()
    {
        m_worker.reset();
        m_link.reset();
        m_stack.reset();
    }

    void commandsWhilePolling_keepTheirReplies()
    {
        startWorker();
        qint64 longestWait = 0;
        for (int i = 0; i < 15; ++i) {
            QElapsedTimer waited;
            waited.start();
            LinkLock lock(*m_link);
            longestWait = qMax(longestWait, waited.elapsed());
            MeasurementValues values;
            QCOMPARE(takeMeasurement(m_stack->transport, values), ProtocolResult::Success);
        }
        QTest::qWait(100);
        QCOMPARE(m_chunks, 0); // no reply went to the worker
        qDebug() << "longest wait for the link lock:" << longestWait << "ms";
    }

    // An idle worker waits on the device, not on the link: a command finds the
    // link free the moment it comes, and a pushed result is read whether it
    // comes before the command or after it.
    void idleWorker_wakesForPushOrCommand_data()
    {
        QTest::addColumn<bool>("pushFirst");
        QTest::newRow("pushed result first") << true;
        QTest::newRow("command first") << false;
    }
    void idleWorker_wakesForPushOrCommand()
    {
        QFETCH(bool, pushFirst);
        startWorker();
        LinkMutex* lock = m_link->linkMutex();
        QVERIFY(waitUntil([this] { return m_worker->isRunning(); }));
        for (int look = 0; look < 5; ++look) {
            QVERIFY2(lock->tryLock(), "an idle worker holds the link"); // no waiting at all
            lock->unlock();
            QTest::qWait(15);
        }
        const auto command = [&] {
            if (!waitUntil([&] { return lock->tryLock(); })) {
                return ProtocolResult::NoReply;
            }
            MeasurementValues values;
            const int result = takeMeasurement(m_stack->transport, values);
            lock->unlock();
            return result;
        };
        int result = ProtocolResult::NoReply;
        if (pushFirst) {
            m_stack->emulator.pressMeasureKey();
            QVERIFY(waitUntil([this] { return m_received.size() >= 64; }));
            result = command();
        } else {
            result = command();
            m_stack->emulator.pressMeasureKey();
            QVERIFY(waitUntil([this] { return m_received.size() >= 64; }));
        }
        QCOMPARE(result, ProtocolResult::Success);
        QTest::qWait(50);
        // The pushed frame and nothing of the command's reply.
        QCOMPARE(m_received.size(), 64);
        QCOMPARE(quint8(m_received.at(0)), quint8(0xAB));
        QCOMPARE(quint8(m_received.at(1)), quint8(0x44));
        QCOMPARE(getU16le(m_received, 62), frameChecksum(m_received, 62));
    }

    void stopWhileTheLockIsHeld_returnsAndTheLockStaysValid()
    {
        startWorker();
        LinkLock held(*m_link); // a message box of an exchange is open
        m_worker->stop();       // stopped although it cannot take the lock
        QVERIFY(!m_worker->isRunning());
        startWorker();          // a new worker while the box is still open
        m_stack->emulator.pressMeasureKey();
        QTest::qWait(100);
        QCOMPARE(m_chunks, 0);  // it waits for the lock the box's exchange holds
        held.unlock();          // the box closes
        QVERIFY(waitUntil([this] { return m_chunks > 0; }));
    }
};

QTEST_GUILESS_MAIN(tst_measure_worker)
#include "tst_measure_worker.moc"
