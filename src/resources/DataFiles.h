#pragma once
#include <QString>
#include <QStringList>

// Where the program's data files (translation catalogues, the model table
// "meterno", the spreadsheet template) are looked for, in order: beside the
// executable (the build tree, the tests, a copied folder), then
// ../share/tintwell relative to it (an installed copy, e.g. /usr/bin and
// /usr/share/tintwell). Both are absolute paths.
QStringList dataDirectories();

// The first existing file `name` in dataDirectories(); when none exists, the
// path beside the executable, so a message about it names the usual place.
QString dataFilePath(const QString& name);

// Whether dataFilePath(name) names a file that exists.
bool dataFileExists(const QString& name);
