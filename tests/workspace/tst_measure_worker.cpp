// The receive worker over the emulated instrument (pushed results through the
// page: tst_measure_page): commands keep their replies while it polls, and it stops while
// the user-interface thread holds the link lock (a dialog open) without a hang.
#include "Bytes.h"
#include "EmulatedLink.h"
#include "FrameChecksum.h"
#include "Frames.h"
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
        m_worker = std::make_unique<ReceiveWorker>([this]() -> Transport& { return m_stack->transport; });
        m_received.clear();
        m_chunks = 0;
    }
    void cleanup()
    {
        m_worker.reset();
        m_stack.reset();
    }

    void commandsWhilePolling_keepTheirReplies()
    {
        startWorker();
        qint64 longestWait = 0;
        for (int i = 0; i < 15; ++i) {
            QElapsedTimer waited;
            waited.start();
            LinkLock lock(*m_worker);
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
        QMutex* lock = m_worker->linkMutex();
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
        QMutex* lock = m_worker->linkMutex();
        QVERIFY(lock);
        LinkLock held(lock); // a message box of an exchange is open
        m_worker->stop();    // the removal notice closes the link
        QVERIFY(!m_worker->isRunning());
        QVERIFY(!m_worker->linkMutex());
        held.unlock();       // the box closes: the old lock is still there to let go
        startWorker();       // plugged back in: a new worker with its own lock
        m_stack->emulator.pressMeasureKey();
        QVERIFY(waitUntil([this] { return m_chunks > 0; }));
    }
};

QTEST_GUILESS_MAIN(tst_measure_worker)
#include "tst_measure_worker.moc"
