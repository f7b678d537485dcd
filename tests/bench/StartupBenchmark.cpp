// Start-up against a bare Qt window: Tintwell and tintwell_bare_window (one
// QMainWindow with a label) are started alternately, --runs times each
// (11 by default), on the offscreen platform with a fresh home folder, and
// each is timed from the start of its process to its first frame (the first
// expose event of its window, handled), then killed; its lock file and socket
// are removed, as a closed window removes them. Tintwell's start-up marks
// (tintwell.startup) give the breakdown, as medians over its runs.
//
//   tintwell_startup_bench [--runs N] [--simulate] [--journal N] [-- tintwell arguments]
//
// --simulate starts Tintwell with an emulated instrument; --journal N puts a
// journal of N records in closed sessions into the home folder first.
// The last line is "ratio to bare window: R" (medians).

#include "BenchProcess.h"
#include "ComparisonRecord.h"
#include "RecordJournal.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

namespace {

constexpr int kGiveUpMs = 30000;

struct Run
{
    double ms = -1.0;            // process start to the first-frame line
    QMap<QString, double> marks; // Tintwell's own marks, ms since its main()
};

Run startOnce(const QString& program, const QStringList& arguments, const QProcessEnvironment& env)
{
    Run run;
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    QByteArray output;
    static const QRegularExpression markLine(QStringLiteral("^tintwell\\.startup: ([0-9.]+) ms (.+)$"));
    while (run.ms < 0 && timer.elapsed() < kGiveUpMs && process.state() != QProcess::NotRunning) {
        process.waitForReadyRead(100);
        output += process.readAll();
        if (output.contains("first frame")) {
            run.ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        }
    }
    process.kill();
    process.waitForFinished();
    // What a window closed by the user leaves behind: no lock, no socket.
    QDir runtime(env.value(QStringLiteral("XDG_RUNTIME_DIR")));
    for (const QString& name : runtime.entryList(QDir::Files | QDir::System | QDir::Hidden)) {
        runtime.remove(name);
    }
    output += process.readAll();
    for (const QByteArray& line : output.split('\n')) {
        const QRegularExpressionMatch m = markLine.match(QString::fromUtf8(line.trimmed()));
        if (m.hasMatch()) {
            run.marks.insert(m.captured(2), m.captured(1).toDouble());
        }
    }
    if (run.ms < 0) {
        std::fprintf(stderr, "%s gave no first frame:\n%s\n", qPrintable(program), output.constData());
    }
    return run;
}

bool fillJournal(const QString& path, int count)
{
    RecordJournal journal(path);
    if (!journal.open()) {
        std::fprintf(stderr, "journal: %s\n", qPrintable(journal.errorText()));
        return false;
    }
    journal.setSessionInfo(QStringLiteral("TX310"), 0);
    for (int made = 0; made < count;) {
        QList<ComparisonRecord> batch;
        for (int i = 0; i < 1000 && made < count; ++i, ++made) {
            ComparisonRecord r;
            r.id = QUuid::createUuid();
            r.sequence = made + 1;
            r.testName = QStringLiteral("Comp%1").arg(made + 1);
            r.time = QDateTime(QDate(2026, 12, 8), QTime(8, 0)).addSecs(made);
            r.modelName = QStringLiteral("TX310");
            for (int v = 0; v < ComparisonRecord::ValueCount; ++v) {
                r.standard[v] = 30.0 + v + (made % 97) * 0.01;
                r.sample[v] = 30.0 + v + (made % 89) * 0.01;
            }
            r.deltaE = (made % 300) / 100.0;
            r.pass = r.deltaE <= 2.0;
            batch.append(r);
        }
        if (!journal.append(batch, made) || (made % 2000 == 0 && !journal.closeCurrentSession())) {
            std::fprintf(stderr, "journal: %s\n", qPrintable(journal.errorText()));
            return false;
        }
    }
    return journal.closeCurrentSession() || journal.openSessions().isEmpty();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return bench::percentile(values, 0.5);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QStringList tintwellArgs;
    const int dashes = args.indexOf(QStringLiteral("--"));
    if (dashes >= 0) {
        tintwellArgs = args.mid(dashes + 1);
        args = args.mid(0, dashes);
    }
    const auto option = [&](const char* name, int fallback) {
        const int at = args.indexOf(QLatin1String(name));
        return at >= 0 && at + 1 < args.size() ? args.at(at + 1).toInt() : fallback;
    };
    const int runs = qMax(1, option("--runs", 11));
    const int journalRecords = qMax(0, option("--journal", 0));
    if (args.contains(QStringLiteral("--simulate"))) {
        tintwellArgs.prepend(QStringLiteral("--simulate"));
    }

    QTemporaryDir home;
    if (!home.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const auto folder = [&](const char* name) {
        const QString path = home.filePath(QLatin1String(name));
        QDir().mkpath(path);
        return path;
    };
    env.insert(QStringLiteral("HOME"), folder("home"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder("home/.config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), folder("home/.local/share"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), folder("home/.cache"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder("runtime"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("*.debug=false\ntintwell.startup.info=true"));
    env.remove(QStringLiteral("QT_MESSAGE_PATTERN"));

    if (journalRecords > 0) {
        // Where Tintwell looks: its data folder under this home.
        qputenv("XDG_DATA_HOME", env.value(QStringLiteral("XDG_DATA_HOME")).toLocal8Bit());
        const QString name = QCoreApplication::applicationName();
        QCoreApplication::setApplicationName(QStringLiteral("tintwell"));
        const QString path = RecordJournal::defaultPath();
        QCoreApplication::setApplicationName(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (!fillJournal(path, journalRecords)) {
            return 1;
        }
    }

    const QString bin = QCoreApplication::applicationDirPath();
    const QString tintwell = bin + QStringLiteral("/tintwell");
    const QString bare = bin + QStringLiteral("/tintwell_bare_window");
    // One start of each first: the files they map come into the page cache.
    startOnce(bare, {}, env);
    startOnce(tintwell, tintwellArgs, env);

    std::vector<double> bareMs;
    std::vector<double> tintwellMs;
    QMap<QString, std::vector<double>> marks;
    QStringList order;
    for (int i = 0; i < runs; ++i) {
        const Run b = startOnce(bare, {}, env);
        const Run t = startOnce(tintwell, tintwellArgs, env);
        if (b.ms < 0 || t.ms < 0) {
            return 1;
        }
        bareMs.push_back(b.ms);
        tintwellMs.push_back(t.ms);
        for (auto it = t.marks.cbegin(); it != t.marks.cend(); ++it) {
            marks[it.key()].push_back(it.value());
        }
    }
    std::printf("runs: %d each, alternating (offscreen, fresh home%s%s)\n", runs,
                journalRecords > 0 ? qPrintable(QStringLiteral(", journal of %1 closed records").arg(journalRecords)) : "",
                tintwellArgs.isEmpty() ? "" : qPrintable(QStringLiteral(", tintwell ") + tintwellArgs.join(QLatin1Char(' '))));
    std::printf("Tintwell marks (median ms since its main() began):\n");
    std::vector<std::pair<double, QString>> sorted;
    for (auto it = marks.cbegin(); it != marks.cend(); ++it) {
        sorted.emplace_back(median(it.value()), it.key());
    }
    std::sort(sorted.begin(), sorted.end());
    for (const auto& [ms, what] : sorted) {
        std::printf("  %8.1f  %s\n", ms, qPrintable(what));
    }
    const double bareMedian = median(bareMs);
    const double tintwellMedian = median(tintwellMs);
    std::printf("bare window: median %.1f ms (min %.1f, max %.1f)\n", bareMedian,
                *std::min_element(bareMs.begin(), bareMs.end()), *std::max_element(bareMs.begin(), bareMs.end()));
    std::printf("tintwell:    median %.1f ms (min %.1f, max %.1f)\n", tintwellMedian,
                *std::min_element(tintwellMs.begin(), tintwellMs.end()),
                *std::max_element(tintwellMs.begin(), tintwellMs.end()));
    std::printf("ratio to bare window: %.2f\n", tintwellMedian / bareMedian);
    return 0;
}
