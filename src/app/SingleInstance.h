#pragma once
#include <QObject>
#include <QString>

class QSocketNotifier;

// Keeps one running copy per user. The first copy holds an advisory lock
// (flock) on a lock file (in $XDG_RUNTIME_DIR when set, else the temporary
// folder) and listens on a Unix socket beside it (readable by the user only);
// a later copy finds the lock held and sends its message over the socket. The kernel drops the lock with the
// process that held it, however it ended, so a crashed copy never blocks the
// next start, and nothing needs writing to disk: the file stays in place
// between runs. A lock that cannot be taken for any other reason (no such
// folder, permission) leaves the copy running without the guard; lockError()
// says why.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // key names the lock and the socket; the default includes the user name.
    explicit SingleInstance(const QString& key = defaultKey(), QObject* parent = nullptr);
    ~SingleInstance() override;

    static QString defaultKey();
    // $XDG_RUNTIME_DIR when set, else the temporary folder.
    static QString lockDirectory();
    QString lockFilePath() const;
    QString socketPath() const;

    // Whether a live process holds the lock of key, without taking it (the
    // command line asks this: it neither takes the guard nor listens).
    static bool heldByLiveProcess(const QString& key = defaultKey());

    // True when a live copy holds the key. On the first call from the copy
    // that gets the lock, it starts listening for messages.
    bool isRunning();
    // After isRunning(): empty when the guard works, else why the lock file
    // could not be taken (this copy then runs unguarded).
    QString lockError() const { return m_lockError; }
    // Sends message to the running copy; false when it could not be delivered
    // within timeoutMs.
    bool sendMessage(const QString& message, int timeoutMs);

Q_SIGNALS:
    void messageReceived(const QString& message);

private:
    class Connection;
    bool listen();
    void onNewConnection();

    QString m_key;
    int m_lockFd = -1; // the open lock file while this copy holds its lock
    int m_listenFd = -1;                   // the socket later copies connect to
    QSocketNotifier* m_listener = nullptr; // tells of their connections
    bool m_checked = false;
    bool m_othersRunning = false;
    QString m_lockError;
};
