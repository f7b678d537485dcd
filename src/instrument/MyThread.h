#pragma once
// The receive worker: waits on the instrument link for results the instrument
// pushes unasked (its measuring key) and hands every chunk read to the page.
// It lives on its own QThread and is given the one lock that guards the link
// (LinkAccess): every exchange of the user-interface thread holds it from its
// first frame to its last, so the worker never takes a reply meant for a
// command. The worker waits for input without the lock and takes it only to
// read what has arrived, so a command finds the link free at once.

#include "LinkAccess.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>

#include <atomic>
#include <functional>
#include <memory>

class QThread;
class Transport;

class MyThread : public QObject
{
    Q_OBJECT
public:
    // Reads transport under lock (null: no lock); both must outlive the
    // worker's thread.
    MyThread(Transport& transport, LinkMutex* lock, QObject* parent = nullptr);

    // Written by the user-interface thread, read by the worker after every
    // wait; ends the wait for input at once.
    void requestStop();
    bool stopRequested() const { return m_stop.load(); }
    // Whether the receiving loop has returned: its last step, which
    // ReceiveWorker::stop() reads once the thread is joined before it frees
    // the worker. The join orders the two already, but inside QtCore, where
    // the thread sanitizer cannot see it (a thread that has already ended is
    // joined under a futex alone); this pair is an order it does see.
    bool loopEnded() const { return m_loopEnded.load(std::memory_order_acquire); }

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
    LinkMutex* m_lock;
    QThread* m_home;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_loopEnded{false};
};

// Starts and stops one worker at a time on its own thread, over the link it
// is given (asked for its transport at every start).
class ReceiveWorker final
{
public:
    // link must outlive this object.
    explicit ReceiveWorker(LinkAccess& link);
    ~ReceiveWorker();
    ReceiveWorker(const ReceiveWorker&) = delete;
    ReceiveWorker& operator=(const ReceiveWorker&) = delete;

    // Stops any running worker, creates a new one and its thread, lets
    // connect attach to its signals, then starts it polling.
    void start(const std::function<void(MyThread*)>& connect);
    // Sets the stop flag, asks the thread to quit and waits for it. After
    // stop() returns no poll runs, so the link may be closed and freed.
    void stop();
    bool isRunning() const;

    MyThread* worker() const { return m_worker.get(); }

private:
    LinkAccess& m_link;
    QPointer<QThread> m_thread;
    std::unique_ptr<MyThread> m_worker;
};
