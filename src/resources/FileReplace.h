#pragma once
// Replacing a file without ever leaving it half written: the new contents go
// to a temporary file in the target's folder, are synced to the disk, and are
// renamed over the target in one step. Whatever follows a written file (the
// table cleared after an export) may then rely on it.

#include <QString>

// Flushes the contents of the file at path to the disk. False when it cannot.
bool syncFileToDisk(const QString& path);

// Syncs staging, renames it over target and syncs the folder, so the new file
// outlives a power cut once this returns true. False, with *error, when a
// step fails; staging is then left for the caller to remove.
bool replaceFileWith(const QString& staging, const QString& target, QString* error);

// Whether a new file may be created in folder: it exists and is writable, and
// it is not marked read-only by its owner (a process with every right would
// otherwise write into a folder its owner protected).
bool isWritableFolder(const QString& folder);
