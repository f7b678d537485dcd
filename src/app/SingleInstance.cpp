#include "SingleInstance.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QSocketNotifier>
#include <QThread>
#include <QtEndian>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
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

// A message on the socket: its length (4 bytes, big-endian), then its UTF-8
// bytes. Anything longer than this is no message of ours.
constexpr quint32 kMaxMessage = 64 * 1024;

bool socketAddress(const QString& path, sockaddr_un& address)
{
    const QByteArray name = QFile::encodeName(path);
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (name.size() >= static_cast<int>(sizeof address.sun_path)) {
        return false;
    }
    std::memcpy(address.sun_path, name.constData(), static_cast<size_t>(name.size()));
    return true;
}

} // namespace

// One later copy's connection: collects its message, then closes.
class SingleInstance::Connection final : public QObject
{
public:
    Connection(int fd, SingleInstance* owner) : QObject(owner), m_fd(fd), m_notifier(fd, QSocketNotifier::Read)
    {
        connect(&m_notifier, &QSocketNotifier::activated, this, [this, owner] { readFrom(owner); });
    }
    ~Connection() override
    {
        m_notifier.setEnabled(false);
        ::close(m_fd);
    }

private:
    void readFrom(SingleInstance* owner)
    {
        char chunk[4096];
        for (;;) {
            const ssize_t n = ::read(m_fd, chunk, sizeof chunk);
            if (n > 0) {
                m_buffer.append(chunk, static_cast<int>(n));
                if (m_buffer.size() > static_cast<int>(kMaxMessage + 4)) {
                    break; // not one of ours
                }
                continue;
            }
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0 && errno == EAGAIN) {
                if (!complete()) {
                    return; // more to come
                }
            }
            break; // the end, an error, or a whole message
        }
        m_notifier.setEnabled(false);
        if (complete()) {
            const quint32 length = qFromBigEndian<quint32>(m_buffer.constData());
            Q_EMIT owner->messageReceived(QString::fromUtf8(m_buffer.mid(4, static_cast<int>(length))));
        }
        deleteLater();
    }

    bool complete() const
    {
        if (m_buffer.size() < 4) {
            return false;
        }
        const quint32 length = qFromBigEndian<quint32>(m_buffer.constData());
        return length <= kMaxMessage && static_cast<quint32>(m_buffer.size()) >= length + 4;
    }

    int m_fd;
    QSocketNotifier m_notifier;
    QByteArray m_buffer;
};

SingleInstance::SingleInstance(const QString& key, QObject* parent)
    : QObject(parent), m_key(key)
{
}

SingleInstance::~SingleInstance()
{
    // Closing drops the lock. The file stays: removing it could let two
    // later copies lock two different files of the same name.
    if (m_listenFd >= 0) {
        delete m_listener;
        ::close(m_listenFd);
        // Only the lock's holder listens, so the socket is this copy's own.
        ::unlink(QFile::encodeName(socketPath()).constData());
    }
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

QString SingleInstance::socketPath() const
{
    return QDir(lockDirectory()).filePath(m_key + QStringLiteral(".socket"));
}

bool SingleInstance::listen()
{
    sockaddr_un address;
    if (!socketAddress(socketPath(), address)) {
        qCWarning(lcInstance) << "cannot listen for later copies: the path is too long" << socketPath();
        return false;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        qCWarning(lcInstance) << "cannot listen for later copies:" << qt_error_string(errno);
        return false;
    }
    // This copy holds the lock: a socket already there is a dead copy's.
    ::unlink(address.sun_path);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0
        || ::chmod(address.sun_path, S_IRUSR | S_IWUSR) != 0 || ::listen(fd, 8) != 0) {
        qCWarning(lcInstance) << "cannot listen for later copies:" << qt_error_string(errno);
        ::close(fd);
        return false;
    }
    m_listenFd = fd;
    m_listener = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_listener, &QSocketNotifier::activated, this, &SingleInstance::onNewConnection);
    return true;
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
    listen();
    return false;
}

bool SingleInstance::sendMessage(const QString& message, int timeoutMs)
{
    const QByteArray payload = message.toUtf8();
    sockaddr_un address;
    if (payload.size() > static_cast<int>(kMaxMessage) || !socketAddress(socketPath(), address)) {
        return false;
    }
    QDeadlineTimer deadline(timeoutMs);
    int fd = -1;
    // The first copy may have taken the lock but not yet be listening.
    for (;;) {
        fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd >= 0 && ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
            break;
        }
        const int error = errno;
        if (fd >= 0) {
            ::close(fd);
        }
        if (deadline.hasExpired()) {
            qCWarning(lcInstance) << "running copy does not answer:" << qt_error_string(error);
            return false;
        }
        QThread::msleep(50);
    }
    QByteArray bytes(4, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(payload.size()), bytes.data());
    bytes += payload;
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        pollfd ready{fd, POLLOUT, 0};
        if (::poll(&ready, 1, static_cast<int>(qMax<qint64>(1, deadline.remainingTime()))) <= 0) {
            break;
        }
        const ssize_t n = ::send(fd, bytes.constData() + sent, static_cast<size_t>(bytes.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        sent += n;
    }
    ::close(fd);
    return sent == bytes.size();
}

void SingleInstance::onNewConnection()
{
    for (;;) {
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            if (errno == EINTR) {
                continue;
            }
            return; // none waiting (or a connection that went before it was taken)
        }
        new Connection(fd, this);
    }
}
