#pragma once
// The comparison journal as the sync worker's outbox. The journal is opened
// (as a second, shared connection) on the first call, so on the worker's
// thread. A record the server refused for good keeps its refusal in the
// journal: it stays out of the queue, also after a restart, until it is
// changed again. A failed read or write (the journal busy too long) costs a
// resend: the journal is opened again for the next call.

#include "Outbox.h"

#include <memory>

class RecordJournal;

class JournalOutbox : public Outbox
{
public:
    explicit JournalOutbox(QString journalPath);
    ~JournalOutbox() override;

    QList<OutboxEntry> unacknowledged(int limit) override;
    bool acknowledge(const QList<OutboxKey>& keys) override;
    bool reject(const QList<OutboxKey>& keys, const QString& reason) override;
    int unacknowledgedCount() override;
    int refusedCount() override;
    void close() override;

    // Why the server refused this version of a record; empty when it did not.
    // Called on the worker's thread (it reads the journal).
    QString rejection(const OutboxKey& key);

private:
    RecordJournal* journal();

    QString m_path;
    std::unique_ptr<RecordJournal> m_journal;
    QString m_lastError; // of opening, said once
};
