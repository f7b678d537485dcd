#pragma once
// The library of standards in the station database: read whole or as what
// changed since a revision (the station's copy), and written as new
// versions by managers and editors (the server refuses a station's role).
// The server numbers the versions: a version written must be the next one,
// so two editors changing one standard at once cannot overwrite each other.

#include "PgConnection.h"
#include "Standard.h"
#include "ToleranceSet.h"

#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

// The current versions of the library, or what changed since a revision.
struct ServerLibraryCopy
{
    QList<Standard> standards;  // current versions, not removed
    QList<LibraryToleranceSet> sets;   // current versions
    QList<QUuid> removed;       // standards removed since (a change only)
    qint64 revision = 0;        // the newest revision the copy holds
    bool whole = true;          // the whole library, not a change
};

// What to write in one transaction: sets first, then the standards naming
// them. Each carries the version it becomes (the server's newest + 1);
// removed standards are written as a last version marked removed.
struct ServerLibraryChange
{
    QList<LibraryToleranceSet> sets;
    QList<Standard> standards;
    QList<Standard> removed;
    bool isEmpty() const { return sets.isEmpty() && standards.isEmpty() && removed.isEmpty(); }
};

namespace ServerLibrary {

// The channel a change of the library is told on; the payload is the new
// revision.
inline constexpr const char* kChannel = "tintwell_standards";

// since 0: the whole library; otherwise what changed after that revision.
// Read in one snapshot, so the copy is consistent.
bool read(PgConnection& connection, qint64 since, ServerLibraryCopy* copy, QString* error);
// Every version of one standard, the oldest first.
bool versions(PgConnection& connection, const QUuid& id, QList<Standard>* out, QString* error);
// Of ids, those the server has any version of (a standard removed there
// included).
bool knownIds(PgConnection& connection, const QList<QUuid>& ids, QList<QUuid>* known, QString* error);
// The role logged in may write the library (a manager or an editor).
bool mayEdit(PgConnection& connection);
// Writes the change in one transaction. A station's role is refused; so is
// a version someone else wrote first, or a name another standard has.
bool write(PgConnection& connection, const ServerLibraryChange& change, QString* error);

// The message of a refused edit at a station, naming who may edit.
QString editRefusal(const StationConfig& config);

} // namespace ServerLibrary
