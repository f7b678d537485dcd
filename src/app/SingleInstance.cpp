#include "SingleInstance.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
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

SingleInstance::~SingleInstance()
{
    // Closing drops the lock. The file stays: removing it could let two
    // later copies lock two different files of the same name.
    if (m_lockFd >= 0) {
        ::close(m_lockFd);
    }
}

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
    const QByteArray path = QFile::encodeName(QDir(lockDirectory()).filePath(key + QStringLiteral(".lock")));
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    // A shared lock is refused only while a copy holds its exclusive one.
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
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
    const QByteArray path = QFile::encodeName(lockFilePath());
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    const int openError = errno;
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int lockError = errno;
        ::close(fd);
        if (lockError == EWOULDBLOCK) {
            qCDebug(lcInstance) << "lock held by another copy" << lockFilePath();
            m_othersRunning = true;
            return true;
        }
        // Not another copy (e.g. a file system without locks): run unguarded
        // rather than refuse to start (and leave any socket alone).
        m_lockError = QCoreApplication::translate("SingleInstance", "the file cannot be locked");
        qCWarning(lcInstance) << "cannot lock" << lockFilePath() << qt_error_string(lockError);
        return false;
    }
    if (fd < 0) {
        m_lockError = openError == EACCES || openError == EPERM || openError == EROFS
                          ? QCoreApplication::translate("SingleInstance", "permission denied")
                          : QCoreApplication::translate("SingleInstance", "the file cannot be created");
        qCWarning(lcInstance) << "cannot take the lock" << lockFilePath() << qt_error_string(openError);
        return false;
    }
    m_lockFd = fd;
    // Who holds it, for a person looking; never synced, nothing depends on it.
    const QByteArray holder = QByteArray::number(QCoreApplication::applicationPid()) + '\n';
    if (::ftruncate(fd, 0) != 0 || ::write(fd, holder.constData(), static_cast<size_t>(holder.size())) < 0) {
        qCDebug(lcInstance) << "lock file left without the holder's pid" << qt_error_string(errno);
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
