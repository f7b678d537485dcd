// tintwell-cli: each exit status, the choice among two emulated instruments,
// verdicts at the tolerance edges as the window decides them, no waiting
// without a terminal, and every subcommand end to end in its own process.
#include "CgatsFormat.h"
#include "CgatsText.h"
#include "../formats/FormatsTestData.h"
#include "CliCommand.h"
#include "InstrumentEmulator.h"
#include "Metamers.h"
#include "RecordJournal.h"
#include "SingleInstance.h"
#include "TristimulusWeights.h"
#include "VirtualInstrument.h"
#include "XlsxReader.h"

#include <QBuffer>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <numeric>

#include <cmath>

namespace {

// One run in this process, over emulators the test can prepare.
struct Run
{
    QBuffer out;
    QBuffer err;
    CliEnvironment env;
    std::function<void(InstrumentEmulator&)> prepare;
    QList<std::shared_ptr<InstrumentEmulator>> made; // kept beyond the run, to look at afterwards
    bool windowRunning = false;

    int operator()(const QStringList& arguments)
    {
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        env.out = &out;
        env.err = &err;
        env.windowRunning = [this] { return windowRunning; };
        env.makeEmulator = [this](const QString& model, int version) {
            auto emulator = std::make_shared<InstrumentEmulator>(model, version);
            if (prepare) {
                prepare(*emulator);
            }
            made << emulator;
            return emulator;
        };
        return runCli(arguments, env);
    }
    QString output() const { return QString::fromUtf8(out.data()); }
    QString messages() const { return QString::fromUtf8(err.data()); }
    QJsonObject json() const { return QJsonDocument::fromJson(out.data().split('\n').first()).object(); }
};

QStringList words(const QString& line)
{
    return line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// The serial number the emulator reports for a model, as identify prints it.
QString serialOf(const QString& model)
{
    Run run;
    run(words(QStringLiteral("--simulate %1 --json identify").arg(model)));
    return run.json().value(QStringLiteral("serial")).toString();
}

// Curves of the spectral commands' tests, in percent.
using Curve31 = std::array<double, kSpectralPointCount>;

Curve31 flatCurve(double value)
{
    Curve31 curve;
    curve.fill(value);
    return curve;
}

// A grey and a curve of the same D65/10° XYZ: the grey plus a wiggle with
// its D65/10° weights taken out, so the two match under D65 and part under A.
QPair<Curve31, Curve31> metamericPair()
{
    Curve31 wiggle;
    for (int k = 0; k < kSpectralPointCount; ++k) {
        wiggle[k] = 15.0 * std::sin(k * 0.7);
    }
    const auto& weights = colorimetry::TristimulusWeights::standard(colorimetry::Illuminant::D65,
                                                                     colorimetry::Observer::Cie1964TenDegree);
    return {flatCurve(50.0), metamerOf(flatCurve(50.0), weights, wiggle)};
}

// A CGATS file of named curves; empty when it cannot be written.
using cgatstext::writeCurves;

// Every line of a --json run.
QList<QJsonObject> jsonLines(const QByteArray& out)
{
    QList<QJsonObject> lines;
    for (const QByteArray& line : out.split('\n')) {
        if (!line.trimmed().isEmpty()) {
            lines << QJsonDocument::fromJson(line).object();
        }
    }
    return lines;
}

} // namespace

class tst_cli : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void exitStatus_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("refuseEverything");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("said"); // on standard error
        QTest::newRow("0 PASS") << "--simulate TX310 compare --standard measure --sample measure" << false << 0 << "";
        QTest::newRow("1 NG") << "--simulate TX310 compare --standard haze=1,t=50 --sample measure" << false << 1 << "";
        QTest::newRow("2 unknown option") << "--simulate TX310 measure --bogus" << false << 2 << "--bogus";
        QTest::newRow("2 option of another command") << "--simulate TX310 measure --count 2" << false << 2 << "--count";
        QTest::newRow("2 no command") << "--simulate TX310" << false << 2 << "No command";
        QTest::newRow("2 unknown command, --help after it") << "report weekly --help" << false << 2 << "Unknown command \"report weekly\"";
        QTest::newRow("2 unknown command, --version after it") << "frobnicate --version" << false << 2 << "frobnicate";
        QTest::newRow("2 unknown model named") << "--simulate TX999 devices" << false << 2 << "Unknown instrument model \"TX999\"";
        QTest::newRow("2 unknown model, in Chinese") << "--lang zh --simulate TX999 devices" << false << 2 << "未知的仪器型号";
        QTest::newRow("2 several, none named") << "--simulate TX310 --simulate TX420 identify" << false << 2 << "--device serial:";
        QTest::newRow("2 values the mode lacks") << "--simulate TX310 compare --standard L=50 --sample measure" << false << 2 << "haze";
        QTest::newRow("2 tolerance out of range") << "--simulate TX310 settings set --haze-tolerance 101" << false << 2 << "";
        QTest::newRow("3 serial absent") << "--simulate TX310 --device serial:1 identify" << false << 3 << "1";
        QTest::newRow("3 serial absent, in Chinese") << "--lang zh --simulate TX310 --device serial:1 identify" << false << 3 << "没有连接序列号为 1 的仪器";
        QTest::newRow("3 path absent") << "--simulate TX310 --device path:/dev/hidraw99 identify" << false << 3 << "/dev/hidraw99";
        QTest::newRow("4 refused") << "--simulate TX310 identify" << true << 4 << "";
        QTest::newRow("5 standard unreadable") << "--simulate TX310 compare --standard /nonexistent/std.json" << false << 5 << "/nonexistent/std.json";
        QTest::newRow("5 output unwritable") << "--simulate TX310 records export -o /nonexistent/r.json" << false << 5 << "/nonexistent/r.json";
        QTest::newRow("5 standards file missing") << "--simulate TX420 stdcolor upload /nonexistent/std.ti3" << false << 5 << "/nonexistent/std.ti3";
        QTest::newRow("2 since no date") << "journal export --since 07.12.2026" << false << 2 << "--since takes a date (yyyy-MM-dd or yyyy-MM-ddThh:mm), not \"07.12.2026\"";
        QTest::newRow("2 workbook to standard output") << "--simulate TX310 records export --format xlsx" << false << 2 << "-o";
    }
    void exitStatus()
    {
        QFETCH(QString, line);
        QFETCH(bool, refuseEverything);
        QFETCH(int, status);
        QFETCH(QString, said);
        Run run;
        if (refuseEverything) {
            run.prepare = [](InstrumentEmulator& e) { e.injectFault(EmulatorFault::ErrorReply, 1000); };
        }
        QCOMPARE(run(words(line)), status);
        QVERIFY2(run.messages().contains(said), qPrintable(run.messages()));
        if (status >= 2) {
            QVERIFY2(run.output().isEmpty(), qPrintable(run.output())); // no half result on standard output
        }
    }

    void deviceChoice_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("model");
        QTest::newRow("serial of the first") << QStringLiteral("serial:") + serialOf(QStringLiteral("TX420")) << "TX420";
        QTest::newRow("serial of the second") << QStringLiteral("serial:") + serialOf(QStringLiteral("TX310")) << "TX310";
        QTest::newRow("path of the first") << "path:simulated:1" << "TX420";
        QTest::newRow("path of the second") << "path:simulated:2" << "TX310";
    }
    void deviceChoice()
    {
        QFETCH(QString, device);
        QFETCH(QString, model);
        Run run;
        QCOMPARE(run({QStringLiteral("--simulate"), QStringLiteral("TX420"), QStringLiteral("--simulate"),
                      QStringLiteral("TX310"), QStringLiteral("--device"), device, QStringLiteral("--json"),
                      QStringLiteral("identify")}),
                 0);
        QCOMPARE(run.json().value(QStringLiteral("model")).toString(), model);
    }

    // compare --json: the verdict at the tolerance edges as the window decides
    // it, with the instruments' factory settings (TX310 tolerance page: haze
    // 0.50, T 1.00, threshold 1.0; TX420 parameter page: delta-E*ab at 1.0);
    // VALUES by name or in the mode's order, what the verdict needs present,
    // nothing taken as 0 silently.
    void compare_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("said"); // in the standard printed back, or the message
        QTest::newRow("haze difference equal to its tolerance") << "--simulate TX310 compare --standard haze=10,t=90 --sample haze=10.5,t=90" << 0 << "";
        QTest::newRow("haze difference above") << "--simulate TX310 compare --standard haze=10,t=90 --sample haze=10.51,t=90" << 1 << "";
        QTest::newRow("T below by more than its tolerance") << "--simulate TX310 compare --standard 10,90 --sample 10,88.99" << 1 << "";
        QTest::newRow("Lab mode: delta-E at the threshold") << "--simulate TX310 compare --mode lab --standard L=50,a=0,b=0 --sample L=51,a=0,b=0" << 0 << "";
        QTest::newRow("Lab mode: delta-E above") << "--simulate TX310 compare --mode lab --standard 50,0,0 --sample 51.01,0,0" << 1 << "";
        QTest::newRow("parameter page: threshold of the formula") << "--simulate TX420 compare --standard 50,0,0 --sample 51.01,0,0" << 1 << "";
        QTest::newRow("given tolerance wins") << "--simulate TX420 compare --tolerance de=2 --standard 50,0,0 --sample 51.01,0,0" << 0 << "";
        QTest::newRow("LCh given as L C h") << "--simulate TX420 compare --mode lch --standard L=50,C=10,h=0 --sample L=50,C=10,h=5" << 0 << "";
        QTest::newRow("first generation: legacy rule") << "--simulate TX420:250 compare --standard 50,0,0 --sample 50,1.2,0" << 1 << "";
        QTest::newRow("values in order") << "--simulate TX310 compare --standard 12.5,88 --sample 12.5,88" << 0 << "{\"haze\":12.5,\"t\":88}";
        QTest::newRow("values by name, any order") << "--simulate TX310 compare --standard t=88,haze=12.5 --sample 12.5,88" << 0 << "{\"haze\":12.5,\"t\":88}";
        QTest::newRow("percent signs") << "--simulate TX310 compare --standard 12.5%,88% --sample 12.5,88" << 0 << "{\"haze\":12.5,\"t\":88}";
        QTest::newRow("LCh: L C h give a* b*") << "--simulate TX420 compare --mode lch --standard L=50,C=10,h=90 --sample L=50,C=10,h=90" << 0 << "\"a\":0,\"b\":10";
        QTest::newRow("one value too many") << "--simulate TX310 compare --standard 1,2,3 --sample 1,2" << 2 << "Too many values";
        QTest::newRow("not a number") << "--simulate TX310 compare --standard 12.5,abc --sample 1,2" << 2 << "\"abc\" is not a number";
        QTest::newRow("a name the instrument lacks") << "--simulate TX310 compare --standard haze=1,t=2,q=3 --sample 1,2" << 2 << "\"q\"";
        QTest::newRow("a value the verdict needs") << "--simulate TX310 compare --standard haze=1 --sample 1,2" << 2 << "needs t";
    }
    void compare()
    {
        QFETCH(QString, line);
        QFETCH(int, status);
        QFETCH(QString, said);
        Run run;
        QCOMPARE(run(words(line + QStringLiteral(" --json"))), status);
        if (status >= 2) {
            QVERIFY2(run.messages().contains(said), qPrintable(run.messages()));
            return;
        }
        QCOMPARE(run.json().value(QStringLiteral("pass")).toBool(), status == 0);
        const QString printed = QString::fromUtf8(
            QJsonDocument(run.json().value(QStringLiteral("standard")).toObject()).toJson(QJsonDocument::Compact));
        QVERIFY2(printed.contains(said), qPrintable(printed));
    }

    // A bar on a terminal; a script's log gets the count alone.
    void progress_onlyOnATerminal_data()
    {
        QTest::addColumn<bool>("terminal");
        QTest::newRow("terminal") << true;
        QTest::newRow("pipe") << false;
    }
    void progress_onlyOnATerminal()
    {
        QFETCH(bool, terminal);
        Run run;
        run.env.stderrIsTerminal = terminal;
        QCOMPARE(run(words(QStringLiteral("--simulate TX310 records export --format json"))), 0);
        QCOMPARE(run.messages().contains(QLatin1String("\r[")), terminal);
        QVERIFY(run.messages().contains(QLatin1String("25")));
    }

    // --mode changes the instrument's display parameter before measuring.
    void measureMode_setsTheInstrument()
    {
        Run run;
        QCOMPARE(run(words(QStringLiteral("--simulate TX310 --json measure --mode yxy"))), 0);
        QCOMPARE(run.made.first()->instrument().displayMode(), 5);
        const QJsonObject values = run.json().value(QStringLiteral("values")).toObject();
        QVERIFY(values.contains(QStringLiteral("x")) && values.contains(QStringLiteral("L"))); // Yxy, and Lab for delta-E
    }

    // --readings N: values are the mean (or median) of the N readings listed,
    // the spread their standard deviation; compare lists each side's readings.
    void readings_meanOrMedianOfTheListed_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("median");
        QTest::newRow("mean of 3") << "--simulate TX420 --json measure --mode lab --readings 3" << false;
        QTest::newRow("median of 4") << "--simulate TX420 --json measure --mode lab --readings 4 --median" << true;
    }
    void readings_meanOrMedianOfTheListed()
    {
        QFETCH(QString, line);
        QFETCH(bool, median);
        Run run;
        QCOMPARE(run(words(line)), 0);
        const QJsonObject object = run.json();
        const QJsonArray readings = object.value(QStringLiteral("readings")).toArray();
        QCOMPARE(readings.size(), median ? 4 : 3);
        QList<double> ls;
        for (const QJsonValue& reading : readings) {
            ls.append(reading.toObject().value(QStringLiteral("L")).toDouble());
        }
        QVERIFY2(ls.first() != ls.last(), "the emulator's readings drift"); // else the test proves nothing
        std::sort(ls.begin(), ls.end());
        const double mean = std::accumulate(ls.begin(), ls.end(), 0.0) / double(ls.size());
        // In hundredths, whole numbers: a mean of exactly a half rounds away from zero.
        const auto units = [](double l) { return std::round(l * 100.0); };
        const double expected = median ? (units(ls.at(1)) + units(ls.at(2))) / 2.0
                                       : (units(ls.at(0)) + units(ls.at(1)) + units(ls.at(2))) / 3.0;
        QCOMPARE(object.value(QStringLiteral("values")).toObject().value(QStringLiteral("L")).toDouble(),
                 std::round(expected) / 100.0);
        double squares = 0.0;
        for (double l : ls) {
            squares += (l - mean) * (l - mean);
        }
        QVERIFY(std::fabs(object.value(QStringLiteral("spread")).toObject().value(QStringLiteral("L")).toDouble()
                          - std::sqrt(squares / double(ls.size() - 1))) < 1e-9);

        Run compare;
        compare(words(QStringLiteral("--simulate TX310 --json compare --standard measure --readings 2")));
        const QJsonObject record = compare.json();
        QCOMPARE(record.value(QStringLiteral("readings")).toObject().value(QStringLiteral("standard")).toArray().size(), 2);
        QCOMPARE(record.value(QStringLiteral("readings")).toObject().value(QStringLiteral("sample")).toArray().size(), 2);
        QVERIFY(record.value(QStringLiteral("spread")).toObject().value(QStringLiteral("sample")).isObject());
    }

    void keyWait_countGivesJsonLines()
    {
        Run run;
        const int status = run(words(QStringLiteral("--simulate TX430 --json compare --standard measure --sample key --count 3 --wait 5")));
        const QList<QByteArray> lines = run.out.data().trimmed().split('\n');
        QCOMPARE(lines.size(), 3);
        bool anyNg = false;
        for (int i = 0; i < 3; ++i) {
            const QJsonObject record = QJsonDocument::fromJson(lines.at(i)).object();
            QCOMPARE(record.value(QStringLiteral("name")).toString(), QStringLiteral("Comp%1").arg(i + 1));
            QVERIFY(record.value(QStringLiteral("deltaE")).isDouble()); // a number, not a text
            anyNg = anyNg || !record.value(QStringLiteral("pass")).toBool();
        }
        QCOMPARE(status, anyNg ? 1 : 0); // one NG among the samples is enough for status 1
    }

    void settingsSet_keepsWhatWasNotGiven()
    {
        Run run;
        QCOMPARE(run(words(QStringLiteral("--simulate TX310 --json settings set --t-tolerance 2.5"))), 0);
        const QJsonObject tolerances = run.json().value(QStringLiteral("tolerances")).toObject();
        QCOMPARE(tolerances.value(QStringLiteral("t")).toDouble(), 2.5);
        QCOMPARE(tolerances.value(QStringLiteral("haze")).toDouble(), 0.5);
        QCOMPARE(tolerances.value(QStringLiteral("deltaE")).toDouble(), 1.0);
    }

    // A standards file the instrument's library cannot take is refused whole:
    // not one byte of the library is written.
    void stdcolorUpload_checksTheWholeFileFirst()
    {
        QTemporaryDir dir;
        const QString good = dir.filePath(QStringLiteral("std.ti3"));
        Run exported;
        QCOMPARE(exported(words(QStringLiteral("--simulate TX420 records export --format cgats -o ") + good)), 0);
        QFile file(good);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray text = file.readAll();
        const QString bad = dir.filePath(QStringLiteral("bad.ti3"));
        QFile broken(bad);
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write(text.replace("\"T3\"", "\"T3\" 12..5")); // one malformed sample far into the file
        broken.close();

        Run refused;
        QCOMPARE(refused(words(QStringLiteral("--simulate TX420 stdcolor upload ") + bad)), 5);
        QCOMPARE(refused.made.first()->instrument().standardColorCount(), 0);
        QVERIFY(!refused.made.first()->instrument().blockTransferCompleted());

        Run written;
        QCOMPARE(written(words(QStringLiteral("--simulate TX420 stdcolor upload ") + good)), 0);
        QCOMPARE(written.made.first()->instrument().standardColorCount(), 1);
        QVERIFY(written.made.first()->instrument().blockTransferCompleted());
    }

    void journalExport_sinceAndModes()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("journal.sqlite"));
        {
            RecordJournal journal(path);
            QVERIFY(journal.open());
            QList<ComparisonRecord> records;
            for (int i = 0; i < 3; ++i) {
                ComparisonRecord r;
                r.id = QUuid::createUuid();
                r.testName = QStringLiteral("Comp%1").arg(i + 1);
                r.time = QDateTime(QDate(2026, 12, 6 + i), QTime(10, 0));
                r.settings.displayMode = i == 2 ? DisplayMode::Lab : DisplayMode::HazeT; // the last one in Lab
                r.pass = true;
                records << r;
            }
            QVERIFY(journal.append(records));
        }
        Run all;
        all.env.journalPath = path;
        QCOMPARE(all(words(QStringLiteral("journal export --json"))), 0);
        QCOMPARE(all.json().value(QStringLiteral("records")).toArray().size(), 3);

        Run since;
        since.env.journalPath = path;
        QCOMPARE(since(words(QStringLiteral("journal export --json --since 2026-12-07"))), 0);
        const QJsonArray later = since.json().value(QStringLiteral("records")).toArray();
        QCOMPARE(later.size(), 2);
        QCOMPARE(later.at(0).toObject().value(QStringLiteral("name")).toString(), QStringLiteral("Comp2"));

        Run table; // a table has one display mode's columns
        table.env.journalPath = path;
        QCOMPARE(table(words(QStringLiteral("journal export --format csv"))), 2);
        Run oneMode;
        oneMode.env.journalPath = path;
        QCOMPARE(oneMode(words(QStringLiteral("journal export --format csv --mode hazet"))), 0);
        QCOMPARE(oneMode.out.data().count('\n'), 3); // titles and two records
    }

    // What decides "the window holds the instrument" (exit status 3): the
    // window's lock held by a live process, seen without taking it.
    void windowProbe_seesALiveHolderWithoutTakingTheLock()
    {
        QTemporaryDir runtime;
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
        const QString key = QStringLiteral("tintwell-cli-probe");
        QVERIFY(!SingleInstance::heldByLiveProcess(key));
        {
            SingleInstance window(key);
            QVERIFY(!window.isRunning()); // this one takes the lock, as the window does
            QVERIFY(SingleInstance::heldByLiveProcess(key));
        }
        QVERIFY(!SingleInstance::heldByLiveProcess(key)); // released with the window
        SingleInstance later(key);
        QVERIFY(!later.isRunning()); // the probe never left a lock behind
    }

    void windowHoldsRealInstruments_emulatedOnesStayUsable()
    {
        Run run;
        run.windowRunning = true;
        QCOMPARE(run(words(QStringLiteral("--simulate TX310 identify"))), 0);
    }

    // The library of standards and compare against one of it, in this
    // process, each row over a fresh library holding Red-12 (L*a*b* 50,1,2,
    // code 4006, dE00<=1 and dL within +-0.8 decide, db -0.3..0.6 informs,
    // 80 % band). Commands of a row run in turn (" ; "); the last one's
    // status and output are checked.
    void standards_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("list") << "standards list" << 0 << "Red-12\t4006\tv1\tdE00<=1,dL=-0.8..0.8" << "";
        QTest::newRow("list --json") << "--json standards list" << 0
                                     << "\"limits\":\"dE00<=1,dL=-0.8..0.8,db=-0.3..0.6:info\"" << "";
        QTest::newRow("show, any case") << "standards show red-12" << 0 << "version\t1 (1 kept)" << "";
        QTest::newRow("show unknown") << "standards show Blue" << 2 << "" << "no standard \"Blue\"";
        QTest::newRow("add, then list") << "standards add Blue --lab 40,0,-30 --code 7001 ; standards list" << 0
                                        << "Blue\t7001\tv1\t-" << "";
        QTest::newRow("add a taken name") << "standards add RED-12 --lab 1,2,3" << 2 << "" << "already";
        QTest::newRow("add, bad tolerance") << "standards add Blue --lab 1,2,3 --tolerance dE00<=x" << 2 << ""
                                            << "dE00<=x";
        QTest::newRow("add, band of 100") << "standards add Blue --lab 1,2,3 --warn 100" << 2 << "" << "--warn";
        QTest::newRow("add, bad lab") << "standards add Blue --lab 1,2" << 2 << "" << "--lab";
        QTest::newRow("add, no values") << "standards add Blue" << 2 << "" << "no values";
        QTest::newRow("set: a new version") << "standards set Red-12 --warn 50 ; standards show Red-12" << 0
                                            << "version\t2 (2 kept)" << "";
        QTest::newRow("set nothing") << "standards set Red-12" << 2 << "" << "--lab";
        QTest::newRow("share a set, then use it")
            << "standards share Plant --tolerance dE00<=0.5 ; standards set Red-12 --shared-set plant ; "
               "--simulate TX420 --json compare --standard-name Red-12 --sample 50.6,1,2"
            << 1 << "\"decided_by\":\"dE00\"" << "";
        QTest::newRow("unknown shared set") << "standards set Red-12 --shared-set Plant" << 2 << "" << "standards share";
        QTest::newRow("remove") << "standards remove Red-12 ; standards show Red-12" << 2 << "" << "no standard";
        QTest::newRow("export, remove, import") << "standards export DIR/x.csv ; standards remove Red-12 ; "
                                                   "standards import DIR/x.csv ; standards show Red-12"
                                                << 0 << "warn 80%" << "";
        QTest::newRow("import, unknown kind") << "standards import DIR/x.pdf" << 2 << "" << ".csv";
        QTest::newRow("import, missing file") << "standards import DIR/none.csv" << 5 << "" << "none.csv";
        QTest::newRow("workbook needs a model") << "standards export DIR/x.xlsx" << 2 << "" << "--model";
        QTest::newRow("compare PASS") << "--simulate TX420 --json compare --standard-name Red-12 --sample 50.3,1,2"
                                      << 0 << "\"decided_by\":null" << "";
        QTest::newRow("compare, warning is PASS")
            << "--simulate TX420 --json compare --standard-name Red-12 --sample 50.5,1,2.55" << 0
            << "\"decided_by\":\"db\"" << "";
        QTest::newRow("compare, warning fails when asked")
            << "--simulate TX420 --json compare --standard-name Red-12 --sample 50.5,1,2.55 --fail-on-warning" << 1
            << "\"warning\":true" << "";
        QTest::newRow("compare NG names the limit")
            << "--simulate TX420 --json compare --standard-name Red-12 --sample 50.9,1,2" << 1
            << "\"decided_by\":\"dL\"" << "";
        QTest::newRow("compare by code") << "--simulate TX420 --json compare --standard-code 4006 --sample 50,1,2" << 0
                                         << "\"library_standard\":{\"code\":\"4006\",\"name\":\"Red-12\",\"version\":1}"
                                         << "";
        QTest::newRow("compare, instrument's tolerances") << "--simulate TX420 --json compare --standard 50,1,2 --sample 50,1,2"
                                                          << 0 << "\"library_standard\":null" << "";
        QTest::newRow("compare, unknown code") << "--simulate TX420 compare --standard-code 999 --sample 50,1,2" << 2
                                               << "" << "\"999\"";
        QTest::newRow("compare, two standards") << "--simulate TX420 compare --standard 50,1,2 --standard-name Red-12"
                                                << 2 << "" << "one of them";
        QTest::newRow("in Chinese") << "--lang zh standards show Blue" << 2 << "" << "标准库中没有标准“Blue”";
    }
    void standards()
    {
        QFETCH(QString, lines);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QTemporaryDir dir;
        const QString library = dir.filePath(QStringLiteral("standards.sqlite"));
        const auto run = [&](const QString& line, Run& r) {
            r.env.standardsPath = library;
            return r(words(QString(line).replace(QStringLiteral("DIR"), dir.path())));
        };
        Run setup;
        QCOMPARE(run(QStringLiteral("standards add Red-12 --lab 50,1,2 --code 4006 "
                                    "--tolerance dE00<=1,dL=-0.8..0.8,db=-0.3..0.6:info --warn 80"),
                     setup),
                 0);
        const QStringList steps = lines.split(QStringLiteral(" ; "));
        for (int i = 0; i < steps.size(); ++i) {
            Run r;
            const int got = run(steps[i], r);
            if (i + 1 < steps.size()) {
                QVERIFY2(got == 0, qPrintable(steps[i] + QLatin1Char(' ') + r.messages()));
                continue;
            }
            QVERIFY2(got == status, qPrintable(QString::number(got) + QLatin1Char(' ') + r.messages()));
            QVERIFY2(r.output().contains(out), qPrintable(r.output()));
            QVERIFY2(r.messages().contains(err), qPrintable(r.messages()));
        }
    }

    // Every subcommand once, as a script runs it: the real executable, its
    // standard input an open pipe nobody writes to, which it must neither
    // read nor wait for.
    void endToEnd_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("printed");
        QTest::newRow("devices") << "--simulate TX310 --simulate TX470 devices" << 0 << "simulated:2";
        QTest::newRow("identify") << "--simulate TX430:350 identify" << 0 << "first generation";
        QTest::newRow("measure") << "--simulate TX460 measure --mode lab" << 0 << "L\t";
        QTest::newRow("compare") << "--simulate TX310 compare --standard measure --sample measure" << 0 << "PASS";
        QTest::newRow("compare, sample by the instrument's key") << "--simulate TX310 compare --standard measure --sample key --wait 5" << 0 << "PASS";
        QTest::newRow("several instruments, none named") << "--simulate TX310 --simulate TX420 measure" << 2 << "";
        QTest::newRow("settings get") << "--simulate TX420 settings get" << 0 << "formula\tab (code 0)";
        QTest::newRow("settings set") << "--simulate TX420 settings set --formula 00 --threshold 2.5" << 0 << "threshold\t2.5";
        QTest::newRow("records export") << "--simulate TX310 records export --format json -o FILE" << 0 << "";
        QTest::newRow("spectral export") << "--simulate TX310 spectral export --format json" << 0 << "\"spectra\":[{";
        QTest::newRow("journal export") << "journal export --format json" << 0 << "\"type\":\"journal\"";
        QTest::newRow("help") << "--help" << 0 << "Exit status";
    }
    void endToEnd()
    {
        QFETCH(QString, line);
        QFETCH(int, status);
        QFETCH(QString, printed);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("out.json"));
        QProcess cli;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.path()); // no journal of this machine's window
        cli.setProcessEnvironment(environment);
        cli.start(QStringLiteral("./tintwell-cli"), words(line.replace(QStringLiteral("FILE"), file)));
        QVERIFY2(cli.waitForFinished(20000), "tintwell-cli waited for something");
        const QString out = QString::fromUtf8(cli.readAllStandardOutput());
        QCOMPARE(cli.exitCode(), status);
        QVERIFY2(out.contains(printed), qPrintable(out));
        if (line.contains(QLatin1String("-o "))) {
            QFile written(file);
            QVERIFY(written.open(QIODevice::ReadOnly));
            const QJsonObject exported = QJsonDocument::fromJson(written.readAll()).object();
            QVERIFY(exported.value(QStringLiteral("records")).toArray().size() > 0);
        }
    }

    // A perfect white (100 % in every band): spectral colour gives Y = 100,
    // L* = 100, a* = b* = 0 under every illuminant and observer; spectral
    // indices CIE whiteness W = Y = 100 and tint 0 (it sits on the white
    // point), E313 yellowness about 0 (its coefficients are chosen so), and
    // null, said on standard error, where a standard does not define the
    // index under the illuminant.
    void perfectWhite_data()
    {
        QTest::addColumn<QString>("line"); // after "--json spectral"
        QTest::addColumn<QString>("expected"); // key=value; null: none
        for (const char* illuminant : {"A", "C", "D50", "D55", "D65", "D75", "F2", "F7", "F11"}) {
            for (const char* observer : {"2", "10"}) {
                QTest::addRow("colour %s/%s", illuminant, observer)
                    << QStringLiteral("colour FILE --illuminant %1 --observer %2").arg(illuminant, observer)
                    << QStringLiteral("name=white illuminant=%1 observer=%2 Y=100 L=100 a=0 b=0").arg(illuminant, observer);
            }
        }
        QTest::newRow("indices, default D65/10") << "indices FILE" << "yi_e313=0 wi_cie=100 tint_cie=0 wi_cie_in_range=true";
        QTest::newRow("indices D65/2") << "indices FILE --observer 2" << "yi_e313=0 wi_cie=100 tint_cie=0 wi_cie_in_range=true";
        QTest::newRow("indices C: yellowness only") << "indices FILE --illuminant C"
                                                    << "yi_e313=0 wi_cie=null tint_cie=null wi_cie_in_range=null";
        QTest::newRow("indices A: neither") << "indices FILE --illuminant A --observer 2"
                                            << "yi_e313=null wi_cie=null tint_cie=null wi_cie_in_range=null";
    }
    void perfectWhite()
    {
        QFETCH(QString, line);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString file = writeCurves(dir.filePath(QStringLiteral("white.ti3")), {{QStringLiteral("white"), flatCurve(100.0)}});
        Run run;
        QCOMPARE(run(QStringList{QStringLiteral("--json"), QStringLiteral("spectral")} + words(line.replace(QStringLiteral("FILE"), file))), 0);
        const QList<QJsonObject> lines = jsonLines(run.out.data());
        QCOMPARE(lines.size(), 1);
        for (const QString& pair : expected.split(u' ')) {
            const QString key = pair.section(u'=', 0, 0);
            const QString want = pair.section(u'=', 1);
            const QJsonValue got = lines.first().value(key);
            bool number = false;
            const double value = want.toDouble(&number);
            if (want == QLatin1String("null")) {
                QVERIFY2(got.isNull(), qPrintable(key));
            } else if (number && got.isDouble()) { // yellowness is about 0, the rest exact
                QVERIFY2(std::abs(got.toDouble() - value) < (key == QLatin1String("yi_e313") ? 0.1 : 1e-6), qPrintable(run.output()));
            } else {
                QCOMPARE(got.toVariant().toString(), want);
            }
        }
        QVERIFY2(expected.contains(QLatin1String("null")) ? run.messages().contains(QLatin1String("D65")) : run.messages().isEmpty(),
                 qPrintable(run.messages()));
    }

    // spectral compare: a curve against itself differs by nothing anywhere;
    // a pair metameric under D65 matches there and parts under A and F11,
    // and the index names its correction.
    void spectralCompare_data()
    {
        QTest::addColumn<QString>("sample");
        QTest::addColumn<bool>("metameric");
        QTest::newRow("a curve with itself") << "grey" << false;
        QTest::newRow("a metameric pair") << "metamer" << true;
    }
    void spectralCompare()
    {
        QFETCH(QString, sample);
        QFETCH(bool, metameric);
        QTemporaryDir dir;
        const auto [grey, metamer] = metamericPair();
        const QString file = writeCurves(dir.filePath(QStringLiteral("pair.ti3")),
                                         {{QStringLiteral("grey"), grey}, {QStringLiteral("metamer"), metamer}});
        Run run;
        QCOMPARE(run({QStringLiteral("--json"), QStringLiteral("spectral"), QStringLiteral("compare"), file,
                      QStringLiteral("--standard"), QStringLiteral("grey"), QStringLiteral("--sample"), sample,
                      QStringLiteral("--illuminants"), QStringLiteral("D65,A,F11")}),
                 0);
        const QList<QJsonObject> lines = jsonLines(run.out.data());
        QCOMPARE(lines.size(), 3);
        const QStringList illuminants{QStringLiteral("D65"), QStringLiteral("A"), QStringLiteral("F11")};
        for (int n = 0; n < 3; ++n) {
            const QJsonObject line = lines.at(n);
            QCOMPARE(line.value(QStringLiteral("illuminant")).toString(), illuminants.at(n));
            QCOMPARE(line.value(QStringLiteral("reference")).toBool(), n == 0);
            QCOMPARE(line.contains(QStringLiteral("mi_ab")), n > 0);
            const double dEab = line.value(QStringLiteral("dE_ab")).toDouble(-1);
            const double dE00 = line.value(QStringLiteral("dE00")).toDouble(-1);
            if (n == 0 || !metameric) {
                QVERIFY2(dEab >= 0 && dEab < 1e-3 && dE00 >= 0 && dE00 < 1e-3, qPrintable(run.output()));
            }
            if (n > 0) {
                QCOMPARE(line.value(QStringLiteral("mi_correction")).toString(), QStringLiteral("additive"));
                QCOMPARE(line.value(QStringLiteral("referenceIlluminant")).toString(), QStringLiteral("D65"));
                const double miAb = line.value(QStringLiteral("mi_ab")).toDouble(-1);
                const double mi00 = line.value(QStringLiteral("mi_00")).toDouble(-1);
                if (metameric) {
                    QVERIFY2(miAb > 0.5 && mi00 > 0.2, qPrintable(run.output()));
                    // Matched under the reference, the correction is nil: the index is the difference.
                    QVERIFY2(std::abs(miAb - dEab) < 1e-3, qPrintable(run.output()));
                } else {
                    QVERIFY2(miAb >= 0 && miAb < 1e-3 && mi00 >= 0 && mi00 < 1e-3, qPrintable(run.output()));
                }
            }
        }
    }

    // Names and options the spectral commands refuse, each naming what it refuses.
    void spectralRefusals_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("said");
        QTest::newRow("unknown illuminant") << "spectral colour FILE --illuminant D66" << 2 << "\"D66\"";
        QTest::newRow("unknown illuminant, in Chinese") << "--lang zh spectral colour FILE --illuminant X1" << 2 << "未知的光源 \"X1\"";
        QTest::newRow("unknown observer") << "spectral indices FILE --observer 4" << 2 << "\"4\"";
        QTest::newRow("unknown test illuminant") << "spectral compare FILE --standard grey --sample grey --illuminants D65,Q7" << 2 << "\"Q7\"";
        QTest::newRow("no illuminants") << "spectral compare FILE --standard grey --sample grey" << 2 << "--illuminants";
        QTest::newRow("unknown standard") << "spectral compare FILE --standard red --sample grey --illuminants D65,A" << 2 << "\"red\"";
        QTest::newRow("unknown sample") << "spectral compare FILE --standard grey --sample blue --illuminants D65,A" << 2 << "\"blue\"";
        QTest::newRow("a name two curves have") << "spectral compare FILE --standard twice --sample grey --illuminants D65" << 2 << "2 curves are named \"twice\"";
        QTest::newRow("no file") << "spectral colour /nonexistent/c.ti3" << 5 << "/nonexistent/c.ti3";
        QTest::newRow("no curves in the file") << "spectral colour LAB" << 5 << "holds no spectral curves";
        QTest::newRow("no file given") << "spectral colour" << 2 << "Usage";
    }
    void spectralRefusals()
    {
        QFETCH(QString, line);
        QFETCH(int, status);
        QFETCH(QString, said);
        QTemporaryDir dir;
        const QString file = writeCurves(dir.filePath(QStringLiteral("c.ti3")), {{QStringLiteral("grey"), flatCurve(50.0)},
                                                                                  {QStringLiteral("twice"), flatCurve(20.0)},
                                                                                  {QStringLiteral("twice"), flatCurve(30.0)}});
        formats::ExchangeDocument labOnly;
        formats::ExchangeSample lab;
        lab.id = QStringLiteral("S1");
        lab.hasLab = true;
        lab.l = 50.0;
        labOnly.samples << lab;
        const QString labFile = dir.filePath(QStringLiteral("lab.ti3"));
        QVERIFY(formats::writeCgatsFile(labOnly, labFile));
        Run run;
        QCOMPARE(run(words(line.replace(QStringLiteral("FILE"), file).replace(QStringLiteral("LAB"), labFile))), status);
        QVERIFY2(run.messages().contains(said), qPrintable(run.messages()));
        QVERIFY2(run.output().isEmpty(), qPrintable(run.output()));
    }

    // What spectral export writes from the instrument, every format, reads
    // back to the same curves: the same names, in order, and the same colour.
    void spectralColour_readsWhatSpectralExportWrote()
    {
        QTemporaryDir dir;
        QList<QList<QJsonObject>> results;
        for (const char* format : {"cgats", "cxf", "csv", "xlsx"}) {
            const QString file = dir.filePath(QStringLiteral("spectra.") + QLatin1String(format == QByteArray("cgats") ? "ti3" : format));
            Run exportRun;
            QCOMPARE(exportRun({QStringLiteral("--simulate"), QStringLiteral("TX310"), QStringLiteral("spectral"),
                                QStringLiteral("export"), QStringLiteral("--format"), QLatin1String(format), QStringLiteral("-o"), file}),
                     0);
            Run run;
            QCOMPARE(run({QStringLiteral("--json"), QStringLiteral("spectral"), QStringLiteral("colour"), file}), 0);
            results << jsonLines(run.out.data());
        }
        Run exported;
        QCOMPARE(exported(words(QStringLiteral("--simulate TX310 spectral export --format json"))), 0);
        const QJsonArray spectra = exported.json().value(QStringLiteral("spectra")).toArray();
        QVERIFY(spectra.size() > 1);
        for (const QList<QJsonObject>& lines : results) {
            QCOMPARE(lines.size(), spectra.size());
            for (int n = 0; n < lines.size(); ++n) {
                const QString name = spectra.at(n).toObject().value(QStringLiteral("name")).toString();
                QCOMPARE(lines.at(n).value(QStringLiteral("name")).toString(), name.isEmpty() ? QStringLiteral("spec1") : name);
                for (const char* key : {"X", "Y", "Z"}) {
                    const double first = results.first().at(n).value(QLatin1String(key)).toDouble();
                    QVERIFY2(std::abs(lines.at(n).value(QLatin1String(key)).toDouble() - first) < 1e-3, key);
                }
            }
        }
    }

    // spectral export gives its files the colour for --illuminant and
    // --observer: CGATS and CxF3 beside the curves, the workbook in its
    // colour sheet; an unknown illuminant is refused before the instrument
    // is asked.
    void spectralExport_carriesTheColour_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("options");
        QTest::addColumn<QString>("named"); // illuminant and observer as the file names them, "" refused
        QTest::newRow("cgats, A/2") << "ti3" << "--format cgats --illuminant A --observer 2" << "A2°";
        QTest::newRow("cxf, F11/10") << "cxf" << "--format cxf --illuminant F11" << "F1110°";
        QTest::newRow("xlsx, D65/10") << "xlsx" << "--format xlsx" << "D6510°";
        QTest::newRow("unknown illuminant") << "ti3" << "--format cgats --illuminant D66" << "";
    }
    void spectralExport_carriesTheColour()
    {
        QFETCH(QString, format);
        QFETCH(QString, options);
        QFETCH(QString, named);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("spectra.") + format);
        Run run;
        QCOMPARE(run(words(QStringLiteral("--simulate TX310 spectral export -o %1 %2").arg(file, options))), named.isEmpty() ? 2 : 0);
        for (const auto& emulator : run.made) {
            QCOMPARE(emulator->receivedFrames().isEmpty(), named.isEmpty());
        }
        if (format == QLatin1String("xlsx")) {
            XlsxSheet sheet;
            QVERIFY(readXlsxSheet(testdata::readAll(file), 2, sheet, nullptr));
            const QList<QVariantList> rows = sheet.denseRows();
            QCOMPARE(rows.value(0).value(1).toString() + rows.value(1).value(1).toString(), named);
            QVERIFY(rows.size() > 6);
        } else if (!named.isEmpty()) {
            formats::ExchangeDocument document;
            QVERIFY(formats::readExchangeFile(file, document).ok && document.computedFor);
            QCOMPARE(colorimetry::illuminantName(document.computedFor->illuminant)
                         + colorimetry::observerName(document.computedFor->observer),
                     named);
            testdata::compareComputed(document, document.computedFor);
        }
    }

    // spectral colour against argyll's spec2cie on the CGATS file spectral export wrote.
    void spectralColour_agreesWithSpec2cie()
    {
        if (cgatstext::spec2cie().isEmpty()) {
            QSKIP("spec2cie is not installed (Debian package argyll)");
        }
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("spectra.ti3"));
        Run exportRun;
        QCOMPARE(exportRun({QStringLiteral("--simulate"), QStringLiteral("TX310"), QStringLiteral("spectral"),
                            QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("cgats"), QStringLiteral("-o"), file}),
                 0);
        const QString argyllOut = dir.filePath(QStringLiteral("argyll.ti3"));
        const QString error = cgatstext::runSpec2cie(QStringLiteral("D65"), QStringLiteral("1964_10"), file, argyllOut);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        Run run;
        QCOMPARE(run({QStringLiteral("--json"), QStringLiteral("spectral"), QStringLiteral("colour"), file}), 0);
        const QList<QJsonObject> ours = jsonLines(run.out.data());
        const QByteArray theirs = cgatstext::readAll(argyllOut);
        for (const char* key : {"X", "Y", "Z"}) {
            const QList<double> values = cgatstext::numbers(theirs, QByteArray("XYZ_") + key);
            QCOMPARE(values.size(), ours.size());
            for (int n = 0; n < ours.size(); ++n) {
                const double mine = ours.at(n).value(QLatin1String(key)).toDouble();
                QVERIFY2(std::abs(values.at(n) - mine) < 0.2,
                         qPrintable(QStringLiteral("set %1 %2: spec2cie %3, ours %4").arg(n + 1).arg(key).arg(values.at(n)).arg(mine)));
            }
        }
    }
};

QTEST_GUILESS_MAIN(tst_cli)
#include "tst_cli.moc"
