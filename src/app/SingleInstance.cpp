#include "SingleInstance.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QLoggingCategory>
#include <QThread>

#include <QSysInfo>

#include <cerrno>
#include <csignal>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcInstance, "tintwell.app.instance")

namespace {

QString userName()
{
    QString name = qEnvironmentVariable("USER");
    if (name.isEmpty()) {
        name = qEnvironmentVariable("LOGNAME");
    }
    // The uid keeps two accounts apart even when the environment says nothing.
    return name + QLatin1Char('-') + QString::number(::getuid());
}

} // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent)
    : QObject(parent), m_key(key)
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultKey()
{
    const QByteArray user = userName().toUtf8();
    const QByteArray hash = QCryptographicHash::hash(user, QCryptographicHash::Sha1).toHex().left(12);
    return QStringLiteral("tintwell-") + QString::fromLatin1(hash);
}

QString SingleInstance::lockDirectory()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

bool SingleInstance::heldByLiveProcess(const QString& key)
{
    QLockFile lock(QDir(lockDirectory()).filePath(key + QStringLiteral(".lock")));
    qint64 pid = 0;
    QString host;
    QString application;
    if (!lock.getLockInfo(&pid, &host, &application) || pid <= 0) {
        return false;
    }
    if (host != QSysInfo::machineHostName()) {
        return true; // a shared folder: another machine's copy cannot be asked
    }
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

QString SingleInstance::lockFilePath() const
{
    return QDir(lockDirectory()).filePath(m_key + QStringLiteral(".lock"));
}

bool SingleInstance::isRunning()
{
    if (m_checked) {
        return m_othersRunning;
    }
    m_checked = true;
    m_lock = std::make_unique<QLockFile>(lockFilePath());
    // The lock is held for the whole run, so it must never go stale by age;
    // only a lock whose process has died is stale.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        if (m_lock->error() == QLockFile::LockFailedError) {
            qCDebug(lcInstance) << "lock held by another copy" << lockFilePath();
            m_othersRunning = true;
            return true;
        }
        // Not another copy: the lock could not be taken at all. Run unguarded
        // rather than refuse to start (and leave any socket alone).
        m_lockError = m_lock->error() == QLockFile::PermissionError
                          ? QCoreApplication::translate("SingleInstance", "permission denied")
                          : QCoreApplication::translate("SingleInstance", "the file cannot be created");
        qCWarning(lcInstance) << "cannot take the lock" << lockFilePath() << m_lock->error();
        m_lock.reset();
        return false;
    }
    // A socket left behind by a crashed copy would make listen() fail.
    QLocalServer::removeServer(m_key);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_key)) {
        qCWarning(lcInstance) << "cannot listen for later copies:" << m_server->errorString();
    }
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    return false;
}

bool SingleInstance::sendMessage(const QString& message, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    // The first copy may have taken the lock but not yet be listening.
    for (;;) {
        socket.connectToServer(m_key);
        if (socket.waitForConnected(qMax<qint64>(1, deadline.remainingTime()))) {
            break;
        }
        if (deadline.hasExpired()) {
            qCWarning(lcInstance) << "running copy does not answer:" << socket.errorString();
            return false;
        }
        QThread::msleep(50);
    }
    const QByteArray payload = message.toUtf8();
    QDataStream out(&socket);
    out << payload;
    if (!socket.waitForBytesWritten(qMax<qint64>(1, deadline.remainingTime()))) {
        return false;
    }
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) {
        socket.waitForDisconnected(qMax<qint64>(1, deadline.remainingTime()));
    }
    return true;
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            QDataStream in(socket);
            in.startTransaction();
            QByteArray payload;
            in >> payload;
            if (in.commitTransaction()) {
                Q_EMIT messageReceived(QString::fromUtf8(payload));
            }
        });
    }
}
