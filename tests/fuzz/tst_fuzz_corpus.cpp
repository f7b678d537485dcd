// Replays the fuzzing corpus (seeds and every input that ever crashed) through
// the same entry points as the fuzz targets, under the ordinary build.
#include "FuzzEntries.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QtTest>

#include <functional>

class TestFuzzCorpus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void replay_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("minimumFiles");
        QTest::newRow("protocol") << QStringLiteral("fuzz_protocol") << 19;
        QTest::newRow("link") << QStringLiteral("fuzz_link") << 3;
        QTest::newRow("pushed") << QStringLiteral("fuzz_pushed") << 3;
        QTest::newRow("model table") << QStringLiteral("fuzz_modeltable") << 3;
        QTest::newRow("standard colours") << QStringLiteral("fuzz_stdcolor") << 3;
        QTest::newRow("CGATS") << QStringLiteral("fuzz_cgats") << 6;
        QTest::newRow("CxF3") << QStringLiteral("fuzz_cxf") << 6;
        QTest::newRow("CSV") << QStringLiteral("fuzz_csv") << 5;
        QTest::newRow("standards") << QStringLiteral("fuzz_standards") << 6;
    }

    void replay()
    {
        QFETCH(QString, target);
        QFETCH(int, minimumFiles);
        const std::map<QString, std::function<void(const std::uint8_t*, std::size_t)>> entries{
            {QStringLiteral("fuzz_protocol"), fuzz::protocolReplies},
            {QStringLiteral("fuzz_link"), fuzz::linkReassembly},
            {QStringLiteral("fuzz_pushed"), fuzz::pushedFrames},
            {QStringLiteral("fuzz_modeltable"), fuzz::modelTable},
            {QStringLiteral("fuzz_stdcolor"), fuzz::standardColorSheet},
            {QStringLiteral("fuzz_cgats"), fuzz::cgatsFile},
            {QStringLiteral("fuzz_cxf"), fuzz::cxfFile},
            {QStringLiteral("fuzz_csv"), fuzz::csvFile},
            {QStringLiteral("fuzz_standards"), fuzz::standardsFile},
        };
        // TINTWELL_FUZZ_CORPUS_DIR replays another corpus (a campaign's, in
        // build/fuzz/corpus) to find its slowest input.
        const QString root = qEnvironmentVariableIsSet("TINTWELL_FUZZ_CORPUS_DIR")
                                 ? qEnvironmentVariable("TINTWELL_FUZZ_CORPUS_DIR")
                                 : QStringLiteral(TINTWELL_FUZZ_CORPUS);
        const QDir dir(root + QLatin1Char('/') + target);
        const QStringList files = dir.entryList(QDir::Files);
        QVERIFY2(files.size() >= minimumFiles, qPrintable(dir.path()));
        qint64 slowest = 0;
        QString slowestName;
        for (const QString& name : files) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray bytes = f.readAll();
            QElapsedTimer timer;
            timer.start();
            entries.at(target)(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                               static_cast<std::size_t>(bytes.size()));
            // A hostile input must not hold the caller: every wait is bounded.
            QVERIFY2(timer.elapsed() < 2000, qPrintable(name));
            if (timer.elapsed() >= slowest) {
                slowest = timer.elapsed();
                slowestName = name;
            }
        }
        qInfo("%s: %d inputs, slowest %lld ms (%s)", qPrintable(target), int(files.size()), slowest,
              qPrintable(slowestName));
    }
};

QTEST_GUILESS_MAIN(TestFuzzCorpus)
#include "tst_fuzz_corpus.moc"
