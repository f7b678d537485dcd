#include "FileFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace FileFolders {

namespace {

QString key(Kind kind)
{
    switch (kind) {
    case Kind::Exports: return QStringLiteral("folders/exports");
    case Kind::Reports: return QStringLiteral("folders/reports");
    case Kind::Standards: return QStringLiteral("folders/standards");
    }
    return QStringLiteral("folders/exports");
}

QSettings userSettings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tintwell"), QStringLiteral("Tintwell"));
}

} // namespace

QString startFolder(Kind kind)
{
    const QString remembered = userSettings().value(key(kind)).toString();
    if (!remembered.isEmpty() && QFileInfo(remembered).isDir()) {
        return remembered;
    }
    return QDir::homePath();
}

QString startPath(Kind kind, const QString& fileName)
{
    return QDir(startFolder(kind)).filePath(fileName);
}

void remember(Kind kind, const QString& path)
{
    if (path.isEmpty()) {
        return;
    }
    QSettings settings = userSettings();
    settings.setValue(key(kind), QFileInfo(path).absolutePath());
}

} // namespace FileFolders
