#include "PgTestCluster.h"

#include "StationSchema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QThread>

#include <unistd.h>

namespace {
const char* kServerUser = "nobody";

QString findBinDir()
{
    const QString fromEnv = qEnvironmentVariable("TINTWELL_PG_BINDIR");
    if (!fromEnv.isEmpty()) {
        return fromEnv;
    }
    QDir lib(QStringLiteral("/usr/lib/postgresql"));
    QStringList versions = lib.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    std::sort(versions.begin(), versions.end(), [](const QString& a, const QString& b) { return a.toInt() > b.toInt(); });
    for (const QString& v : versions) {
        const QString bin = lib.filePath(v + QStringLiteral("/bin"));
        if (QFile::exists(bin + QStringLiteral("/initdb")) && QFile::exists(bin + QStringLiteral("/pg_ctl"))) {
            return bin;
        }
    }
    return QString();
}
bool writeSmallFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

// A cpu cgroup (v1 or v2) marked idle: its processes run only on a CPU no
// other program wants, and give it up at once when one does (with a mere
// low weight they finish their time slice first). Where the kernel has no
// idle groups, the least weight. Empty when no cgroup can be made.
QString makeBackgroundCgroup()
{
    const QString name = QStringLiteral("tintwell-pg-%1").arg(QCoreApplication::applicationPid());
    for (const char* root : {"/sys/fs/cgroup/cpu", "/sys/fs/cgroup"}) {
        const QString dir = QLatin1String(root) + QLatin1Char('/') + name;
        if (!QFile::exists(QLatin1String(root) + QStringLiteral("/cgroup.procs")) || !QDir().mkdir(dir)) {
            continue;
        }
        if (writeSmallFile(dir + QStringLiteral("/cpu.idle"), "1") || writeSmallFile(dir + QStringLiteral("/cpu.shares"), "2")
            || writeSmallFile(dir + QStringLiteral("/cpu.weight"), "1")) {
            return dir;
        }
        QDir().rmdir(dir);
    }
    return {};
}
} // namespace

PgTestCluster::PgTestCluster() = default;

PgTestCluster::~PgTestCluster()
{
    m_admin.reset();
    if (m_running) {
        stop("immediate");
    }
    // Empty once the last server process has gone, which may take a moment
    // after an immediate stop.
    for (int tries = 0; !m_cgroup.isEmpty() && !QDir().rmdir(m_cgroup) && tries < 20; ++tries) {
        QThread::msleep(100);
    }
}

QString PgTestCluster::backgroundText() const
{
    if (!m_background) {
        return QStringLiteral("as any other program");
    }
    return m_cgroup.isEmpty() ? QStringLiteral("nice 10 (no cpu cgroup could be made: each server process still weighs as "
                                               "much as this whole program)")
                              : QStringLiteral("in the idle cpu cgroup %1").arg(m_cgroup);
}

QStringList PgTestCluster::asServerUser(const QString& program) const
{
    const QString path = m_binDir + QLatin1Char('/') + program;
    if (geteuid() == 0) {
        return {QStringLiteral("runuser"), QStringLiteral("-u"), QString::fromLatin1(kServerUser), QStringLiteral("--"), path};
    }
    return {path};
}

