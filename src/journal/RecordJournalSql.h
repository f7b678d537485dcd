#pragma once

// Shared by the files implementing RecordJournal; not part of its interface.

#include <QByteArray>
#include <QUuid>

namespace RecordJournalSql {

// The outbox: versions the server has neither acknowledged nor refused. A
// refused record goes again once it is changed (a newer version).
inline constexpr const char* kWaiting = "acked < version AND refused < version";

inline QByteArray idBytes(const QUuid& id)
{
    return id.toRfc4122();
}

} // namespace RecordJournalSql
