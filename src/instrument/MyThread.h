#pragma once
// The receive worker: waits on the instrument link for results the instrument
// pushes unasked (its measuring key) and hands every chunk read to the page.
// It lives on its own QThread and owns the one lock that guards the link:
// every exchange of the user-interface thread holds it from its first frame
// to its last, so the worker never takes a reply meant for a command. The
// worker waits for input without the lock and takes it only to read what
// has arrived, so a command finds the link free at once.

#include "LinkAccess.h"

#include <QByteArray>
#include <QMutex>
#include <QObject>
#include <QPointer>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class QThread;
class Transport;

class MyThread : public QObject
{
    Q_OBJECT
public:
    // Polls transport; it must outlive the worker's thread.
    explicit MyThread(Transport& transport, QObject* parent = nullptr);

    // The link lock.
    QMutex* mutex() { return &m_mutex; }
    // Written by the user-interface thread, read by the worker after every
    // wait; ends the wait for input at once.
    void requestStop();
    bool stopRequested() const { return m_stop.load(); }

    // The longest wait for input before the stop flag is looked at again
    // (a stop also ends the wait at once).
    static constexpr int kIdleWaitMs = 250;
    // The pause after a read that failed (link closed or broken): waiting on
    // such a link returns at once, so this keeps the worker from spinning.
    static constexpr int kFailedReadPauseMs = 30;
    // How long one attempt to take the lock waits before the stop flag is
    // looked at again, so a worker never waits without end for a lock that
    // the user-interface thread holds across a dialog.
    static constexpr int kLockAttemptMs = 20;

Q_SIGNALS:
    void senddata(const QByteArray& chunk);

public Q_SLOTS:
    // The receiving loop; returns when the stop flag is set.
    void startThreadSlot();

private:
    Transport& m_transport;
    QThread* m_home;
    QMutex m_mutex;
    std::atomic<bool> m_stop{false};
};

// Starts and stops one worker at a time on its own thread, and is the page's
// door to the link (LinkAccess): the transport and the current worker's lock.
class ReceiveWorker final : public LinkAccess
{
public:
    // transportOf is asked for the transport at every start and every exchange.
    explicit ReceiveWorker(std::function<Transport&()> transportOf);
    ~ReceiveWorker() override;
    ReceiveWorker(const ReceiveWorker&) = delete;
    ReceiveWorker& operator=(const ReceiveWorker&) = delete;

    // Stops any running worker, creates a new one and its thread, lets
    // connect attach to its signals, then starts it polling.
    void start(const std::function<void(MyThread*)>& connect);
    // Sets the stop flag, asks the thread to quit and waits for it. After
    // stop() returns no poll runs, so the link may be closed and freed.
    void stop();
    bool isRunning() const;

    MyThread* worker() const { return m_worker; }

    Transport& transport() override;
    QMutex* linkMutex() override;

private:
    // Stopped workers whose lock may still be held by an exchange of the
    // user-interface thread (one that was in a dialog when the link went
    // away); each is freed once its lock is free.
    void releaseRetired();

    std::function<Transport&()> m_transportOf;
    QPointer<QThread> m_thread;
    MyThread* m_worker = nullptr;
    std::vector<std::unique_ptr<MyThread>> m_retired;
};
