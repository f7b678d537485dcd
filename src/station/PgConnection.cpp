#include "PgConnection.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLoggingCategory>
#include <QRegularExpression>

#include <libpq-fe.h>

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <vector>

Q_LOGGING_CATEGORY(lcStationDb, "tintwell.station.db")

PgResult::PgResult(pg_result* result)
    : m_result(result, Free{})
{
    const ExecStatusType s = result ? PQresultStatus(result) : PGRES_FATAL_ERROR;
    m_ok = s == PGRES_COMMAND_OK || s == PGRES_TUPLES_OK;
}

void PgResult::Free::operator()(pg_result* r) const
{
    PQclear(r);
}

int PgResult::rows() const
{
    return m_result ? PQntuples(m_result.get()) : 0;
}

int PgResult::columns() const
{
    return m_result ? PQnfields(m_result.get()) : 0;
}

int PgResult::affectedRows() const
{
    return m_result ? QByteArray(PQcmdTuples(m_result.get())).toInt() : 0;
}

bool PgResult::isNull(int row, int column) const
{
    return !m_result || PQgetisnull(m_result.get(), row, column);
}

QString PgResult::text(int row, int column) const
{
    return QString::fromUtf8(bytes(row, column));
}

QByteArray PgResult::bytes(int row, int column) const
{
    if (isNull(row, column)) {
        return {};
    }
    return QByteArray(PQgetvalue(m_result.get(), row, column), PQgetlength(m_result.get(), row, column));
}

PgConnection::PgConnection(StationConfig config)
    : m_config(std::move(config))
{
}

PgConnection::~PgConnection()
{
    close();
}

void PgConnection::addStatement(const QByteArray& name, const QByteArray& sql)
{
    m_statements.append({name, sql});
    m_prepared = false;
}

namespace {
PgConnectStage stageOf(ConnStatusType status)
{
    switch (status) {
    case CONNECTION_SSL_STARTUP:
        return PgConnectStage::Tls;
    case CONNECTION_STARTED:
    case CONNECTION_MADE:
    case CONNECTION_NEEDED:
    case CONNECTION_BAD:
        return PgConnectStage::Connecting;
    default:
        return PgConnectStage::Login;
    }
}

// A SQLSTATE after a colon: five letters and digits, at least one a digit
// (the severity before it, "FATAL" or its translation, has none).
const char* const kSqlState = ":\\s+((?=[A-Z]*[0-9])[0-9A-Z]{5}): ";

// The server's SQLSTATE in a message written with PQERRORS_VERBOSE
// ("FATAL:  28P01: password ..."; the severity is in the client's language);
// the last one, since the message collects every address tried.
QByteArray sqlStateIn(const QString& message)
{
    static const QRegularExpression code(QString::fromLatin1(kSqlState));
    QByteArray state;
    for (const auto& match : code.globalMatch(message)) {
        state = match.captured(1).toLatin1();
    }
    return state;
}

// The verbose message as the default one reads: without the code and the
// server's source location ("LOCATION:  auth_failed, auth.c:323").
QString withoutVerboseParts(QString message)
{
    static const QRegularExpression code(QString::fromLatin1(kSqlState));
    static const QRegularExpression location(QStringLiteral("^[^:\\n]+:\\s+\\w+, [\\w.-]+\\.c:\\d+\\n?"),
                                             QRegularExpression::MultilineOption);
    message.replace(code, QStringLiteral(":  "));
    message.remove(location);
    return message.trimmed();
}
} // namespace

PgFailure classifyConnectFailure(const PgConnectFacts& facts)
{
    if (facts.timedOut) {
        return PgFailure::Unreachable;
    }
    if (facts.sqlState == "28P01") {
        return PgFailure::WrongPassword;
    }
    // 57P01..57P03: shutting down, or not yet accepting connections.
    if (facts.sqlState.startsWith("57P") || facts.sqlState.startsWith("08")) {
        return PgFailure::Unreachable;
    }
    if (!facts.sqlState.isEmpty()) {
        return PgFailure::Refused;
    }
    if (facts.passwordNeeded) {
        return PgFailure::NoPassword;
    }
    switch (facts.stage) {
    case PgConnectStage::Connecting:
        return PgFailure::Unreachable;
    case PgConnectStage::Tls:
        return PgFailure::Certificate;
    case PgConnectStage::Login:
        // libpq itself ended a login the server offered without SCRAM
        // bound to the channel; the server gives no code for that.
        return facts.channelBindingRequired ? PgFailure::InsecureLogin : PgFailure::Refused;
    }
    return PgFailure::Refused;
}

