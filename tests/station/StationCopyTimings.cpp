#include "StationCopyTimings.h"

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
#include <vector>

namespace {
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

bool measureStationCopy(int standards, StationCopyTimings* out, QString* skip, QString* error)
{
    *out = StationCopyTimings();
    out->standards = standards;
    const auto fail = [&](const QString& what) {
        *error = what;
        return false;
    };
    PgTestCluster cluster;
    if (!cluster.start(skip, error)) {
        return false;
    }
    PgConnection admin(cluster.admin());
    const MigrationOutcome migrated = StationSchema::migrate(admin);
    if (!migrated.ok) {
        return fail(migrated.error);
    }
    if (!StationSchema::addEditor(admin, QStringLiteral("bench_editor"), QStringLiteral("pw"), error)) {
        return false;
    }
    const StationConfig station = cluster.addStation(QStringLiteral("bench_station"));
    PgConnection editor(cluster.as(QStringLiteral("bench_editor"), QStringLiteral("pw")));
    if (!editor.open()) {
        return fail(editor.errorText());
    }

    ServerLibraryChange library;
    for (int n = 0; n < standards; ++n) {
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
    QElapsedTimer t;
    t.start();
    if (!ServerLibrary::write(editor, library, error)) {
        return false;
    }
    out->serverWriteMs = t.nsecsElapsed() / 1e6;

    QTemporaryDir dir;
    // The two halves of a copy, timed here at normal priority: reading the
    // server's library, and writing it into a station's file.
    {
        PgConnection reader(station);
        ServerLibraryCopy server;
        t.restart();
        if (!reader.open() || !ServerLibrary::read(reader, 0, &server, error)) {
            return fail(*error + reader.errorText());
        }
        out->readMs = t.nsecsElapsed() / 1e6;
        StandardLibrary file(dir.filePath(QStringLiteral("parts.sqlite")), StandardLibrary::Access::ReadOnly);
        t.restart();
        if (!file.open() || !file.replaceFromServer(server.standards, server.sets)) {
            return fail(file.errorText());
        }
        out->fileMs = t.nsecsElapsed() / 1e6;
    }

    // The station's sync as the window runs it, on its own (idle) thread.
    const QString path = dir.filePath(QStringLiteral("standards.sqlite"));
    NoRecords outbox;
    SyncOptions options;
    options.standardsPath = path;
    qint64 revision = 0;
    bool whole = false;
    t.restart();
    StationSync sync(station, &outbox, options);
    QObject::connect(&sync, &StationSync::standardsCopied, [&](qint64 r, bool w, int) {
        revision = r;
        whole = whole || w;
    });
    if (!waitFor([&] { return whole; }, 60000)) {
        return fail(QStringLiteral("no copy within a minute: ") + sync.standardsProblem());
    }
    out->firstCopyMs = t.nsecsElapsed() / 1e6;
    {
        StandardLibrary copy(path, StandardLibrary::Access::ReadOnly);
        if (!copy.open() || copy.count() != standards) {
            return fail(QStringLiteral("the copy holds %1 standards: %2").arg(copy.count()).arg(copy.errorText()));
        }
    }

    // One edit at a time: from the editor's statement to the station's copy.
    std::vector<double> times;
    const int step = std::max(1, standards / kChanges);
    for (int n = 0; n < kChanges && n * step < standards; ++n) {
        Standard s = library.standards[n * step];
        s.version += 1;
        s.note = QStringLiteral("edit %1").arg(n);
        const qint64 before = revision;
        t.restart();
        if (!ServerLibrary::write(editor, {{}, {s}, {}}, error)) {
            return false;
        }
        if (!waitFor([&] { return revision > before; }, 10000)) {
            return fail(QStringLiteral("change %1 did not reach the station in 10 s").arg(n));
        }
        times.push_back(t.nsecsElapsed() / 1e6);
        StandardLibrary copy(path, StandardLibrary::Access::ReadOnly);
        if (!copy.open() || copy.standard(s.id)->note != s.note) {
            return fail(QStringLiteral("edit %1 is not in the station's copy").arg(n));
        }
    }
    std::sort(times.begin(), times.end());
    out->changes = int(times.size());
    out->changeMedianMs = times.empty() ? 0 : times[times.size() / 2];
    out->changeWorstMs = times.empty() ? 0 : times.back();
    return true;
}
