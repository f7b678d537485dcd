// The link lock and the device notices that wait for it: a second take by
// the thread that holds it is refused instead of hanging and leaves the first
// hold in force; notices that come while an exchange of this thread holds it
// are handled once it is let go, the removal before the arrival, each once.
#include "DeviceChanges.h"
#include "LinkAccess.h"
#include "WaitUntil.h"

#include <QObject>
#include <QRegularExpression>
#include <QTest>

#include <thread>

namespace {

// Whether another thread could take the lock now.
bool freeForAnotherThread(LinkMutex& mutex)
{
    bool free = false;
    std::thread probe([&] {
        free = mutex.tryLock();
        if (free) {
            mutex.unlock();
        }
    });
    probe.join();
    return free;
}

} // namespace

class tst_link_lock : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void secondTakeByTheHolder_refusedAndTheFirstHoldStays()
    {
        LinkMutex mutex;
        LinkLock outer(&mutex);
        QVERIFY(!mutex.tryLock());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("its own thread holds")));
        {
            LinkLock inner(&mutex); // would wait for itself for ever
        }
        QVERIFY(mutex.isHeldByCurrentThread());
        QVERIFY(!freeForAnotherThread(mutex));
        outer.unlock();
        QVERIFY(!mutex.isHeldByCurrentThread());
        QVERIFY(freeForAnotherThread(mutex));
    }

    void stepAfterRelease_runsOnceWithTheLockFree()
    {
        LinkMutex mutex;
        QList<bool> freeWhenRun;
        mutex.lock();
        mutex.runAfterRelease([&] { freeWhenRun << freeForAnotherThread(mutex); });
        QVERIFY(freeWhenRun.isEmpty());
        mutex.unlock();
        mutex.lock();
        mutex.unlock();
        QCOMPARE(freeWhenRun, QList<bool>{true});
    }

    void notices_handledOnceTheExchangeLetsGo_data()
    {
        QTest::addColumn<QString>("notices");   // R removal, A arrival
        QTest::addColumn<bool>("held");          // an exchange of this thread holds the lock
        QTest::addColumn<bool>("relockedFirst"); // another exchange takes it before the event loop runs
        QTest::addColumn<QStringList>("inside"); // handled while the exchange is open
        QTest::addColumn<QStringList>("after");  // handled in all
        const QStringList both{QStringLiteral("removed"), QStringLiteral("arrived")};
        QTest::newRow("no exchange: replug at once") << "R A" << false << false << both << both;
        QTest::newRow("no exchange: arrival at once")
            << "A" << false << false << QStringList{QStringLiteral("arrived")} << QStringList{QStringLiteral("arrived")};
        QTest::newRow("in a box: replug kept") << "R A" << true << false << QStringList() << both;
        QTest::newRow("in a box: removal alone kept")
            << "R" << true << false << QStringList() << QStringList{QStringLiteral("removed")};
        QTest::newRow("in a box: arrival then removal, removal first") << "A R" << true << false << QStringList() << both;
        QTest::newRow("in a box: two replugs, each handler once") << "R A R A" << true << false << QStringList() << both;
        QTest::newRow("next exchange took the lock first: waits for it too") << "R A" << true << true << QStringList() << both;
    }
    void notices_handledOnceTheExchangeLetsGo()
    {
        QFETCH(QString, notices);
        QFETCH(bool, held);
        QFETCH(bool, relockedFirst);
        QFETCH(QStringList, inside);
        QFETCH(QStringList, after);
        LinkMutex mutex;
        QObject window;
        QStringList handled;
        const auto record = [&](const char* what) {
            handled << QString::fromLatin1(what) + (mutex.isHeldByCurrentThread() ? QStringLiteral(" (held)") : QString());
        };
        DeviceChanges changes(&mutex, &window, {[&] { record("removed"); }, [&] { record("arrived"); }});
        if (held) {
            mutex.lock();
        }
        for (const QString& notice : notices.split(QLatin1Char(' '))) {
            notice == QLatin1String("R") ? changes.deviceRemoved() : changes.deviceArrived();
        }
        QCOMPARE(handled, inside);
        if (held) {
            mutex.unlock();
            QCOMPARE(handled, inside); // from the event loop, not inside the unlock
        }
        if (relockedFirst) {
            mutex.lock();
            QCoreApplication::processEvents();
            QCOMPARE(handled, inside);
            mutex.unlock();
        }
        QVERIFY(waitUntil([&] { return handled.size() >= after.size(); }, 2000));
        QCoreApplication::processEvents(); // nothing is handled twice
        QCOMPARE(handled, after);
        QVERIFY(!changes.isWaiting());
    }
};

QTEST_GUILESS_MAIN(tst_link_lock)
#include "tst_link_lock.moc"