QString describeConnectFailure(PgFailure failure, const StationConfig& config)
{
    const QString server = config.serverName();
    switch (failure) {
    case PgFailure::None:
        return QString();
    case PgFailure::Unreachable:
        return QCoreApplication::translate("PgConnection", "The station database %1 does not answer: check the "
                                                           "server's name and port, and that the server is running.")
            .arg(server);
    case PgFailure::Certificate:
        return QCoreApplication::translate("PgConnection",
                                           "The station database %1 did not prove who it is: its certificate is not "
                                           "signed by a trusted authority, or names another server. Check the server's "
                                           "name, or give the file of the authority that signed its certificate.")
            .arg(server);
    case PgFailure::WrongPassword:
        return QCoreApplication::translate("PgConnection", "The station database %1 refused the password of %2: "
                                                           "check the user and the password.")
            .arg(server, config.user);
    case PgFailure::NoPassword:
        return QCoreApplication::translate("PgConnection", "The station database %1 wants a password for %2, and none "
                                                           "is stored or given.")
            .arg(server, config.user);
    case PgFailure::InsecureLogin:
        return QCoreApplication::translate("PgConnection",
                                           "The station database %1 asked for the password of %2 in a way that would "
                                           "give it away, and was refused: the server must log stations in with "
                                           "scram-sha-256 over TLS.")
            .arg(server, config.user);
    case PgFailure::Refused:
        return QCoreApplication::translate("PgConnection", "The station database %1 does not let %2 in.")
            .arg(server, config.user);
    case PgFailure::Other:
        break;
    }
    return QCoreApplication::translate("PgConnection", "The station database %1 cannot be reached.").arg(server);
}

QString PgConnection::failureText() const
{
    if (m_failure == PgFailure::None) {
        return m_error;
    }
    return describeConnectFailure(m_failure, m_config) + QLatin1Char('\n') + m_error;
}

bool PgConnection::open()
{
    close();
    m_failure = PgFailure::None;
    PgConnectFacts facts;
    facts.channelBindingRequired = !m_config.usesUnixSocket();
    if (!connectPolling(&facts)) {
        const QString message = m_conn ? QString::fromUtf8(PQerrorMessage(m_conn)) : QString::fromUtf8(PQerrorMessage(nullptr));
        facts.sqlState = sqlStateIn(message);
        facts.passwordNeeded = m_conn && PQconnectionNeedsPassword(m_conn);
        m_failure = m_conn ? classifyConnectFailure(facts) : PgFailure::Other;
        m_error = facts.timedOut ? QStringLiteral("timeout expired") : withoutVerboseParts(message);
        m_sqlState = facts.sqlState;
        m_lost = true;
        close();
        qCDebug(lcStationDb) << "connecting to" << m_config.serverName() << "failed:" << int(m_failure) << m_error;
        return false;
    }
    // Statements' errors as users read them, without the source location.
    PQsetErrorVerbosity(m_conn, PQERRORS_DEFAULT);
    // The server's notices ("already exists, skipping") are for diagnostics.
    PQsetNoticeProcessor(
        m_conn, [](void*, const char* message) { qCDebug(lcStationDb) << QString::fromUtf8(message).trimmed(); },
        nullptr);
    ++m_connections;
    m_lost = false;
    m_prepared = false;
    PQsetClientEncoding(m_conn, "UTF8");
    qCDebug(lcStationDb) << "connected to" << m_config.serverName() << "as backend" << backendPid();
    return true;
}

