#pragma once
// The library of standards and tolerance sets in an SQLite file (by default
// standards.sqlite next to the journal). Every edit of a standard or a set
// writes a new version; old versions stay readable, so a record judged with
// version 3 can always show what version 3 was. The current standards are
// held in memory for searching as the operator types.
//
// A station with a station database works read-only from its copy: writes
// refuse (errorText says why) and only the station sync fills the copy
// (replaceFromServer, upsertFromServer). No widgets: the workspace, the
// library window, the command line and the station sync share it.

#include "Standard.h"
#include "ToleranceSet.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

struct ComparisonSettings;

class StandardLibrary
{
public:
    enum class Access { ReadWrite, ReadOnly };

    // path: the database file; empty means defaultPath().
    explicit StandardLibrary(const QString& path = QString(), Access access = Access::ReadWrite);
    ~StandardLibrary();
    StandardLibrary(const StandardLibrary&) = delete;
    StandardLibrary& operator=(const StandardLibrary&) = delete;

    // standards.sqlite in the folder of the journal (RecordJournal::defaultPath).
    static QString defaultPath();

    // Creates the folder and the schema as needed and loads the current
    // standards. false when the file cannot be used (errorText names it).
    bool open();
    bool isOpen() const { return m_open; }
    QString fileName() const { return m_path; }
    bool isReadOnly() const { return m_access == Access::ReadOnly; }
    void setReadOnly(bool readOnly) { m_access = readOnly ? Access::ReadOnly : Access::ReadWrite; }
    // Reads the current standards and sets again: after another connection
    // (the station sync on its own thread, another process) changed the file.
    bool reload();
    // The last failure, translated ("A standard named \"X\" exists already").
    QString errorText() const { return m_error; }

    // --- reading (current versions unless said otherwise) ---
    int count() const { return int(m_current.size()); }
    // Sorted by name, case-insensitive.
    QList<Standard> standards() const;
    std::optional<Standard> standard(const QUuid& id) const;
    std::optional<Standard> standardVersion(const QUuid& id, qint64 version) const;
    // Every version of a standard, the oldest first (a removed one's too).
    QList<Standard> versions(const QUuid& id) const;
    // Case-insensitive exact name.
    std::optional<Standard> findByName(const QString& name) const;
    // Exact code (a barcode scanner types it); empty finds nothing.
    std::optional<Standard> findByCode(const QString& code) const;
    // As the operator types: names and codes beginning with text first (by
    // name), then those containing it; case-insensitive; at most limit. An
    // empty text gives the first standards by name.
    QList<Standard> search(const QString& text, int limit = 50) const;

    std::optional<LibraryToleranceSet> toleranceSet(const QUuid& id) const;
    std::optional<LibraryToleranceSet> toleranceSetVersion(const QUuid& id, qint64 version) const;
    // The named sets that several standards may share, sorted by name.
    QList<LibraryToleranceSet> sharedSets() const;
    std::optional<LibraryToleranceSet> findSharedSet(const QString& name) const;
    // The set judging against the standard now; an empty set if it has none.
    LibraryToleranceSet setOf(const Standard& standard) const;
    // What a record judged against the standard now carries.
    LibraryJudgement judgementFor(const Standard& standard) const;

    // --- writing (refused in read-only mode) ---
    // Adds a standard (its id made here, version 1); names and codes are
    // unique (a barcode finds one standard). ownSet, if it has limits
    // or a band, becomes the standard's own set; otherwise the standard keeps
    // the toleranceSetId it names (a shared set, or none). The stored standard,
    // or nothing with errorText.
    std::optional<Standard> add(Standard standard, const std::optional<LibraryToleranceSet>& ownSet = std::nullopt);
    // Writes the next version of the standard standard.id (its other fields
    // as given). ownSet: writes the next version of its own set (made if it
    // had none) and names it. Refused for a removed or unknown standard, or a
    // name another standard has.
    std::optional<Standard> edit(Standard standard, const std::optional<LibraryToleranceSet>& ownSet = std::nullopt);
    // Takes the standard out of the library; its versions stay readable.
    bool remove(const QUuid& id);
    // Adds or edits a shared set (name required, unique case-insensitive):
    // a new id or the next version.
    std::optional<LibraryToleranceSet> saveSharedSet(LibraryToleranceSet set);

    // --- the station sync (allowed in read-only mode) ---
    // Replaces the whole library by the server's: the standards' current
    // versions and the sets they name, as the server numbered them.
    bool replaceFromServer(const QList<Standard>& standards, const QList<LibraryToleranceSet>& sets);
    // Takes the server's newer versions in (older or equal ones are ignored)
    // and removes the standards named removed.
    bool upsertFromServer(const QList<Standard>& standards, const QList<LibraryToleranceSet>& sets,
                          const QList<QUuid>& removed = {});

private:
    struct Entry
    {
        Standard standard;
        QString nameKey; // lower case
        QString codeKey; // lower case
    };

    bool writable();
    bool fail(const QString& text);
    bool writeStandard(const Standard& standard, bool current);
    bool writeSet(const LibraryToleranceSet& set);
    bool load();
    // Trims the name and code and checks them: a problem, a name or a code
    // another standard (not except) has; false with errorText() set.
    bool acceptable(Standard& standard, const QUuid& except);
    bool nameTaken(const QString& name, const QUuid& except) const;
    // The name of another standard with this code; empty if none.
    QString codeTakenBy(const QString& code, const QUuid& except) const;
    QString connectionName() const { return m_connection; }

    QString m_path;
    QString m_connection;
    Access m_access;
    bool m_open = false;
    QString m_error;
    // Current standards, sorted by nameKey.
    QList<Entry> m_current;
    QHash<QUuid, int> m_byId;
    QHash<QString, int> m_byCode; // exact code
    QHash<QUuid, LibraryToleranceSet> m_sets; // current versions
    void reindex();
};

// The operator's "judge again with the current version": the record's
// standard values and set become those of the current version of the library
// standard it was judged against, and it is judged again under settings (the
// sample, the record's id and bookkeeping stay). false, and the record left as
// it was, when that standard is no longer in the library or the record names
// none; changed tells whether anything the record shows changed.
bool judgeWithCurrentVersion(ComparisonRecord& record, const ComparisonSettings& settings,
                             const StandardLibrary& library, bool* changed = nullptr);