bool PgTestCluster::run(const QStringList& command, QString* output, int timeoutMs)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    // The server's messages in English whatever the machine's language.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    p.setProcessEnvironment(env);
    p.start(command.first(), command.mid(1));
    const bool finished = p.waitForFinished(timeoutMs);
    if (!finished) {
        p.kill();
        p.waitForFinished(5000);
    }
    if (output) {
        *output = QString::fromLocal8Bit(p.readAll());
    }
    return finished && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool PgTestCluster::start(QString* skip, QString* error, const QString& parent)
{
    m_binDir = findBinDir();
    if (m_binDir.isEmpty()) {
        *skip = QStringLiteral("PostgreSQL's server (initdb, pg_ctl) is not installed; scripts/deps.sh installs it");
        return false;
    }
    m_dir = std::make_unique<QTemporaryDir>((parent.isEmpty() ? QDir::tempPath() : parent)
                                           + QStringLiteral("/tintwell-pg-XXXXXX"));
    if (!m_dir->isValid()) {
        *error = QStringLiteral("no temporary folder: ") + m_dir->errorString();
        return false;
    }
    m_data = m_dir->filePath(QStringLiteral("data"));
    m_socket = m_dir->filePath(QStringLiteral("socket"));
    QDir().mkpath(m_socket);
    if (geteuid() == 0) {
        // The server runs as nobody and needs its folders.
        QString out;
        if (!run({QStringLiteral("chown"), QStringLiteral("-R"), QStringLiteral("nobody:"), m_dir->path()}, &out)) {
            *error = QStringLiteral("chown failed: ") + out;
            return false;
        }
    }
    QString out;
    if (!run(asServerUser(QStringLiteral("initdb"))
                 + QStringList{QStringLiteral("-D"), m_data, QStringLiteral("-U"), QStringLiteral("tintwell_admin"),
                               QStringLiteral("-E"), QStringLiteral("UTF8"), QStringLiteral("--no-locale"),
                               QStringLiteral("--auth-local=trust"), QStringLiteral("--auth-host=reject")},
             &out)) {
        *error = QStringLiteral("initdb failed: ") + out;
        return false;
    }
    // The superuser is trusted on the socket; every other role shows its password.
    QFile hba(m_data + QStringLiteral("/pg_hba.conf"));
    if (!hba.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || hba.write("local all tintwell_admin trust\nlocal all all scram-sha-256\n") < 0) {
        *error = QStringLiteral("cannot write pg_hba.conf");
        return false;
    }
    hba.close();
    QFile conf(m_data + QStringLiteral("/postgresql.conf"));
    if (!conf.open(QIODevice::Append)
        || conf.write(QStringLiteral("listen_addresses = ''\nunix_socket_directories = '%1'\nport = %2\n"
                                     "fsync = off\nfull_page_writes = off\nmax_connections = 60\n")
                          .arg(m_socket)
                          .arg(m_port)
                          .toUtf8())
               < 0) {
        *error = QStringLiteral("cannot write postgresql.conf");
        return false;
    }
    conf.close();
    if (m_background) {
        m_cgroup = makeBackgroundCgroup();
    }
    // Stops the server should this program die before its destructor ran.
    const QString runAs = geteuid() == 0 ? QStringLiteral("runuser -u nobody -- ") : QString();
    QProcess watcher;
    watcher.setProgram(QStringLiteral("/bin/sh"));
    watcher.setArguments({QStringLiteral("-c"),
                          QStringLiteral("while kill -0 %1 2>/dev/null; do sleep 1; done; "
                                         "%2'%3/pg_ctl' -D '%4' stop -m immediate >/dev/null 2>&1; rm -rf '%5'%6")
                              .arg(QCoreApplication::applicationPid())
                              .arg(runAs, m_binDir, m_data, m_dir->path(),
                                   m_cgroup.isEmpty() ? QString() : QStringLiteral("; rmdir '%1'").arg(m_cgroup))});
    // Not holding the test's output open: CTest waits for that to close.
    watcher.setStandardInputFile(QProcess::nullDevice());
    watcher.setStandardOutputFile(QProcess::nullDevice());
    watcher.setStandardErrorFile(QProcess::nullDevice());
    watcher.startDetached();
    if (!startAgain()) {
        *error = QStringLiteral("the server did not start: ") + log();
        return false;
    }
    const QString created = adminExec("CREATE DATABASE tintwell", QStringLiteral("postgres"));
    if (!created.isEmpty()) {
        *error = created;
        return false;
    }
    return true;
}

bool PgTestCluster::startAgain()
{
    QStringList background;
    if (!m_cgroup.isEmpty()) {
        // pg_ctl starts in the cgroup, so the server and every backend it forks stay there.
        background << QStringLiteral("/bin/sh") << QStringLiteral("-c")
                   << QStringLiteral("echo $$ > \"$0/cgroup.procs\" && exec \"$@\"") << m_cgroup;
    }
    if (m_background) {
        background << QStringLiteral("nice") << QStringLiteral("-n") << QStringLiteral("10");
    }
    m_running = run(background + asServerUser(QStringLiteral("pg_ctl"))
                    + QStringList{QStringLiteral("-D"), m_data, QStringLiteral("-l"), m_dir->filePath(QStringLiteral("log")),
                                  QStringLiteral("-w"), QStringLiteral("-t"), QStringLiteral("30"), QStringLiteral("start")});
    return m_running;
}

bool PgTestCluster::stop(const char* mode)
{
    m_admin.reset();
    const bool ok = run(asServerUser(QStringLiteral("pg_ctl"))
                        + QStringList{QStringLiteral("-D"), m_data, QStringLiteral("-m"), QString::fromLatin1(mode),
                                      QStringLiteral("-w"), QStringLiteral("-t"), QStringLiteral("30"), QStringLiteral("stop")});
    m_running = !ok;
    return ok;
}

StationConfig PgTestCluster::admin(const QString& database) const
{
    return as(QStringLiteral("tintwell_admin"), QString(), database);
}

StationConfig PgTestCluster::as(const QString& user, const QString& password, const QString& database) const
{
    StationConfig c;
    c.host = m_socket;
    c.port = m_port;
    c.database = database;
    c.user = user;
    c.password = password;
    c.station = user;
    return c;
}

