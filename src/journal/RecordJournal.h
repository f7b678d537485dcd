#pragma once
// The comparison journal: every ComparisonRecord of the work in an SQLite file
// (WAL, every commit synced) the moment it is made, so a crash, a power cut or
// a killed process loses nothing. One row per record, keyed by the record's
// id, with its version and a compact encoding of its fields (RecordCodec).
// Records are kept per session until the work is closed (clear, export);
// closed sessions and deleted records stay as history until they are pruned.
//
// The journal is also the station database's outbox: every change raises the
// record's version, a delete leaves a tombstone with a version of its own, and
// the sync reads what the server has not acknowledged yet and marks what it
// has. The sync opens its own RecordJournal (Role::Shared) on its own thread.
//
// The schema has a version (PRAGMA user_version). Journals of the former
// format, which kept whole table rows, are converted once when opened.

#include "ComparisonRecord.h"

#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QUuid>

#include <functional>
#include <utility>

class QSqlQuery;

struct JournalSession
{
    qint64 id = 0;
    QDateTime started; // local time
    QString model;
    int layout = 0;
    int recordCount = 0; // records not deleted
    // The page's comparison counter ("Comp%1") as last written with the session.
    int counter = 0;
    bool closed = false;
    QDateTime closedAt; // invalid while open, and for history converted without it
};

// One record the station database has not acknowledged yet.
struct JournalOutboxEntry
{
    ComparisonRecord record; // with id and version; a deleted record as last kept
    bool deleted = false;
    qint64 session = 0;
    // Its stored fields cannot be read (a damaged row): only id and version
    // are known, there is nothing to send. A tombstone is never unreadable:
    // it goes as a delete whatever its last fields.
    bool unreadable = false;
};

// A version of a record the station database refused for good.
struct JournalRefusal
{
    QUuid id;
    qint64 version = 0;
    QString reason;
};

class RecordJournal
{
public:
    // The schema this code writes; a journal with a newer one is left alone.
    static constexpr int kSchemaVersion = 4;

    // Owner: the one window that keeps the work (integrity check after an
    // unclean shutdown, empty sessions closed). Shared: a second connection
    // to the same file (the station sync, the command line).
    enum class Role { Owner, Shared };

    // path: the database file; empty means defaultPath().
    explicit RecordJournal(const QString& path = QString());
    ~RecordJournal();
    RecordJournal(const RecordJournal&) = delete;
    RecordJournal& operator=(const RecordJournal&) = delete;

    // journal.sqlite in the user's application-data folder.
    static QString defaultPath();

    // Creates the folder and the schema as needed and converts a journal of the
    // former format. A file that is not a sound database is moved aside
    // (movedAsideTo()) and a new one started. false when the journal cannot be
    // used; errorText() then names the file and the error, and every later call
    // does nothing.
    bool open(Role role = Role::Owner);
    bool isActive() const { return m_active; }
    QString fileName() const { return m_path; }
    // The Qt SQL connection (tests simulate a full disk through it).
    QString connectionName() const { return m_connection; }
    QString errorText() const { return m_error; }
    QString movedAsideTo() const { return m_movedAside; }
    // What open() did: the whole-file check ran (the last owner did not close
    // the journal), and how many rows of the former format it converted.
    bool integrityChecked() const { return m_checked; }
    int convertedRows() const { return m_converted; }

    // Called once, with errorText(), when a write fails and the journal turns
    // itself off (full disk, file removed, ...). The work goes on without it.
    void setFailureHandler(std::function<void(const QString&)> handler);

    // Sessions with records still open, newest first.
    QList<JournalSession> openSessions();
    // Closed sessions, newest first (history).
    QList<JournalSession> closedSessions();
    // The records of a session that were not deleted, in the order they were made.
    QList<ComparisonRecord> records(qint64 session);

    // The model and layout recorded with the next session that starts.
    void setSessionInfo(const QString& model, int layout);
    // Appends to this open session from now on (records restored from it).
    void resume(qint64 session);
    qint64 currentSession() const { return m_session; }

    // One transaction each. append: records of the current work (an import's
    // batch at once); counter (>= 0) is kept with the session. update: changed
    // records. A record the journal already holds is replaced and its version
    // raised to at least one more than the journal's (so the server sees every
    // change); append also moves it into the current session, update leaves it
    // in its own; an unknown one is appended.
    bool append(const QList<ComparisonRecord>& records, int counter = -1);
    bool update(const QList<ComparisonRecord>& records);
    // Deleted records stay as tombstones with a raised version.
    bool remove(const QList<QUuid>& ids);
    // The work is done (cleared, exported): the current session is closed,
    // and the next record starts a new session.
    bool closeCurrentSession();
    // The operator chose not to restore: the session stays as closed history.
    bool closeSession(qint64 session);
    // A second session restored into the work: its records join `into`, which
    // becomes the current session; `from` is closed (empty).
    bool merge(qint64 from, qint64 into);

    // Removes closed sessions closed before `closedBefore`, with their records.
    // keepUnacknowledged: sessions holding records the station database has
    // not acknowledged stay. Returns the sessions and records removed, or
    // {-1, -1} on failure.
    struct Pruned
    {
        int sessions = 0;
        int records = 0;
    };
    Pruned pruneClosedSessions(const QDateTime& closedBefore, bool keepUnacknowledged);

    // The outbox: records whose newest version the server has not
    // acknowledged, oldest record first, at most `limit`. Records that cannot
    // be read are among them, marked unreadable, for the caller to refuse.
    QList<JournalOutboxEntry> unacknowledged(int limit);
    int unacknowledgedCount();
    // The server holds these (id, version) pairs. A pair older than the
    // record's version leaves the record in the outbox. One transaction.
    bool acknowledge(const QList<std::pair<QUuid, qint64>>& versions);
    // The server refused these (id, version) pairs for good (another
    // station's row, a value it cannot hold): they leave the outbox, also
    // after a restart, and keep the reason. A pair older than the record's
    // version leaves the record in the outbox (the change may go). One
    // transaction.
    bool refuse(const QList<std::pair<QUuid, qint64>>& versions, const QString& reason);
    // Records whose newest version was refused, oldest first; how many.
    QList<JournalRefusal> refusals();
    int refusedCount();

private:
    // The journal's own connection (not opened again when closed).
    QSqlDatabase database() const;
    bool openDatabase(Role role);
    bool prepareSchema();
    bool ensureSession();
    bool upsert(const QList<ComparisonRecord>& records, int counter, bool intoSession);
    bool fail(const QString& what, const QString& error);
    // One transaction: `statement` run `count` times, `bind` filling in the
    // values of run i. False (and the journal failed) when one run fails.
    bool writeEach(const QString& statement, qsizetype count,
                   const std::function<void(QSqlQuery&, qsizetype)>& bind);
    QList<JournalSession> sessions(bool closed);

    QString m_path;
    QString m_connection;
    QString m_error;
    QString m_movedAside;
    QString m_damage; // why the file is not a sound database
    QString m_model;
    int m_layout = 0;
    qint64 m_session = 0;
    int m_converted = 0;
    bool m_active = false;
    bool m_owner = false;
    bool m_checked = false;
    std::function<void(const QString&)> m_onFailure;
};