// Connects step by step, so the server's refusal comes with its SQLSTATE
// (verbose messages, set before the server can answer) and a failure with
// how far it got. The time-out is the connection's whole.
bool PgConnection::connectPolling(PgConnectFacts* facts)
{
    const auto params = m_config.connectionParameters();
    std::vector<const char*> keys;
    std::vector<const char*> values;
    for (const auto& [key, value] : params) {
        keys.push_back(key.constData());
        values.push_back(value.constData());
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);
    m_conn = PQconnectStartParams(keys.data(), values.data(), 0);
    if (!m_conn) {
        return false;
    }
    PQsetErrorVerbosity(m_conn, PQERRORS_VERBOSE);
    const QDeadlineTimer deadline(std::chrono::seconds(std::max(2, m_config.connectTimeoutSeconds)));
    PostgresPollingStatusType polling = PQstatus(m_conn) == CONNECTION_BAD ? PGRES_POLLING_FAILED : PGRES_POLLING_WRITING;
    while (polling != PGRES_POLLING_OK && polling != PGRES_POLLING_FAILED) {
        if (polling == PGRES_POLLING_READING || polling == PGRES_POLLING_WRITING) {
            pollfd fd{PQsocket(m_conn), short(polling == PGRES_POLLING_READING ? POLLIN : POLLOUT), 0};
            const int ready = ::poll(&fd, 1, int(std::min<qint64>(deadline.remainingTime(), 1000)));
            if (ready < 0 && errno != EINTR) {
                return false;
            }
            if (ready <= 0) {
                if (deadline.hasExpired()) {
                    facts->timedOut = true;
                    return false;
                }
                continue;
            }
        }
        facts->stage = stageOf(PQstatus(m_conn));
        polling = PQconnectPoll(m_conn);
    }
    return polling == PGRES_POLLING_OK;
}

bool PgConnection::prepareAll()
{
    // Statements of an earlier connection died with it; a half-prepared
    // set (one failed) is dropped so the next try starts clean.
    finish(PQexec(m_conn, "DEALLOCATE ALL"));
    if (!isOpen()) {
        return false;
    }
    for (const auto& [name, sql] : m_statements) {
        const PgResult r = finish(PQprepare(m_conn, name.constData(), sql.constData(), 0, nullptr));
        if (!r.ok()) {
            qCWarning(lcStationDb) << "preparing" << name << "failed:" << m_error;
            return false;
        }
    }
    m_prepared = true;
    ++m_prepares;
    return true;
}

void PgConnection::close()
{
    if (m_conn) {
        PQfinish(m_conn);
        m_conn = nullptr;
    }
    m_prepared = false;
}

bool PgConnection::isOpen() const
{
    return m_conn && PQstatus(m_conn) == CONNECTION_OK;
}

int PgConnection::backendPid() const
{
    return m_conn ? PQbackendPID(m_conn) : 0;
}

int PgConnection::socket() const
{
    return m_conn ? PQsocket(m_conn) : -1;
}

bool PgConnection::consumeInput()
{
    if (!m_conn || !PQconsumeInput(m_conn) || PQstatus(m_conn) != CONNECTION_OK) {
        m_error = m_conn ? QString::fromUtf8(PQerrorMessage(m_conn)).trimmed() : QStringLiteral("not connected");
        m_lost = true;
        close();
        return false;
    }
    return true;
}

QList<std::pair<QByteArray, QByteArray>> PgConnection::takeNotifications()
{
    QList<std::pair<QByteArray, QByteArray>> out;
    while (m_conn) {
        PGnotify* n = PQnotifies(m_conn);
        if (!n) {
            break;
        }
        out.append({QByteArray(n->relname), QByteArray(n->extra)});
        PQfreemem(n);
    }
    return out;
}

namespace {
struct ParamArrays
{
    std::vector<const char*> values;
    std::vector<int> lengths;
    std::vector<int> formats;
    explicit ParamArrays(const QList<PgParam>& params)
    {
        for (const PgParam& p : params) {
            values.push_back(p ? p->constData() : nullptr);
            lengths.push_back(p ? int(p->size()) : 0);
            formats.push_back(0);
        }
    }
};
} // namespace