QString PgTestCluster::adminExec(const QByteArray& sql, const QString& database)
{
    if (!m_admin || m_adminDatabase != database || !m_admin->isOpen()) {
        m_admin = std::make_unique<PgConnection>(admin(database));
        m_adminDatabase = database;
        if (!m_admin->open()) {
            return m_admin->errorText();
        }
    }
    return m_admin->exec(sql).ok() ? QString() : m_admin->errorText();
}

qint64 PgTestCluster::adminCount(const QByteArray& sql, const QString& database)
{
    if (!adminExec("SELECT 1", database).isEmpty()) {
        return -1;
    }
    const PgResult r = m_admin->exec(sql);
    return r.ok() && r.rows() == 1 ? r.toInt(0, 0) : -1;
}

QString PgTestCluster::log() const
{
    QFile f(m_dir ? m_dir->filePath(QStringLiteral("log")) : QString());
    return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll().right(4000)) : QString();
}

StationConfig PgTestCluster::addStation(const QString& role)
{
    const QString password = QStringLiteral("pw-") + role;
    PgConnection connection(admin());
    QString error;
    if (!connection.open() || !StationSchema::addStation(connection, role, role, password, &error)) {
        qWarning("adding station %s failed: %s", qPrintable(role), qPrintable(error + connection.errorText()));
        return StationConfig();
    }
    return as(role, password);
}

QString PgTestCluster::caFile() const
{
    return m_dir->filePath(QStringLiteral("ca.crt"));
}

QString PgTestCluster::otherCaFile() const
{
    return m_dir->filePath(QStringLiteral("other-ca.crt"));
}

bool PgTestCluster::enableTls(QString* error)
{
    const QString d = m_dir->path();
    const QString script = QStringLiteral(
        "set -e; cd '%1'; "
        "openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=tintwell-test-ca -keyout ca.key -out ca.crt; "
        "openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=tintwell-other-ca -keyout other-ca.key -out other-ca.crt; "
        "openssl req -newkey rsa:2048 -nodes -subj /CN=localhost -keyout data/server.key -out server.csr; "
        "printf 'subjectAltName=DNS:localhost\\n' > san.ext; "
        "openssl x509 -req -in server.csr -CA ca.crt -CAkey ca.key -CAcreateserial -days 2 -extfile san.ext "
        "-out data/server.crt; chmod 600 data/server.key; chmod 644 ca.crt other-ca.crt")
                               .arg(d);
    QString out;
    if (!run({QStringLiteral("/bin/sh"), QStringLiteral("-c"), script}, &out)) {
        *error = QStringLiteral("openssl failed: ") + out;
        return false;
    }
    if (geteuid() == 0 && !run({QStringLiteral("chown"), QStringLiteral("nobody:"), m_data + QStringLiteral("/server.key"),
                                m_data + QStringLiteral("/server.crt")}, &out)) {
        *error = QStringLiteral("chown failed: ") + out;
        return false;
    }
    {
        QTcpServer probe; // a free port for the TCP listener (and the socket's name)
        if (!probe.listen(QHostAddress::LocalHost, 0)) {
            *error = QStringLiteral("no free port");
            return false;
        }
        m_port = probe.serverPort();
    }
    QFile conf(m_data + QStringLiteral("/postgresql.conf"));
    QFile hba(m_data + QStringLiteral("/pg_hba.conf"));
    if (!conf.open(QIODevice::Append) || !hba.open(QIODevice::Append)
        || conf.write(QStringLiteral("listen_addresses = '127.0.0.1'\nport = %1\nssl = on\n"
                                     "ssl_cert_file = 'server.crt'\nssl_key_file = 'server.key'\n")
                          .arg(m_port)
                          .toUtf8())
               < 0
        || hba.write("hostssl all all 127.0.0.1/32 scram-sha-256\n") < 0) {
        *error = QStringLiteral("cannot write the server's configuration");
        return false;
    }
    conf.close();
    hba.close();
    if (!stop() || !startAgain()) {
        *error = QStringLiteral("the server did not start with TLS: ") + log();
        return false;
    }
    return true;
}

bool PgTestCluster::addFirstHbaRule(const QByteArray& rule, QString* error)
{
    QFile hba(m_data + QStringLiteral("/pg_hba.conf"));
    if (!hba.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read pg_hba.conf");
        return false;
    }
    const QByteArray rules = rule + '\n' + hba.readAll();
    hba.close();
    if (!hba.open(QIODevice::WriteOnly | QIODevice::Truncate) || hba.write(rules) != rules.size()) {
        *error = QStringLiteral("cannot write pg_hba.conf");
        return false;
    }
    hba.close();
    *error = adminExec("SELECT pg_reload_conf()");
    // The postmaster reads the file on its signal; new backends see it soon after.
    QThread::msleep(300);
    return error->isEmpty();
}
