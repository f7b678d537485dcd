#include "StandardsWorker.h"

#include "ServerLibrary.h"
#include "StandardFiles.h"
#include "StandardLibrary.h"
#include "StationSchema.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSet>
#include <QSocketNotifier>
#include <QTimer>

Q_LOGGING_CATEGORY(lcStationStandards, "tintwell.station.standards")

namespace {
// The first schema that holds the library.
constexpr int kLibrarySchema = 5;
} // namespace

StandardsWorker::StandardsWorker(StationConfig config, QString libraryPath, SyncOptions options)
    : m_config(std::move(config))
    , m_libraryPath(std::move(libraryPath))
    , m_options(std::move(options))
    , m_conn(m_config)
{
}

StandardsWorker::~StandardsWorker() = default;

void StandardsWorker::start()
{
    m_stopped = false;
    if (!m_retry) {
        m_retry = new QTimer(this);
        m_retry->setSingleShot(true);
        connect(m_retry, &QTimer::timeout, this, &StandardsWorker::connectAndCopy);
    }
    m_retry->start(0);
}

void StandardsWorker::stop()
{
    m_stopped = true;
    if (m_retry) {
        m_retry->stop();
    }
    dropNotifier();
    m_conn.close();
    m_library.reset();
}

void StandardsWorker::connectAndCopy()
{
    if (m_stopped) {
        return;
    }
    if (!m_library) {
        // The copy is read-only to everyone but this worker.
        auto library = std::make_unique<StandardLibrary>(m_libraryPath, StandardLibrary::Access::ReadOnly);
        if (!library->open()) {
            lost(tr("The station's copy of the library of standards cannot be written: %1").arg(library->errorText()));
            return;
        }
        m_library = std::move(library);
    }
    if (!m_conn.isOpen()) {
        if (!m_conn.open()) {
            lost(tr("The station database %1 cannot be reached; the station works from its copy of the library "
                    "of standards: %2")
                     .arg(m_config.serverName(), m_conn.errorText()));
            return;
        }
        QString error;
        const int version = StationSchema::serverVersion(m_conn, &error);
        if (version < kLibrarySchema) {
            lost(version < 0 ? error
                             : tr("The station database %1 has no library of standards yet (schema version %2); "
                                  "run \"tintwell-cli db migrate\".")
                                   .arg(m_config.serverName())
                                   .arg(version));
            return;
        }
        // Listening first: a change committed while the copy is read is
        // told after it and read again, never missed.
        if (!m_conn.exec(QByteArray("LISTEN ") + ServerLibrary::kChannel).ok()) {
            lost(tr("The station database %1 refused: %2").arg(m_config.serverName(), m_conn.errorText()));
            return;
        }
        m_notifier = new QSocketNotifier(m_conn.socket(), QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &StandardsWorker::readNotifications);
    }
    if (!copy() || !copyWhileTold()) {
        return;
    }
    m_failures = 0;
    report(QString());
}

bool StandardsWorker::copy()
{
    ServerLibraryCopy server;
    QString error;
    const qint64 since = m_revision.load();
    if (!ServerLibrary::read(m_conn, since, &server, &error)) {
        lost(error);
        return false;
    }
    if (server.whole) {
        if (!keepLocalOnly(server)) {
            return false;
        }
        if (!m_library->replaceFromServer(server.standards, server.sets)) {
            lost(tr("The station's copy of the library of standards cannot be written: %1").arg(m_library->errorText()));
            return false;
        }
    } else if (server.revision > since
               && !m_library->upsertFromServer(server.standards, server.sets, server.removed)) {
        lost(tr("The station's copy of the library of standards cannot be written: %1").arg(m_library->errorText()));
        return false;
    }
    if (server.whole || server.revision > since) {
        m_revision = server.revision;
        qCInfo(lcStationStandards) << (server.whole ? "copied the library," : "copied changes,")
                                   << server.standards.size() << "standards, revision" << server.revision;
        Q_EMIT copied(server.revision, server.whole, int(server.standards.size() + server.removed.size()));
    }
    return true;
}

// A whole copy replaces what the file held. Standards the server never had
// (the station's own, from before it had a station database) are written to
// a CSV file beside it first, or the copy waits: nothing is thrown away.
bool StandardsWorker::keepLocalOnly(const ServerLibraryCopy& server)
{
    QSet<QUuid> onServer;
    for (const Standard& s : server.standards) {
        onServer.insert(s.id);
    }
    QList<QUuid> others;
    for (const Standard& s : m_library->standards()) {
        if (!onServer.contains(s.id)) {
            others.append(s.id);
        }
    }
    if (others.isEmpty()) {
        return true;
    }
    QList<QUuid> known;
    QString error;
    if (!ServerLibrary::knownIds(m_conn, others, &known, &error)) {
        lost(error);
        return false;
    }
    const QSet<QUuid> knownSet(known.cbegin(), known.cend());
    QList<Standard> localOnly;
    for (const Standard& s : m_library->standards()) {
        if (!onServer.contains(s.id) && !knownSet.contains(s.id)) {
            localOnly.append(s);
        }
    }
    if (localOnly.isEmpty()) {
        return true;
    }
    const QString path = QFileInfo(m_library->fileName()).dir().filePath(
        QStringLiteral("standards-kept-%1.csv").arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"))));
    if (!StandardFiles::writeFile(localOnly, *m_library, path, QString(), &error)) {
        lost(tr("The station's own standards could not be kept before the station database's library replaced "
                "them, so its copy waits: %1")
                 .arg(error));
        return false;
    }
    qCWarning(lcStationStandards).noquote() << localOnly.size() << "standards of this station only were written to" << path;
    Q_EMIT keptLocal(path, int(localOnly.size()));
    return true;
}

void StandardsWorker::readNotifications()
{
    if (m_stopped) {
        return;
    }
    if (!m_conn.consumeInput()) {
        lost(tr("The connection to the station database %1 was lost: %2").arg(m_config.serverName(), m_conn.errorText()));
        return;
    }
    if (copyWhileTold()) {
        report(QString());
    }
}

// Notifications that came in while statements ran are queued without the
// socket showing them again: read until none tells of a newer revision.
bool StandardsWorker::copyWhileTold()
{
    for (;;) {
        bool newer = false;
        for (const auto& [channel, payload] : m_conn.takeNotifications()) {
            newer = newer || (channel == ServerLibrary::kChannel && payload.toLongLong() > m_revision.load());
        }
        if (!newer) {
            return true;
        }
        if (!copy()) {
            return false;
        }
    }
}

void StandardsWorker::lost(const QString& message)
{
    report(message);
    // Read again from a new connection: the old one may be half dead.
    dropNotifier();
    m_conn.close();
    if (m_stopped) {
        return;
    }
    ++m_failures;
    m_retry->start(retryDelayMs(m_options, m_failures));
}

// Not deleted at once: it may be the notifier whose signal runs now.
void StandardsWorker::dropNotifier()
{
    if (m_notifier) {
        m_notifier->setEnabled(false);
        m_notifier->deleteLater();
        m_notifier = nullptr;
    }
}

void StandardsWorker::report(const QString& message)
{
    if (message == m_problem) {
        return;
    }
    m_problem = message;
    if (!message.isEmpty()) {
        qCWarning(lcStationStandards).noquote() << message;
    }
    Q_EMIT problem(message);
}
