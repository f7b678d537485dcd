#pragma once
// What the sync worker sends: the journal's records the server has not yet
// acknowledged. The journal implements this; the worker calls it only from
// its own thread, so an implementation opens its own database connection for
// that thread.

#include "ComparisonRecord.h"

#include <QList>
#include <QString>
#include <QUuid>

struct OutboxEntry
{
    ComparisonRecord record;   // id and version identify what is sent
    bool deleted = false;      // the operator deleted it: the server keeps it marked
    // The outbox cannot read its fields (a damaged row): nothing to send; the
    // worker refuses it so it no longer holds up the rest.
    bool unreadable = false;
};

// A version of a record.
struct OutboxKey
{
    QUuid id;
    qint64 version = 0;
    bool operator==(const OutboxKey& o) const { return id == o.id && version == o.version; }
};

class Outbox
{
public:
    virtual ~Outbox() = default;
    // Up to limit entries whose newest version the server has not
    // acknowledged, in the order they were journaled (a change counts from
    // when it was made).
    virtual QList<OutboxEntry> unacknowledged(int limit) = 0;
    // The server has committed these versions. An entry changed again since
    // (a newer version) stays unacknowledged. false when it could not be
    // recorded: the entries are then sent again, which is harmless.
    virtual bool acknowledge(const QList<OutboxKey>& keys) = 0;
    // The server refused these versions for good (another station's row, a
    // value it cannot hold): they leave the queue, so later records go, and
    // keep the reason.
    virtual bool reject(const QList<OutboxKey>& keys, const QString& reason) = 0;
    virtual int unacknowledgedCount() = 0;
    // Records set aside: their newest version was refused.
    virtual int refusedCount() = 0;
    // The worker stops using it (called on the worker's thread, which can
    // close what it opened there).
    virtual void close() {}
};
