#pragma once
// A crash-safe journal of the comparison table: every row the operator sees is
// in an SQLite file (WAL, one transaction per row or per import batch) the
// moment it reaches the table, so a crash, a power cut or a killed process
// loses nothing. Rows are opaque payloads (see TableRowCodec.h); the journal
// keeps them per session until the work is closed (clear, export), and never
// deletes: deleted and closed rows stay as history.

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>
#include <utility>

struct JournalSession
{
    qint64 id = 0;
    QDateTime started;
    QString model;
    int layout = 0;
    int rowCount = 0; // rows not deleted
};

struct JournalRow
{
    qint64 id = 0;
    QByteArray payload;
};

class ComparisonJournal
{
public:
    // path: the database file; empty means defaultPath().
    explicit ComparisonJournal(const QString& path = QString());
    ~ComparisonJournal();
    ComparisonJournal(const ComparisonJournal&) = delete;
    ComparisonJournal& operator=(const ComparisonJournal&) = delete;

    // journal.sqlite in the user's application-data folder.
    static QString defaultPath();

    // Creates the folder and the schema as needed. A file that is not a sound
    // database is moved aside (movedAsideTo()) and a new one started. false when
    // the journal cannot be used; errorText() then names the file and the error
    // and every later call does nothing.
    bool open();
    bool isActive() const { return m_active; }
    QString fileName() const { return m_path; }
    // The Qt SQL connection (tests simulate a full disk through it).
    QString connectionName() const { return m_connection; }
    QString errorText() const { return m_error; }
    QString movedAsideTo() const { return m_movedAside; }

    // Called once, with errorText(), when a write fails and the journal turns
    // itself off (full disk, file removed, ...). The work goes on without it.
    void setFailureHandler(std::function<void(const QString&)> handler);

    // Sessions with rows still open, newest first.
    QList<JournalSession> openSessions();
    // The rows of a session that were not deleted, in the order they appeared.
    QList<JournalRow> rows(qint64 session);

    // The model and layout recorded with the next session that starts.
    void setSessionInfo(const QString& model, int layout);
    // Appends to this open session from now on (rows restored from it).
    void resume(qint64 session);
    qint64 currentSession() const { return m_session; }

    // Each call is one transaction. Returns the row id, or 0 when off.
    qint64 appendRow(const QByteArray& payload);
    // One transaction for the whole batch (an import). Ids in order, or empty.
    QList<qint64> appendRows(const QList<QByteArray>& payloads);
    bool updateRows(const QList<std::pair<qint64, QByteArray>>& rows);
    bool updateRow(qint64 id, const QByteArray& payload) { return updateRows({{id, payload}}); }
    bool deleteRow(qint64 id);
    // The work is done (cleared, exported): the current session's rows are
    // closed, and the next row starts a new session.
    bool closeCurrentSession();
    // The operator chose not to restore: the session stays as closed history.
    bool closeSession(qint64 session);

private:
    bool openDatabase();
    bool ensureSession();
    bool fail(const QString& what, const QString& error);

    QString m_path;
    QString m_connection;
    QString m_error;
    QString m_movedAside;
    QString m_damage; // why the file is not a sound database
    QString m_model;
    int m_layout = 0;
    qint64 m_session = 0;
    bool m_active = false;
    std::function<void(const QString&)> m_onFailure;
};
