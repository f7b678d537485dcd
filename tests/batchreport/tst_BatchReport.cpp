#include "BatchCases.h"
#include "BatchReport.h"
#include "CliCommand.h"
#include "RecordJournal.h"

#include <QBuffer>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <cmath>

namespace {

QString pdfText(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        return QString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

BatchReportDocument documentOf(const QList<ComparisonRecord>& records)
{
    BatchReportInput input;
    input.records = records;
    input.company = QStringLiteral("Lab & Co <QC>");
    input.tester = QStringLiteral("Wen Li");
    input.auditor = QStringLiteral("Ana Ruiz");
    return buildBatchReport(input, QDateTime(QDate(2026, 12, 9), QTime(7, 0)));
}

const BatchTable& tableAfter(const BatchReportDocument& doc, const QString& heading)
{
    for (int i = 0; i + 1 < doc.blocks.size(); ++i) {
        if (doc.blocks.at(i).kind == BatchBlock::Heading && doc.blocks.at(i).text == heading) {
            for (int j = i + 1; j < doc.blocks.size(); ++j) {
                if (doc.blocks.at(j).kind == BatchBlock::Table) {
                    return doc.blocks.at(j).table;
                }
            }
        }
    }
    static const BatchTable none;
    return none;
}

} // namespace

class tst_BatchReport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every row is in the PDF once, the table's headings are on every page it
    // reaches, and every page is numbered "Page i of n".
    void pdf_holdsEveryRowWithHeadingsAndPageNumbers()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("batch.pdf"));
        const QList<ComparisonRecord> records = batchcases::colourBatch(700, 2);
        QVERIFY(writeBatchReportPdf(documentOf(records), path));
        const QString text = pdfText(path);
        QVERIFY2(!text.isEmpty(), "pdftotext read nothing");
        const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        const int n = static_cast<int>(pages.size());
        QVERIFY(n > 10);
        for (int i = 0; i < n; ++i) {
            QVERIFY2(pages.at(i).contains(QStringLiteral("Page %1 of %2").arg(i + 1).arg(n)), qPrintable(QString::number(i)));
        }
        // Each name once, in its row with its verdict.
        for (int i = 0; i < records.size(); ++i) {
            const QRegularExpression row(QStringLiteral("\\b%1\\s+%2\\s.*\\b(PASS|NG)\\b")
                                             .arg(i + 1)
                                             .arg(records.at(i).testName));
            QCOMPARE(text.count(row), 1);
        }
        // Pages holding specimen rows begin their table with its headings.
        int pagesWithRows = 0;
        for (const QString& page : pages) {
            if (page.contains(QRegularExpression(QStringLiteral("\\bComp\\d+\\s+12-08")))) {
                ++pagesWithRows;
                QVERIFY(page.contains(QRegularExpression(QStringLiteral("No\\.\\s+Name\\s+Time\\s+Std\\."))));
            }
        }
        QVERIFY(pagesWithRows >= n - 3);
        QVERIFY(text.contains(QStringLiteral("Lab & Co <QC>")));
    }

    // The statistics table against the mean, standard deviation and maximum
    // of ΔE*ab worked out here from the rounded values.
    void statistics_equalAnIndependentComputation()
    {
        const QList<ComparisonRecord> records = batchcases::colourBatch(500);
        double sum = 0;
        double sumSquares = 0;
        double maximum = -1;
        int passed = 0;
        for (const ComparisonRecord& r : records) {
            const double dl = r.sample[ComparisonRecord::LabL] - r.standard[ComparisonRecord::LabL];
            const double da = r.sample[ComparisonRecord::LabA] - r.standard[ComparisonRecord::LabA];
            const double db = r.sample[ComparisonRecord::LabB] - r.standard[ComparisonRecord::LabB];
            const double e = std::sqrt(dl * dl + da * da + db * db);
            sum += e;
            sumSquares += e * e;
            maximum = std::max(maximum, e);
            passed += e <= 1.0 ? 1 : 0;
        }
        const double n = records.size();
        const double mean = sum / n;
        const double sd = std::sqrt((sumSquares - n * mean * mean) / (n - 1));
        const BatchReportDocument doc = documentOf(records);
        const BatchTable& stats = tableAfter(doc, QStringLiteral("Statistics of the batch"));
        const int difference = static_cast<int>(stats.headings.indexOf(QStringLiteral("Difference")));
        QVERIFY(difference >= 0);
        QStringList deltaE;
        for (const QStringList& row : stats.rows) {
            if (row.at(difference) == QStringLiteral("ΔE")) {
                deltaE = row;
            }
        }
        QVERIFY(!deltaE.isEmpty());
        const auto column = [&](const char* title) {
            return deltaE.at(static_cast<int>(stats.headings.indexOf(QString::fromUtf8(title))));
        };
        QCOMPARE(column("n"), QString::number(records.size()));
        QCOMPARE(column("Mean"), QString::number(mean, 'f', 3));
        QCOMPARE(column("SD"), QString::number(sd, 'f', 3));
        QCOMPARE(column("Max"), QString::number(maximum, 'f', 2));
        QCOMPARE(column("Pass rate"), QStringLiteral("%1%").arg(100.0 * passed / n, 0, 'f', 1));
    }

    // Rows judged against a library standard show its name, version and
    // set, the warning and the limit that decided.
    void libraryStandard_nameVersionWarningAndDecidingLimit()
    {
        LibraryJudgement library;
        library.standardId = QUuid::createUuid();
        library.standardName = QStringLiteral("Red 7");
        library.standardCode = QStringLiteral("R7");
        library.standardVersion = 3;
        library.tolerances.name = QStringLiteral("Automotive");
        library.tolerances.version = 2;
        library.tolerances.limits = {{ToleranceQuantity::dEab, 0.0, 1.0, true}};
        library.tolerances.warnPercent = 50;
        const ComparisonSettings settings = batchcases::settingsFor(DisplayMode::Lab);
        const auto standard = batchcases::labValues(50, 10, -5);
        QList<ComparisonRecord> records;
        for (const double dl : {0.2, 0.7, 1.4}) { // PASS, PASS with a warning, NG
            records << batchcases::named(compareValues(standard, batchcases::labValues(50 + dl, 10, -5), settings, library),
                                         static_cast<int>(records.size()));
        }
        const BatchReportDocument doc = documentOf(records);
        const BatchTable& standards = tableAfter(doc, QStringLiteral("Standard"));
        QCOMPARE(standards.rows.size(), 1);
        QCOMPARE(standards.rows.first().mid(0, 3),
                 (QStringList{QStringLiteral("Red 7"), QStringLiteral("3"), QStringLiteral("standards library, code R7")}));
        QVERIFY(standards.rows.first().last().startsWith(QStringLiteral("Automotive, version 2: dEab<=1")));
        const BatchTable& specimens = tableAfter(doc, QStringLiteral("Specimens"));
        const auto cell = [&](int row, const char* heading) {
            return specimens.rows.at(row).at(static_cast<int>(specimens.headings.indexOf(QString::fromUtf8(heading))));
        };
        const QStringList verdicts{cell(0, "Verdict"), cell(1, "Verdict"), cell(2, "Verdict")};
        QCOMPARE(verdicts, (QStringList{QStringLiteral("PASS"), QStringLiteral("PASS"), QStringLiteral("NG")}));
        QCOMPARE(cell(0, "Warning"), QString());
        QCOMPARE(cell(1, "Warning"), QStringLiteral("warning"));
        QCOMPARE(cell(2, "Decided by"), QStringLiteral("dEab<=1"));
        QCOMPARE(cell(0, "Decided by"), QString());
    }

    void displayModes_data()
    {
        QTest::addColumn<int>("mode"); // -1: a first-generation colorimeter's record
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("value"); // the sample's value under that heading
        QTest::newRow("haze/T") << int(DisplayMode::HazeT) << "T" << "90.00";
        QTest::newRow("haze") << int(DisplayMode::Haze) << "Haze" << "1.00";
        QTest::newRow("lab") << int(DisplayMode::Lab) << "b*" << "-4.00";
        QTest::newRow("lch") << int(DisplayMode::LCh) << "C*" << "10.77";
        QTest::newRow("haze/T/lab") << int(DisplayMode::HazeTLab) << "L*" << "51.00";
        QTest::newRow("legacy") << -1 << "a*" << "10.00";
    }

    // Every row has a cell under every heading, and a value lands under its own.
    void displayModes()
    {
        QFETCH(int, mode);
        QFETCH(QString, heading);
        QFETCH(QString, value);
        ComparisonRecord record;
        if (mode < 0) {
            ComparisonSettings settings = batchcases::settingsFor(DisplayMode::None);
            record = compareLegacyValues({50, 10, -5, 11.18, 333.4}, {51, 10, -4, 10.77, 338.2}, settings);
        } else {
            const auto sample = batchcases::labValues(51, 10, -4);
            record = compareValues(batchcases::labValues(50, 10, -5), sample,
                                   batchcases::settingsFor(static_cast<DisplayMode>(mode)));
        }
        const BatchReportDocument doc = documentOf({batchcases::named(record, 0)});
        const BatchTable& specimens = tableAfter(doc, QStringLiteral("Specimens"));
        QCOMPARE(specimens.rows.size(), 1);
        QCOMPARE(specimens.rows.first().size(), specimens.headings.size());
        const int column = static_cast<int>(specimens.headings.indexOf(heading));
        QVERIFY(column >= 0);
        QCOMPARE(specimens.rows.first().at(column), value);
    }

    void hazeFlags_data()
    {
        QTest::addColumn<double>("haze");
        QTest::addColumn<QString>("flag");
        QTest::newRow("29.99") << 29.99 << QString();
        QTest::newRow("30.00 is still the hazemeter's") << 30.0 << QString();
        QTest::newRow("30.01") << 30.01 << QStringLiteral("A");
        QTest::newRow("39.99") << 39.99 << QStringLiteral("A");
        QTest::newRow("40.00 is outside ISO 14782") << 40.0 << QStringLiteral("A B");
        QTest::newRow("72.5") << 72.5 << QStringLiteral("A B");
        QTest::newRow("0") << 0.0 << QString();
    }

    // The flag column of the specimens' table, row by row, in the PDF too.
    void hazeFlags()
    {
        QFETCH(double, haze);
        QFETCH(QString, flag);
        const QList<ComparisonRecord> records = batchcases::hazeBatch({haze});
        const BatchReportDocument doc = documentOf(records);
        const BatchTable& specimens = tableAfter(doc, QStringLiteral("Specimens"));
        const int column = static_cast<int>(specimens.headings.indexOf(QStringLiteral("Flag")));
        QVERIFY(column >= 0);
        QCOMPARE(specimens.rows.size(), 1);
        QCOMPARE(specimens.rows.first().at(column), flag);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("haze.pdf"));
        QVERIFY(writeBatchReportPdf(doc, path));
        const QString text = pdfText(path);
        const QRegularExpression row(QStringLiteral("\\b1\\s+Comp1\\s.*(PASS|NG)\\s*(.*)$"),
                                     QRegularExpression::MultilineOption);
        const QRegularExpressionMatch m = row.match(text);
        QVERIFY2(m.hasMatch(), qPrintable(text));
        QVERIFY(m.captured(2).remove(QLatin1Char(' ')).endsWith(QString(flag).remove(QLatin1Char(' '))));
        QCOMPARE(m.captured(2).contains(QLatin1Char('A')), !flag.isEmpty());
        QCOMPARE(text.contains(QStringLiteral("Values flagged: %1.").arg(flag.isEmpty() ? 0 : 1)), true);
    }

    // In Chinese every heading is Chinese and the PDF's embedded font shows it.
    void chinese_headingsInThePdf()
    {
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral("Tintwell_zh"), QCoreApplication::applicationDirPath()));
        QCoreApplication::installTranslator(&translator);
        const BatchReportDocument doc = documentOf(batchcases::hazeBatch({12.0, 45.0}));
        QCoreApplication::removeTranslator(&translator);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("zh.pdf"));
        QVERIFY(writeBatchReportPdf(doc, path));
        const QString text = pdfText(path);
        for (const char* heading : {"批量报告", "标准", "雾度测试", "样品", "本批统计", "第 1 页，共"}) {
            QVERIFY2(text.contains(QString::fromUtf8(heading)), heading);
        }
        QVERIFY(!text.contains(QStringLiteral("Specimens")));
    }

    void cli_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("rows"); // in the PDF; -1: none written
        QTest::newRow("all") << "report batch -o OUT" << 0 << 5;
        QTest::newRow("one session") << "report batch --session 1 -o OUT" << 0 << 3;
        QTest::newRow("since") << "report batch --since 2026-12-08T08:01 -o OUT" << 0 << 3;
        QTest::newRow("one standard by its first row") << "report batch --standard Comp2 -o OUT" << 0 << 2;
        QTest::newRow("one standard by number") << "report batch --standard 1 -o OUT" << 0 << 3;
        QTest::newRow("no output") << "report batch" << 2 << -1;
        QTest::newRow("session and since") << "report batch --session 1 --since 2026-12-01 -o OUT" << 2 << -1;
        QTest::newRow("unknown session") << "report batch --session 9 -o OUT" << 2 << -1;
        QTest::newRow("bad session") << "report batch --session x -o OUT" << 2 << -1;
        QTest::newRow("bad date") << "report batch --since yesterday -o OUT" << 2 << -1;
        QTest::newRow("unknown standard") << "report batch --standard Nope -o OUT" << 2 << -1;
        QTest::newRow("nothing since") << "report batch --since 2027-01-01 -o OUT" << 2 << -1;
        QTest::newRow("no journal") << "report batch -o OUT JOURNAL=none" << 2 << -1;
        QTest::newRow("unwritable") << "report batch -o /nonexistent/dir/out.pdf" << 5 << -1;
    }

    // Exit statuses, the rows chosen, errors on standard error.
    void cli()
    {
        QFETCH(QString, line);
        QFETCH(int, status);
        QFETCH(int, rows);
        QTemporaryDir dir;
        QString journalPath = dir.filePath(QStringLiteral("journal.sqlite"));
        {
            RecordJournal journal(journalPath);
            QVERIFY(journal.open());
            // Session 1: three rows of one standard; session 2: two of another.
            const QList<ComparisonRecord> batch = batchcases::colourBatch(6, 2);
            QVERIFY(journal.append({batch.at(0), batch.at(2), batch.at(4)}));
            QVERIFY(journal.closeCurrentSession());
            QVERIFY(journal.append({batch.at(1), batch.at(3)}));
        }
        if (line.endsWith(QStringLiteral(" JOURNAL=none"))) {
            line.chop(13);
            journalPath = dir.filePath(QStringLiteral("missing.sqlite"));
        }
        const QString out = dir.filePath(QStringLiteral("out.pdf"));
        QStringList arguments = line.split(QLatin1Char(' '));
        arguments.replaceInStrings(QRegularExpression(QStringLiteral("^OUT$")), out);
        QBuffer stdOut;
        QBuffer stdErr;
        stdOut.open(QIODevice::WriteOnly);
        stdErr.open(QIODevice::WriteOnly);
        CliEnvironment env;
        env.out = &stdOut;
        env.err = &stdErr;
        env.journalPath = journalPath;
        env.windowRunning = [] { return false; };
        QCOMPARE(runCli(arguments, env), status);
        QVERIFY2(status == 0 || !stdErr.data().isEmpty(), "an error is said on standard error");
        QCOMPARE(QFileInfo::exists(out), rows >= 0);
        if (rows >= 0) {
            const QString text = pdfText(out);
            QCOMPARE(text.count(QRegularExpression(QStringLiteral("\\bComp\\d+\\s+12-08"))), rows);
        }
    }

    // The program itself, without a display: --session reaches the command
    // (a GUI application would take -session as its own).
    void cli_executableWithoutDisplay()
    {
        QTemporaryDir dir;
        QDir().mkpath(dir.filePath(QStringLiteral("tintwell")));
        {
            RecordJournal journal(dir.filePath(QStringLiteral("tintwell/journal.sqlite")));
            QVERIFY(journal.open());
            const QList<ComparisonRecord> batch = batchcases::colourBatch(5);
            QVERIFY(journal.append(batch.mid(0, 2)));
            QVERIFY(journal.closeCurrentSession());
            QVERIFY(journal.append(batch.mid(2)));
        }
        const QString out = dir.filePath(QStringLiteral("out.pdf"));
        QProcess cli;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.path());
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        cli.setProcessEnvironment(environment);
        cli.start(QStringLiteral("./tintwell-cli"), {QStringLiteral("report"), QStringLiteral("batch"),
                                                     QStringLiteral("--session"), QStringLiteral("1"),
                                                     QStringLiteral("-o"), out});
        QVERIFY(cli.waitForFinished(60000));
        QCOMPARE(cli.exitCode(), 0);
        QCOMPARE(pdfText(out).count(QRegularExpression(QStringLiteral("\\bComp\\d+\\s+12-08"))), 2);
    }
};

QTEST_MAIN(tst_BatchReport)
#include "tst_BatchReport.moc"