PgResult PgConnection::exec(const QByteArray& sql, const QList<PgParam>& params)
{
    if (!isOpen()) {
        m_error = QStringLiteral("not connected to %1").arg(m_config.serverName());
        m_sqlState.clear();
        m_lost = true;
        return PgResult();
    }
    if (params.isEmpty()) {
        // Several statements in one text (a migration) go this way.
        return finish(PQexec(m_conn, sql.constData()));
    }
    const ParamArrays a(params);
    return finish(PQexecParams(m_conn, sql.constData(), int(params.size()), nullptr, a.values.data(),
                               a.lengths.data(), a.formats.data(), 0));
}

PgResult PgConnection::execPrepared(const QByteArray& name, const QList<PgParam>& params)
{
    if (!isOpen()) {
        m_error = QStringLiteral("not connected to %1").arg(m_config.serverName());
        m_sqlState.clear();
        m_lost = true;
        return PgResult();
    }
    if (!m_prepared && !prepareAll()) {
        return PgResult();
    }
    const ParamArrays a(params);
    return finish(PQexecPrepared(m_conn, name.constData(), int(params.size()), a.values.data(),
                                 a.lengths.data(), a.formats.data(), 0));
}

void PgConnection::rollback()
{
    const QString error = m_error;
    const QByteArray state = m_sqlState;
    const bool lost = m_lost;
    if (isOpen()) {
        finish(PQexec(m_conn, "ROLLBACK"));
    }
    m_error = error;
    m_sqlState = state;
    m_lost = lost || !isOpen();
}

PgResult PgConnection::finish(pg_result* raw)
{
    PgResult result(raw);
    if (result.ok()) {
        m_error.clear();
        m_sqlState.clear();
        m_lost = false;
        return result;
    }
    const char* state = raw ? PQresultErrorField(raw, PG_DIAG_SQLSTATE) : nullptr;
    m_sqlState = state ? QByteArray(state) : QByteArray();
    const char* message = raw ? PQresultErrorMessage(raw) : nullptr;
    m_error = QString::fromUtf8(message && *message ? message : PQerrorMessage(m_conn)).trimmed();
    // Class 08 is a connection failure; 57P01..57P03 the server shutting
    // down, terminating us, or not yet accepting connections.
    m_lost = PQstatus(m_conn) != CONNECTION_OK || m_sqlState.startsWith("08") || m_sqlState.startsWith("57P");
    if (m_lost) {
        qCInfo(lcStationDb) << "lost the connection to" << m_config.serverName() << ":" << m_error;
        close();
    }
    return result;
}

QByteArray PgConnection::quoteIdentifier(const QString& name) const
{
    const QByteArray utf8 = name.toUtf8();
    char* quoted = m_conn ? PQescapeIdentifier(m_conn, utf8.constData(), size_t(utf8.size())) : nullptr;
    if (!quoted) {
        return {};
    }
    QByteArray out(quoted);
    PQfreemem(quoted);
    return out;
}

QByteArray PgConnection::quoteLiteral(const QString& value) const
{
    const QByteArray utf8 = value.toUtf8();
    char* quoted = m_conn ? PQescapeLiteral(m_conn, utf8.constData(), size_t(utf8.size())) : nullptr;
    if (!quoted) {
        return {};
    }
    QByteArray out(quoted);
    PQfreemem(quoted);
    return out;
}

QByteArray PgConnection::encryptedPassword(const QString& password, const QString& role)
{
    if (!m_conn) {
        m_error = QStringLiteral("not connected");
        return {};
    }
    const QByteArray secret = password.toUtf8();
    const QByteArray user = role.toUtf8();
    // Null algorithm: the one the server's password_encryption names.
    char* encrypted = PQencryptPasswordConn(m_conn, secret.constData(), user.constData(), nullptr);
    if (!encrypted) {
        m_error = QString::fromUtf8(PQerrorMessage(m_conn)).trimmed();
        return {};
    }
    QByteArray out(encrypted);
    PQfreemem(encrypted);
    return out;
}
