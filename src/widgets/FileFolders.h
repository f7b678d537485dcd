#pragma once
// Where a file dialog starts: the folder last used for that kind of file,
// else the home folder; never the program's folder (read-only once
// installed, and the working folder of a program started from the menu).
// Remembered in the user's settings, one folder per kind. QtCore only.

#include <QString>

namespace FileFolders {

enum class Kind { Exports, Reports, Standards };

// The folder a dialog for this kind starts in: the last one remembered that
// still exists, else the home folder.
QString startFolder(Kind kind);
// The start of a save dialog: fileName in startFolder(kind).
QString startPath(Kind kind, const QString& fileName);
// The operator chose path (a file): its folder is where the next dialog of
// this kind starts. An empty path (cancelled) changes nothing.
void remember(Kind kind, const QString& path);

} // namespace FileFolders
