#pragma once
// Keeps the station's copy of the library of standards (its local
// StandardLibrary file) equal to the station database's, on the thread it is
// moved to: the whole library at the first connection, then what changed,
// when the server tells of a change (LISTEN tintwell_standards, read as
// the connection's socket becomes readable) and after every reconnection.
// While the server is away the copy stays as it was and the station works
// from it; the worker tries again with the sync's back-off.

#include "PgConnection.h"
#include "SyncWorker.h"

#include <QObject>

#include <atomic>
#include <memory>

class QSocketNotifier;
struct ServerLibraryCopy;
class QTimer;
class StandardLibrary;

class StandardsWorker : public QObject
{
    Q_OBJECT
public:
    // libraryPath: the station's copy (opened on the worker's thread).
    StandardsWorker(StationConfig config, QString libraryPath, SyncOptions options = {});
    ~StandardsWorker() override;

    // The revision the copy holds (0: nothing copied yet).
    qint64 revision() const { return m_revision.load(); }

public Q_SLOTS:
    void start();
    void stop();

Q_SIGNALS:
    // The copy changed: whole, or by count standards; revision is the
    // server's library revision it now holds.
    void copied(qint64 revision, bool whole, int count);
    // message: empty once the copy is up to date again; otherwise why it
    // is not (the server away, the copy's file, an older schema).
    void problem(const QString& message);
    // Standards this station had that the server never had (made before the
    // station database was set up) were written to path before the copy
    // replaced them; a manager can import them there.
    void keptLocal(const QString& path, int count);

private:
    void connectAndCopy();
    bool copy();
    bool keepLocalOnly(const ServerLibraryCopy& server);
    void readNotifications();
    bool copyWhileTold();
    void dropNotifier();
    void lost(const QString& message);
    void report(const QString& message);

    StationConfig m_config;
    QString m_libraryPath;
    SyncOptions m_options;
    PgConnection m_conn;
    std::unique_ptr<StandardLibrary> m_library;
    QTimer* m_retry = nullptr;
    QSocketNotifier* m_notifier = nullptr;
    std::atomic<qint64> m_revision{0};
    int m_failures = 0;
    bool m_stopped = false;
    QString m_problem;
};
