#pragma once
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLockFile;

// Keeps one running copy per user. The first copy holds a lock file and
// listens on a local socket; a later copy finds the lock taken and sends its
// message over the socket. A lock left by a crashed copy is stale (its
// process is gone) and does not block the next start.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // key names the lock and the socket; the default includes the user name.
    explicit SingleInstance(const QString& key = defaultKey(), QObject* parent = nullptr);
    ~SingleInstance() override;

    static QString defaultKey();
    QString lockFilePath() const;

    // True when another copy holds the key. On the first call from the copy
    // that gets the lock, it starts listening for messages.
    bool isRunning();
    // Sends message to the running copy; false when it could not be delivered
    // within timeoutMs.
    bool sendMessage(const QString& message, int timeoutMs);

Q_SIGNALS:
    void messageReceived(const QString& message);

private:
    void onNewConnection();

    QString m_key;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
    bool m_checked = false;
    bool m_othersRunning = false;
};
