// tintwell_standards_station_bench: the library of standards on a station,
// against a throw-away local PostgreSQL cluster. An editor writes 10 000
// standards (each with its own tolerance set) in one change; a station then
// connects and copies the library whole into its local file; then one
// standard at a time is edited on the server, and the time until the
// connected station's copy holds the new version is taken for each.
// Prints what it measured; the last line "change to a station: N ms"
// (the median).
#include "PgTestCluster.h"
#include "ServerLibrary.h"
#include "StandardLibrary.h"
#include "StationSchema.h"
#include "StationSync.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr int kStandards = 10000;
constexpr int kChanges = 9;

// Empty outbox: the station has no records to send meanwhile.
class NoRecords : public Outbox
{
public:
    QList<OutboxEntry> unacknowledged(int) override { return {}; }
    bool acknowledge(const QList<OutboxKey>&) override { return true; }
    bool reject(const QList<OutboxKey>&, const QString&) override { return true; }
    int unacknowledgedCount() override { return 0; }
    int refusedCount() override { return 0; }
};

int fail(const QString& what)
{
    std::fprintf(stderr, "%s\n", qPrintable(what));
    return 1;
}

// Waits (handling the sync's signals) until done() or timeoutMs.
template <typename Done>
bool waitFor(Done done, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeoutMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(200);
    }
    return true;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    PgTestCluster cluster;
    QString skip;
    QString error;
    if (!cluster.start(&skip, &error)) {
        return fail(skip.isEmpty() ? error : skip);
    }
    PgConnection admin(cluster.admin());
    const MigrationOutcome migrated = StationSchema::migrate(admin);
    if (!migrated.ok) {
        return fail(migrated.error);
    }
    if (!StationSchema::addEditor(admin, QStringLiteral("bench_editor"), QStringLiteral("pw"), &error)) {
        return fail(error);
    }
    const StationConfig station = cluster.addStation(QStringLiteral("bench_station"));
    PgConnection editor(cluster.as(QStringLiteral("bench_editor"), QStringLiteral("pw")));
    if (!editor.open()) {
        return fail(editor.errorText());
    }

    ServerLibraryChange library;
    for (int n = 0; n < kStandards; ++n) {
        LibraryToleranceSet set;
        set.id = QUuid::createUuid();
        set.version = 1;
        set.limits = parseToleranceLimits(QStringLiteral("dE00<=1.0,dL=-0.8..0.8,db=-0.3..0.6:info")).limits;
        set.warnPercent = 80;
        Standard s;
        s.id = QUuid::createUuid();
        s.version = 1;
        s.name = QStringLiteral("Product %1").arg(n, 5, 10, QLatin1Char('0'));
        s.code = QStringLiteral("40%1").arg(n, 11, 10, QLatin1Char('0'));
        s.withLab(20 + n % 70, -10 + n % 20, -20 + n % 40);
        s.toleranceSetId = set.id;
        library.sets.append(set);
        library.standards.append(s);
    }
    QElapsedTimer written;
    written.start();
    if (!ServerLibrary::write(editor, library, &error)) {
        return fail(error);
    }
    std::printf("server: %d standards with their own sets written in %.2f s\n", kStandards, written.elapsed() / 1000.0);

    QTemporaryDir dir;
    // The two halves of a copy, timed here at normal priority: reading the
    // server's library, and writing it into a station's file.
    {
        PgConnection reader(station);
        ServerLibraryCopy server;
        QElapsedTimer t;
        t.start();
        if (!reader.open() || !ServerLibrary::read(reader, 0, &server, &error)) {
            return fail(error + reader.errorText());
        }
        const double readMs = t.nsecsElapsed() / 1e6;
        StandardLibrary file(dir.filePath(QStringLiteral("parts.sqlite")), StandardLibrary::Access::ReadOnly);
        t.restart();
        if (!file.open() || !file.replaceFromServer(server.standards, server.sets)) {
            return fail(file.errorText());
        }
        const double writeMs = t.nsecsElapsed() / 1e6;
        t.restart();
        StandardLibrary again(file.fileName(), StandardLibrary::Access::ReadOnly);
        if (!again.open()) {
            return fail(again.errorText());
        }
        std::printf("copy in parts: read from the server %.0f ms, written to the station's file %.0f ms"
                    "; reading it back afterwards %.0f ms\n",
                    readMs, writeMs, t.nsecsElapsed() / 1e6);
    }
    const QString path = dir.filePath(QStringLiteral("standards.sqlite"));
    NoRecords outbox;
    SyncOptions options;
    options.standardsPath = path;
    qint64 revision = 0;
    bool whole = false;
    QElapsedTimer first;
    first.start();
    StationSync sync(station, &outbox, options);
    QObject::connect(&sync, &StationSync::standardsCopied, [&](qint64 r, bool w, int) {
        revision = r;
        whole = whole || w;
    });
    if (!waitFor([&] { return whole; }, 60000)) {
        return fail(QStringLiteral("no copy within a minute: ") + sync.standardsProblem());
    }
    const double firstMs = first.nsecsElapsed() / 1e6;
    {
        StandardLibrary copy(path, StandardLibrary::Access::ReadOnly);
        if (!copy.open() || copy.count() != kStandards) {
            return fail(QStringLiteral("the copy holds %1 standards: %2").arg(copy.count()).arg(copy.errorText()));
        }
    }
    std::printf("first full copy to a station: %.0f ms (%d standards, the station connecting included)\n", firstMs,
                kStandards);

    // One edit at a time: from the editor's statement to the station's copy.
    std::vector<double> times;
    for (int n = 0; n < kChanges; ++n) {
        Standard s = library.standards[n * 1000];
        s.version += 1;
        s.note = QStringLiteral("edit %1").arg(n);
        library.standards[n * 1000] = s;
        const qint64 before = revision;
        QElapsedTimer t;
        t.start();
        if (!ServerLibrary::write(editor, {{}, {s}, {}}, &error)) {
            return fail(error);
        }
        if (!waitFor([&] { return revision > before; }, 10000)) {
            return fail(QStringLiteral("change %1 did not reach the station in 10 s").arg(n));
        }
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    StandardLibrary copy(path, StandardLibrary::Access::ReadOnly);
    if (!copy.open() || copy.standard(library.standards[(kChanges - 1) * 1000].id)->note
                            != QStringLiteral("edit %1").arg(kChanges - 1)) {
        return fail(QStringLiteral("the last edit is not in the station's copy"));
    }
    std::sort(times.begin(), times.end());
    std::printf("change to a station: %.1f ms slowest of %d\n", times.back(), kChanges);
    std::printf("change to a station: %.1f ms\n", times[times.size() / 2]);
    return 0;
}
