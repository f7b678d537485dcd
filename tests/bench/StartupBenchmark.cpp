// Start-up against a bare Qt window: Tintwell, tintwell_bare_window (one
// QMainWindow with a label) and tintwell_form_window (the workspace page's
// form alone under Tintwell's look: what Tintwell's first frame cannot cost
// less than) are started in turn, --runs times each (11 by default), and each
// is timed from the start of its process to its first frame (the first expose
// event of its window, handled), then killed. All are started the same way: the same platform plugin, the same
// environment, the same X server, and for every start a fresh home folder
// (configuration, cache and runtime folders empty) holding a copy of one
// journal of --journal closed records (100 000 by default), written once.
//
// Four variants: Tintwell in English and in Chinese (--lang en / zh), each
// without an instrument and with --simulate. Each variant is measured under
// a virtual X server (Xvfb, started by the bench: what an operator's desktop
// costs, where a bare window takes far longer than offscreen) and offscreen.
//
//   tintwell_startup_bench [--runs N] [--journal N] [--platform xvfb|offscreen|both]
//                          [-- more tintwell arguments]
//
// Printed: Tintwell's start-up marks (tintwell.startup, medians of the ms
// since its main() began and of the processor time its process had used) per
// variant, the medians and the ratio of each variant, the processor time both
// had used at their first frame (steadier than the clock on a busy machine),
// the worst ratio of each platform (and of the form alone to the bare window),
// and last "ratio to bare window: R": the
// worst variant under Xvfb (offscreen when Xvfb is not installed or
// --platform offscreen is given).

#include "BenchProcess.h"
#include "ComparisonRecord.h"
#include "RecordJournal.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kGiveUpMs = 30000;

struct Run
{
    double ms = -1.0; // process start to the first-frame line
    // The program's own marks: ms since its main() began, and the processor
    // time its process had used by then (all threads, from its start).
    QMap<QString, std::pair<double, double>> marks;
    double cpuMs() const { return marks.value(QStringLiteral("first frame"), {-1.0, -1.0}).second; }
};

// A fresh home for every start: the folders a desktop session provides,
// empty, and (for Tintwell) the prepared journal where it looks for it.
class Home
{
public:
    explicit Home(const QString& root, const QString& journal) : m_root(root), m_journal(journal) {}

