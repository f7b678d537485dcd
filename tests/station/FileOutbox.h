#pragma once
// A small SQLite outbox standing in for the journal in the station tests, the
// kill -9 child and the benchmark: records with their version, which version
// the server acknowledged, and refusals. One connection per calling thread.

#include "Outbox.h"

#include <QMutex>
#include <QSqlDatabase>
#include <QStringList>

class FileOutbox : public Outbox
{
public:
    explicit FileOutbox(QString path);
    ~FileOutbox() override;

    // Journals a new record or a new version of one (one transaction each).
    bool journal(const ComparisonRecord& record, bool deleted = false);
    bool journalAll(const QList<ComparisonRecord>& records);

    QList<OutboxEntry> unacknowledged(int limit) override;
    bool acknowledge(const QList<OutboxKey>& keys) override;
    bool reject(const QList<OutboxKey>& keys, const QString& reason) override;
    int unacknowledgedCount() override;
    int refusedCount() override;

    QString rejection(const QUuid& id);
    // As if no acknowledgement had ever been journaled: everything goes again.
    bool forgetAcknowledgements();
    QString errorText() const { return m_error; }

private:
    QSqlDatabase db();

    QString m_path;
    QString m_error;
    QMutex m_lock;
    QStringList m_connections;
};

// A record with the fields the tests look at filled in.
ComparisonRecord testRecord(const QString& testName, double deltaE = 0.5);
