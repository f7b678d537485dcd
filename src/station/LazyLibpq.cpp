// libpq is opened when the station database is first used, not when Tintwell
// starts: with it come the Kerberos, LDAP and TLS libraries, whose loading
// and set-up cost about 5 ms of every start, before the window can appear,
// even where no station database is configured. The program is not linked
// with libpq; these definitions of the libpq functions it calls open
// "libpq.so.5" (or $TINTWELL_LIBPQ) on the first call and hand every call on.
// When libpq cannot be opened, connecting fails and PQerrorMessage says why;
// every other function is then never given a connection or a result.
//
// A libpq function called anywhere else must be added here (the link fails
// until it is).

#include "LazyLibrary.h"

#include <libpq-fe.h>

namespace {

const LazyLibrary& library()
{
    static const LazyLibrary lib("TINTWELL_LIBPQ", "libpq.so.5", "the PostgreSQL client library");
    return lib;
}

// The error as PQerrorMessage gives one: ending in a line break.
const char* errorMessage()
{
    static const std::string message = library().error() + "\n";
    return message.c_str();
}

} // namespace

extern "C" {

PGconn* PQconnectStartParams(const char* const* keywords, const char* const* values, int expandDbname)
{
    TINTWELL_REAL(PQconnectStartParams);
    return real ? real(keywords, values, expandDbname) : nullptr;
}

PostgresPollingStatusType PQconnectPoll(PGconn* conn)
{
    TINTWELL_REAL(PQconnectPoll);
    return real ? real(conn) : PGRES_POLLING_FAILED;
}

int PQsocket(const PGconn* conn)
{
    TINTWELL_REAL(PQsocket);
    return real ? real(conn) : -1;
}

PGVerbosity PQsetErrorVerbosity(PGconn* conn, PGVerbosity verbosity)
{
    TINTWELL_REAL(PQsetErrorVerbosity);
    return real ? real(conn, verbosity) : PQERRORS_DEFAULT;
}

int PQconnectionNeedsPassword(const PGconn* conn)
{
    TINTWELL_REAL(PQconnectionNeedsPassword);
    return real ? real(conn) : 0;
}

ConnStatusType PQstatus(const PGconn* conn)
{
    TINTWELL_REAL(PQstatus);
    return real ? real(conn) : CONNECTION_BAD;
}

char* PQerrorMessage(const PGconn* conn)
{
    TINTWELL_REAL(PQerrorMessage);
    return real ? real(conn) : const_cast<char*>(errorMessage());
}

void PQfinish(PGconn* conn)
{
    TINTWELL_REAL(PQfinish);
    if (real) {
        real(conn);
    }
}

int PQsetClientEncoding(PGconn* conn, const char* encoding)
{
    TINTWELL_REAL(PQsetClientEncoding);
    return real ? real(conn, encoding) : -1;
}

PQnoticeProcessor PQsetNoticeProcessor(PGconn* conn, PQnoticeProcessor proc, void* arg)
{
    TINTWELL_REAL(PQsetNoticeProcessor);
    return real ? real(conn, proc, arg) : nullptr;
}

int PQbackendPID(const PGconn* conn)
{
    TINTWELL_REAL(PQbackendPID);
    return real ? real(conn) : 0;
}

PGresult* PQexec(PGconn* conn, const char* query)
{
    TINTWELL_REAL(PQexec);
    return real ? real(conn, query) : nullptr;
}

PGresult* PQexecParams(PGconn* conn, const char* command, int nParams, const Oid* paramTypes,
                       const char* const* paramValues, const int* paramLengths, const int* paramFormats,
                       int resultFormat)
{
    TINTWELL_REAL(PQexecParams);
    return real ? real(conn, command, nParams, paramTypes, paramValues, paramLengths, paramFormats, resultFormat)
                : nullptr;
}

PGresult* PQprepare(PGconn* conn, const char* stmtName, const char* query, int nParams, const Oid* paramTypes)
{
    TINTWELL_REAL(PQprepare);
    return real ? real(conn, stmtName, query, nParams, paramTypes) : nullptr;
}

PGresult* PQexecPrepared(PGconn* conn, const char* stmtName, int nParams, const char* const* paramValues,
                         const int* paramLengths, const int* paramFormats, int resultFormat)
{
    TINTWELL_REAL(PQexecPrepared);
    return real ? real(conn, stmtName, nParams, paramValues, paramLengths, paramFormats, resultFormat) : nullptr;
}

ExecStatusType PQresultStatus(const PGresult* res)
{
    TINTWELL_REAL(PQresultStatus);
    return real ? real(res) : PGRES_FATAL_ERROR;
}

char* PQresultErrorMessage(const PGresult* res)
{
    TINTWELL_REAL(PQresultErrorMessage);
    return real ? real(res) : const_cast<char*>(errorMessage());
}

char* PQresultErrorField(const PGresult* res, int fieldcode)
{
    TINTWELL_REAL(PQresultErrorField);
    return real ? real(res, fieldcode) : nullptr;
}

int PQntuples(const PGresult* res)
{
    TINTWELL_REAL(PQntuples);
    return real ? real(res) : 0;
}

int PQnfields(const PGresult* res)
{
    TINTWELL_REAL(PQnfields);
    return real ? real(res) : 0;
}

char* PQgetvalue(const PGresult* res, int row, int column)
{
    TINTWELL_REAL(PQgetvalue);
    return real ? real(res, row, column) : nullptr;
}

int PQgetlength(const PGresult* res, int row, int column)
{
    TINTWELL_REAL(PQgetlength);
    return real ? real(res, row, column) : 0;
}

int PQgetisnull(const PGresult* res, int row, int column)
{
    TINTWELL_REAL(PQgetisnull);
    return real ? real(res, row, column) : 1;
}

char* PQcmdTuples(PGresult* res)
{
    TINTWELL_REAL(PQcmdTuples);
    return real ? real(res) : const_cast<char*>("");
}

void PQclear(PGresult* res)
{
    TINTWELL_REAL(PQclear);
    if (real) {
        real(res);
    }
}

void PQfreemem(void* ptr)
{
    TINTWELL_REAL(PQfreemem);
    if (real) {
        real(ptr);
    }
}

int PQconsumeInput(PGconn* conn)
{
    TINTWELL_REAL(PQconsumeInput);
    return real ? real(conn) : 0;
}

PGnotify* PQnotifies(PGconn* conn)
{
    TINTWELL_REAL(PQnotifies);
    return real ? real(conn) : nullptr;
}

char* PQescapeLiteral(PGconn* conn, const char* str, size_t len)
{
    TINTWELL_REAL(PQescapeLiteral);
    return real ? real(conn, str, len) : nullptr;
}

char* PQescapeIdentifier(PGconn* conn, const char* str, size_t len)
{
    TINTWELL_REAL(PQescapeIdentifier);
    return real ? real(conn, str, len) : nullptr;
}

char* PQencryptPasswordConn(PGconn* conn, const char* passwd, const char* user, const char* algorithm)
{
    TINTWELL_REAL(PQencryptPasswordConn);
    return real ? real(conn, passwd, user, algorithm) : nullptr;
}

} // extern "C"
