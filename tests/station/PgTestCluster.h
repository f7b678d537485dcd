#pragma once
// A throw-away PostgreSQL cluster for one test program: initdb and pg_ctl into
// a temporary folder, listening only on a Unix socket there. The server
// refuses to run as root, so under root (CI) it runs as "nobody". A watcher
// stops it should the test program die without cleaning up.

#include "PgConnection.h"
#include "StationConfig.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

class PgTestCluster
{
public:
    PgTestCluster();
    ~PgTestCluster();

    // false with *skip set when PostgreSQL is not installed here (the test
    // skips), with *error set when it is and still did not start (the test fails).
    // parent: the folder the cluster's temporary folder goes in (empty: the
    // system's temporary folder).
    bool start(QString* skip, QString* error, const QString& parent = QString());
    bool stop(const char* mode = "fast");
    bool startAgain();
    // From the start on, the server runs in the background (a benchmark's
    // stand-in for a server on a computer of its own): at nice 10, and where
    // a cpu cgroup can be made (as root), in an idle one of its own, on CPU
    // time nothing else wants. The nice value alone holds nothing back: every
    // PostgreSQL process is a session leader, so with the kernel's autogroups
    // each backend is a scheduling group of its own, weighing as much as the
    // whole benchmark. On a busy computer the idle server may fall far behind.
    void setBackground(bool background) { m_background = background; }
    // How the server was held back, for a benchmark's output.
    QString backgroundText() const;
    bool isRunning() const { return m_running; }

    // The superuser, trusted on the socket; and any other role by password.
    StationConfig admin(const QString& database = QStringLiteral("tintwell")) const;
    StationConfig as(const QString& user, const QString& password,
                     const QString& database = QStringLiteral("tintwell")) const;
    // Runs SQL as the superuser; the message of the failure, empty on success.
    QString adminExec(const QByteArray& sql, const QString& database = QStringLiteral("tintwell"));
    qint64 adminCount(const QByteArray& sql, const QString& database = QStringLiteral("tintwell"));
    // Turns TLS on: a certificate authority and a server certificate for
    // "localhost" made with openssl, the server listening on 127.0.0.1 too
    // (on a free port, from the next start: it restarts). caFile() is the
    // authority; otherCaFile() one that did not sign it.
    bool enableTls(QString* error);
    QString caFile() const;
    QString otherCaFile() const;
    // A pg_hba.conf rule put before the others, in force at once (reloaded):
    // "hostssl all clear_role 127.0.0.1/32 password".
    bool addFirstHbaRule(const QByteArray& rule, QString* error);
    int port() const { return m_port; }

    // A new station's login role, registered; its configuration.
    StationConfig addStation(const QString& role);
    // The log of the server (for a failing test's output).
    QString log() const;

private:
    bool run(const QStringList& command, QString* output = nullptr, int timeoutMs = 60000);
    QStringList asServerUser(const QString& program) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_binDir;
    QString m_data;
    QString m_socket;
    bool m_running = false;
    bool m_background = false;
    QString m_cgroup; // the server's cpu cgroup, empty without one
    int m_port = 5432;
    std::unique_ptr<PgConnection> m_admin;
    QString m_adminDatabase;
};