    QProcessEnvironment prepare(QProcessEnvironment env) const
    {
        QDir(m_root).removeRecursively();
        const auto folder = [&](const char* name) {
            const QString path = QDir(m_root).filePath(QLatin1String(name));
            QDir().mkpath(path);
            return path;
        };
        env.insert(QStringLiteral("HOME"), folder("home"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder("home/.config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), folder("home/.local/share"));
        env.insert(QStringLiteral("XDG_CACHE_HOME"), folder("home/.cache"));
        const QString runtime = folder("runtime");
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        if (!m_journal.isEmpty()) {
            const QString target = QDir(m_root).filePath(QStringLiteral("home/.local/share/") + journalRelativePath());
            QDir().mkpath(QFileInfo(target).absolutePath());
            QFile::copy(m_journal, target);
            // On disk before the start: no write-back of the copy competes with the timed start.
            QFile copy(target);
            if (copy.open(QIODevice::ReadOnly)) {
                ::fdatasync(copy.handle());
            }
        }
        return env;
    }

    // Where Tintwell keeps its journal, relative to its data home.
    static QString journalRelativePath()
    {
        static QString relative;
        if (relative.isEmpty()) {
            const QByteArray saved = qgetenv("XDG_DATA_HOME");
            qputenv("XDG_DATA_HOME", "/xdg-data-home");
            const QString name = QCoreApplication::applicationName();
            QCoreApplication::setApplicationName(QStringLiteral("tintwell"));
            relative = QDir(QStringLiteral("/xdg-data-home")).relativeFilePath(RecordJournal::defaultPath());
            QCoreApplication::setApplicationName(name);
            saved.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", saved);
        }
        return relative;
    }

private:
    QString m_root;
    QString m_journal;
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
    static const QRegularExpression markLine(
        QStringLiteral("^(?:tintwell\\.startup|bare|form): ([0-9.]+) ms \\(cpu ([0-9.]+) ms\\) (.+)$"));
    while (run.ms < 0 && timer.elapsed() < kGiveUpMs && process.state() != QProcess::NotRunning) {
        process.waitForReadyRead(100);
        output += process.readAll();
        if (output.contains(" first frame\n")) { // the mark itself, not a later one naming it
            run.ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        }
    }
    process.kill();
    process.waitForFinished();
    output += process.readAll();
    for (const QByteArray& line : output.split('\n')) {
        const QRegularExpressionMatch m = markLine.match(QString::fromUtf8(line.trimmed()));
        if (m.hasMatch()) {
            run.marks.insert(m.captured(3), {m.captured(1).toDouble(), m.captured(2).toDouble()});
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

// A virtual X server for the runs, on a display number it picks itself.
class VirtualDisplay
{
public:
    ~VirtualDisplay()
    {
        if (m_server.state() != QProcess::NotRunning) {
            m_server.terminate();
            if (!m_server.waitForFinished(3000)) {
                m_server.kill();
                m_server.waitForFinished();
            }
        }
    }

    // ":N", or empty when no server could be started.
    QString start()
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty()) {
            return {};
        }
        m_server.setProcessChannelMode(QProcess::SeparateChannels);
        m_server.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                              QStringLiteral("0"), QStringLiteral("1600x900x24"), QStringLiteral("-nolisten"),
                              QStringLiteral("tcp")});
        QByteArray out;
        QElapsedTimer timer;
        timer.start();
        while (!out.contains('\n') && timer.elapsed() < 10000 && m_server.state() != QProcess::NotRunning) {
            m_server.waitForReadyRead(200);
            out += m_server.readAllStandardOutput();
        }
        bool ok = false;
        const int number = out.trimmed().toInt(&ok);
        return ok ? QStringLiteral(":%1").arg(number) : QString();
    }

private:
    QProcess m_server;
};

struct Variant
{
    const char* name;
    QStringList arguments;
};

struct Measured
{
    double ratio = 0.0;
    QString variant;
    double formRatio = 0.0; // the form alone to the bare window, worst variant
};

// The variants on one platform; returns the worst ratio.
Measured measurePlatform(const QString& platform, const QProcessEnvironment& base, const Home& home, int runs,
                         const QStringList& extraArguments)
{
    const QString bin = QCoreApplication::applicationDirPath();
    const QString tintwell = bin + QStringLiteral("/tintwell");
    const QString bare = bin + QStringLiteral("/tintwell_bare_window");
    const QString form = bin + QStringLiteral("/tintwell_form_window");
    const std::vector<Variant> variants = {
        {"English", {QStringLiteral("--lang"), QStringLiteral("en")}},
        {"Chinese", {QStringLiteral("--lang"), QStringLiteral("zh")}},
        {"English --simulate", {QStringLiteral("--lang"), QStringLiteral("en"), QStringLiteral("--simulate")}},
        {"Chinese --simulate", {QStringLiteral("--lang"), QStringLiteral("zh"), QStringLiteral("--simulate")}},
    };

    Measured worst;
    QStringList lines;
    QMap<QString, QList<std::pair<double, double>>> markTable; // mark -> (wall, cpu) medians per variant
    QMap<QString, double> markOrder;
    for (std::size_t v = 0; v < variants.size(); ++v) {
        const QStringList arguments = variants[v].arguments + extraArguments;
        const QStringList formArguments = variants[v].arguments.mid(0, 2); // --lang
        // One start of each first: the files they map come into the page cache.
        startOnce(bare, {}, home.prepare(base));
        startOnce(form, formArguments, home.prepare(base));
        startOnce(tintwell, arguments, home.prepare(base));
        std::vector<double> bareMs;
        std::vector<double> formMs;
        std::vector<double> tintwellMs;
        std::vector<double> bareCpu;
        std::vector<double> formCpu;
        std::vector<double> tintwellCpu;
        QMap<QString, std::pair<std::vector<double>, std::vector<double>>> marks;
        for (int i = 0; i < runs; ++i) {
            const Run b = startOnce(bare, {}, home.prepare(base));
            const Run f = startOnce(form, formArguments, home.prepare(base));
            const Run t = startOnce(tintwell, arguments, home.prepare(base));
            if (b.ms < 0 || f.ms < 0 || t.ms < 0) {
                return {-1.0, QString()};
            }
            bareMs.push_back(b.ms);
            formMs.push_back(f.ms);
            tintwellMs.push_back(t.ms);
            bareCpu.push_back(b.cpuMs());
            formCpu.push_back(f.cpuMs());
            tintwellCpu.push_back(t.cpuMs());
            for (auto it = t.marks.cbegin(); it != t.marks.cend(); ++it) {
                marks[it.key()].first.push_back(it.value().first);
                marks[it.key()].second.push_back(it.value().second);
            }
        }
        for (auto it = marks.cbegin(); it != marks.cend(); ++it) {
            QList<std::pair<double, double>>& row = markTable[it.key()];
            while (row.size() < static_cast<int>(v)) {
                row.append({-1.0, -1.0});
            }
            row.append({median(it.value().first), median(it.value().second)});
            markOrder[it.key()] = std::max(markOrder.value(it.key()), row.last().first);
        }
        const auto spread = [](const std::vector<double>& ms) {
            return QString::asprintf("%6.1f ms (%5.1f-%5.1f)", median(ms), *std::min_element(ms.begin(), ms.end()),
                                     *std::max_element(ms.begin(), ms.end()));
        };
        const double ratio = median(tintwellMs) / median(bareMs);
        const double formRatio = median(formMs) / median(bareMs);
        lines << QString::asprintf("%s, %-19s bare %s, form %s, tintwell %s, ratio %.2f", qPrintable(platform),
                                   variants[v].name, qPrintable(spread(bareMs)), qPrintable(spread(formMs)),
                                   qPrintable(spread(tintwellMs)), ratio);
        const QString indent(platform.size() + 21, QLatin1Char(' '));
        lines << QString::asprintf("%s form alone to bare %.2f, tintwell to its form alone %.2f", qPrintable(indent),
                                   formRatio, median(tintwellMs) / median(formMs));
        lines << QString::asprintf("%s processor time to the first frame: bare %.1f ms, form %.1f ms, tintwell %.1f ms, "
                                   "ratio %.2f",
                                   qPrintable(indent), median(bareCpu), median(formCpu), median(tintwellCpu),
                                   median(tintwellCpu) / median(bareCpu));
        if (ratio > worst.ratio) {
            worst.ratio = ratio;
            worst.variant = QString::fromLatin1(variants[v].name);
        }
        worst.formRatio = std::max(worst.formRatio, formRatio);
    }

    std::printf("%s: Tintwell marks, medians: ms since its main() began / processor ms since its process began\n"
                "    English       Chinese       English --simulate  Chinese --simulate\n",
                qPrintable(platform));
    std::vector<std::pair<double, QString>> sorted;
    for (auto it = markOrder.cbegin(); it != markOrder.cend(); ++it) {
        sorted.emplace_back(it.value(), it.key());
    }
    std::sort(sorted.begin(), sorted.end());
    for (const auto& entry : sorted) {
        QString row;
        const QList<std::pair<double, double>> values = markTable.value(entry.second);
        for (std::size_t v = 0; v < variants.size(); ++v) {
            const auto ms = v < static_cast<std::size_t>(values.size()) ? values.at(static_cast<int>(v))
                                                                         : std::pair{-1.0, -1.0};
            row += ms.first < 0 ? QStringLiteral("          -  ")
                                : QString::asprintf(" %6.1f/%5.1f", ms.first, ms.second);
        }
        std::printf("%s  %s\n", qPrintable(row), qPrintable(entry.second));
    }
    for (const QString& line : lines) {
        std::printf("%s\n", qPrintable(line));
    }
    std::fflush(stdout);
    return worst;
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
    const auto option = [&](const char* name, const QString& fallback) {
        const int at = args.indexOf(QLatin1String(name));
        return at >= 0 && at + 1 < args.size() ? args.at(at + 1) : fallback;
    };
    const int runs = qMax(1, option("--runs", QStringLiteral("11")).toInt());
    const int journalRecords = qMax(0, option("--journal", QStringLiteral("100000")).toInt());
    const QString platforms = option("--platform", QStringLiteral("both"));

    QTemporaryDir work;
    if (!work.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    QString journal;
    if (journalRecords > 0) {
        journal = work.filePath(QStringLiteral("journal.sqlite"));
        if (!fillJournal(journal, journalRecords)) {
            return 1;
        }
        std::printf("journal: %d records in closed sessions, %.1f MB, copied into every fresh home\n",
                    journalRecords, static_cast<double>(QFileInfo(journal).size()) / 1e6);
    }
    const Home home(work.filePath(QStringLiteral("home")), journal);

    QProcessEnvironment base = QProcessEnvironment::systemEnvironment();
    base.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("*.debug=false\ntintwell.startup.info=true"));
    base.remove(QStringLiteral("QT_MESSAGE_PATTERN"));
    base.remove(QStringLiteral("SESSION_MANAGER"));
    std::printf("runs: %d each, alternating, a fresh home for every start%s\n", runs,
                tintwellArgs.isEmpty() ? "" : qPrintable(QStringLiteral(", tintwell ") + tintwellArgs.join(QLatin1Char(' '))));

    Measured offscreen{-1.0, {}};
    Measured xvfb{-1.0, {}};
    if (platforms == QLatin1String("offscreen") || platforms == QLatin1String("both")) {
        QProcessEnvironment env = base;
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.remove(QStringLiteral("DISPLAY"));
        offscreen = measurePlatform(QStringLiteral("offscreen"), env, home, runs, tintwellArgs);
        if (offscreen.ratio < 0) {
            return 1;
        }
    }
    VirtualDisplay display;
    if (platforms == QLatin1String("xvfb") || platforms == QLatin1String("both")) {
        const QString name = display.start();
        if (name.isEmpty()) {
            std::printf("Xvfb: not available, offscreen only\n");
        } else {
            QProcessEnvironment env = base;
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
            env.insert(QStringLiteral("DISPLAY"), name);
            env.remove(QStringLiteral("XAUTHORITY"));
            env.remove(QStringLiteral("WAYLAND_DISPLAY"));
            xvfb = measurePlatform(QStringLiteral("Xvfb"), env, home, runs, tintwellArgs);
            if (xvfb.ratio < 0) {
                return 1;
            }
        }
    }
    if (offscreen.ratio > 0) {
        std::printf("offscreen: worst ratio %.2f (%s); the form alone to bare: %.2f\n", offscreen.ratio,
                    qPrintable(offscreen.variant), offscreen.formRatio);
    }
    if (xvfb.ratio > 0) {
        std::printf("Xvfb: worst ratio %.2f (%s); the form alone to bare: %.2f\n", xvfb.ratio, qPrintable(xvfb.variant),
                    xvfb.formRatio);
    }
    std::printf("ratio to bare window: %.2f\n", xvfb.ratio > 0 ? xvfb.ratio : offscreen.ratio);
    return 0;
}
