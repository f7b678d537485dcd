#include "PgConnection.h"

#include <QLoggingCategory>

#include <libpq-fe.h>

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

bool PgConnection::open()
{
    close();
    const auto params = m_config.connectionParameters();
    std::vector<const char*> keys;
    std::vector<const char*> values;
    for (const auto& [key, value] : params) {
        keys.push_back(key.constData());
        values.push_back(value.constData());
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);
    m_conn = PQconnectdbParams(keys.data(), values.data(), 0);
    if (PQstatus(m_conn) != CONNECTION_OK) {
        m_error = QString::fromUtf8(PQerrorMessage(m_conn)).trimmed();
        m_sqlState.clear();
        m_lost = true;
        close();
        return false;
    }
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
