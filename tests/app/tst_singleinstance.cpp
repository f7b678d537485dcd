#include "AppStartup.h"
#include "DeviceNotifier.h"
#include "FakeLink.h"
#include "MainWindow.h"
#include "ScriptedDialogs.h"
#include "SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

void tintwellInitResources();

class TestSingleInstance : public QObject
{
    Q_OBJECT

private:
    static QString uniqueKey()
    {
        return QStringLiteral("tintwell-test-") + QUuid::createUuid().toString(QUuid::Id128).left(12);
    }

    static QString probePath()
    {
        return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("single_instance_probe"));
    }

private Q_SLOTS:
    void initTestCase() { tintwellInitResources(); }

    void secondProcess_sendsMessageAndExitsZero_firstRaisesWindow()
    {
        ScriptedDialogs dialogs;
        // The window connects the attached instrument and reads its settings.
        dialogs.expectMessage(QStringLiteral("信息"), QStringLiteral("读取成功！"));
        const QString key = uniqueKey();
        SingleInstance first(key);
        QVERIFY(!first.isRunning());

        MainWindow window(std::make_unique<FakeLinkFactory>(std::make_shared<FakeInstrument>()),
                          new ManualDeviceNotifier, dialogs);
        connect(&first, &SingleInstance::messageReceived, &window, &MainWindow::handleAppMessage);
        QSignalSpy received(&first, &SingleInstance::messageReceived);
        QVERIFY(!window.isVisible());

        QProcess second;
        second.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        second.start(probePath(), {key});
        QVERIFY2(second.waitForStarted(5000), qPrintable(second.errorString()));
        // The first copy must keep its event loop running to take the message.
        QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, 15000);

        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        const QString output = QString::fromUtf8(second.readAllStandardOutput()).trimmed();
        QCOMPARE(output, QStringLiteral("Warn|Device already opened!"));
        QTRY_COMPARE(received.count(), 1);
        QCOMPARE(received.at(0).at(0).toString(), QStringLiteral("active!!!!!"));
        QVERIFY(window.isVisible());
        QTRY_VERIFY(!dialogs.hasUnusedAnswers());
        window.hide();
    }

    void staleLockOfCrashedCopy_doesNotBlockStart()
    {
        const QString key = uniqueKey();
        SingleInstance probe(key);
        const QString lockPath = probe.lockFilePath();

        // A lock file as a copy that has since died would have left it.
        QProcess dead;
        dead.start(QStringLiteral("sleep"), {QStringLiteral("0.05")});
        QVERIFY(dead.waitForStarted());
        const qint64 deadPid = dead.processId();
        QVERIFY(dead.waitForFinished());
        {
            QFile file(lockPath);
            QVERIFY(file.open(QFile::WriteOnly | QFile::Truncate));
            file.write(QByteArray::number(deadPid) + "\ntintwell\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        }

        QVERIFY(!probe.isRunning());

        // And the fresh lock really holds against the next copy.
        QProcess second;
        second.start(probePath(), {key});
        QVERIFY(second.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, 15000);
        QCOMPARE(second.exitCode(), 0);
    }

    void firstProcessGone_nextStartIsFirstAgain()
    {
        const QString key = uniqueKey();
        {
            SingleInstance first(key);
            QVERIFY(!first.isRunning());
        }
        QProcess next;
        next.start(probePath(), {key});
        QVERIFY(next.waitForStarted(5000));
        QVERIFY(next.waitForFinished(15000));
        QCOMPARE(next.exitCode(), 3);
        QCOMPARE(QString::fromUtf8(next.readAllStandardOutput()).trimmed(), QStringLiteral("first instance"));
    }

    void lockDirectory_onlyLiveCopyBlocks_data()
    {
        QTest::addColumn<QString>("runtimeDir"); // "" unset, "tmp" a fresh folder, else a missing one
        QTest::addColumn<bool>("guarded");
        QTest::newRow("XDG_RUNTIME_DIR unset: temporary folder") << QString() << true;
        QTest::newRow("XDG_RUNTIME_DIR set") << QStringLiteral("tmp") << true;
        QTest::newRow("lock folder missing: warn, start unguarded") << QStringLiteral("missing") << false;
    }

    void lockDirectory_onlyLiveCopyBlocks()
    {
        QFETCH(QString, runtimeDir);
        QFETCH(bool, guarded);
        QTemporaryDir tmp;
        QString dir = runtimeDir.isEmpty() ? QDir::tempPath() : tmp.path();
        if (runtimeDir == QLatin1String("missing")) {
            dir = tmp.filePath(QStringLiteral("missing"));
        }
        const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
        const bool wasSet = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
        if (runtimeDir.isEmpty()) {
            qunsetenv("XDG_RUNTIME_DIR");
        } else {
            qputenv("XDG_RUNTIME_DIR", dir.toLocal8Bit());
        }
        ScriptedDialogs dialogs;
        SingleInstance guard(uniqueKey());
        const QString lockPath = guard.lockFilePath();
        if (!guarded) {
            dialogs.expectMessage(QStringLiteral("Warn"),
                                  QStringLiteral("Cannot lock %1: the file cannot be created. Tintwell starts "
                                                 "without the check for a second copy.")
                                      .arg(lockPath));
        }
        const bool handedOver = handOverToRunningInstance(guard, dialogs);
        if (wasSet) {
            qputenv("XDG_RUNTIME_DIR", saved);
        } else {
            qunsetenv("XDG_RUNTIME_DIR");
        }
        QCOMPARE(QFileInfo(lockPath).absolutePath(), QFileInfo(dir).absoluteFilePath());
        QVERIFY(!handedOver);
        QCOMPARE(guard.lockError().isEmpty(), guarded);
        QCOMPARE(QFile::exists(lockPath), guarded);
        QVERIFY(!dialogs.hasUnusedAnswers());
    }

    void defaultKey_dependsOnUser()
    {
        const QByteArray saved = qgetenv("USER");
        qputenv("USER", "alice");
        const QString alice = SingleInstance::defaultKey();
        qputenv("USER", "bob");
        const QString bob = SingleInstance::defaultKey();
        qputenv("USER", saved);
        QVERIFY(alice != bob);
        QVERIFY(alice.startsWith(QStringLiteral("tintwell-")));
    }
};

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
