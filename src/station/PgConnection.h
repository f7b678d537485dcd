#pragma once
// One libpq connection, used by one thread at a time. It knows when the
// server has gone (a failed call leaves the connection bad, or the server
// said it is shutting down or terminated us), and it prepares its registered
// statements again on every new connection, since prepared statements live
// and die with the server session.

#include "StationConfig.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

struct pg_conn;
struct pg_result;

// A result, freed with the object. ok() for commands and queries that
// succeeded.
class PgResult
{
public:
    PgResult() = default;
    explicit PgResult(pg_result* result);
    bool ok() const { return m_ok; }
    int rows() const;
    int columns() const;
    // Rows an INSERT, UPDATE or DELETE changed.
    int affectedRows() const;
    bool isNull(int row, int column) const;
    QString text(int row, int column) const;
    QByteArray bytes(int row, int column) const;
    qint64 toInt(int row, int column) const { return text(row, column).toLongLong(); }

private:
    struct Free { void operator()(pg_result* r) const; };
    std::shared_ptr<pg_result> m_result;
    bool m_ok = false;
};

// A text parameter; std::nullopt is SQL NULL.
using PgParam = std::optional<QByteArray>;

// Why a connection could not be opened, as the user can act on it.
enum class PgFailure {
    None,
    Unreachable,   // nothing answers at that address and port, or the server is starting or stopping
    Certificate,   // TLS: the server did not prove who it is (or offers no TLS)
    WrongPassword, // the server refused the password
    NoPassword,    // the server wants a password and none was given
    InsecureLogin, // the server asked for a login that would give the password away
    Refused,       // the server refused for another reason (no such database, role not let in)
    Other,         // no server was tried (the client library is missing)
};

// How far a connection attempt had got when it failed.
enum class PgConnectStage { Connecting, Tls, Login };

struct PgConnectFacts
{
    PgConnectStage stage = PgConnectStage::Connecting;
    QByteArray sqlState;         // the server's code, when it refused with one
    bool passwordNeeded = false; // the server asked for a password and none was given
    bool channelBindingRequired = false;
    bool timedOut = false;
};

PgFailure classifyConnectFailure(const PgConnectFacts& facts);
// What went wrong, in the interface's language, naming the server and the
// role; libpq's own text is the detail shown beside it.
QString describeConnectFailure(PgFailure failure, const StationConfig& config);

class PgConnection
{
public:
    explicit PgConnection(StationConfig config);
    ~PgConnection();
    PgConnection(const PgConnection&) = delete;
    PgConnection& operator=(const PgConnection&) = delete;

    const StationConfig& config() const { return m_config; }

    // Statements prepared on every connection, before the first
    // execPrepared() on it.
    void addStatement(const QByteArray& name, const QByteArray& sql);

    // Connects, closing a previous connection.
    bool open();
    void close();
    // Connected, as far as the last call could tell. A server that restarted
    // is noticed by the next call, which fails and leaves this false.
    bool isOpen() const;
    // The last failure was the connection itself (refused, dropped,
    // terminated), not the statement: worth reconnecting.
    bool connectionLost() const { return m_lost; }

    PgResult exec(const QByteArray& sql, const QList<PgParam>& params = {});
    PgResult execPrepared(const QByteArray& name, const QList<PgParam>& params);
    // Ends a failed transaction, keeping the failure's message and code.
    void rollback();

    // PostgreSQL's own message of the last failure and its SQLSTATE code.
    QString errorText() const { return m_error; }
    // Why the last open() failed (None after one that succeeded).
    PgFailure failure() const { return m_failure; }
    // describeConnectFailure() of the last open(), then libpq's text.
    QString failureText() const;
    QByteArray sqlState() const { return m_sqlState; }
    // Counts, for whoever wants to see reconnecting at work.
    int connectionCount() const { return m_connections; }
    // How many times the statements were prepared (once per connection used).
    int prepareCount() const { return m_prepares; }
    int backendPid() const;

    // Notifications (LISTEN): the socket to watch for them, reading what
    // arrived (false when the connection was lost), and the channels'
    // payloads received so far, oldest first.
    int socket() const;
    bool consumeInput();
    QList<std::pair<QByteArray, QByteArray>> takeNotifications();

    // Quoting for statements that cannot take parameters (CREATE ROLE).
    QByteArray quoteIdentifier(const QString& name) const;
    QByteArray quoteLiteral(const QString& value) const;
    // The password as the server keeps it (its password_encryption, SCRAM
    // by default), computed here: CREATE ROLE then carries no clear text for
    // the server's log or pg_stat_activity. Empty on failure (errorText()).
    QByteArray encryptedPassword(const QString& password, const QString& role);

private:
    PgResult finish(pg_result* result);
    bool prepareAll();
    bool connectPolling(PgConnectFacts* facts);

    StationConfig m_config;
    pg_conn* m_conn = nullptr;
    QList<std::pair<QByteArray, QByteArray>> m_statements;
    QString m_error;
    QByteArray m_sqlState;
    PgFailure m_failure = PgFailure::None;
    bool m_lost = false;
    bool m_prepared = false;
    int m_connections = 0;
    int m_prepares = 0;
};
