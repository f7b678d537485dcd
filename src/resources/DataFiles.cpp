#include "DataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QStringList dataDirectories()
{
    const QDir beside(QCoreApplication::applicationDirPath());
    return {beside.absolutePath(),
            QDir::cleanPath(beside.absoluteFilePath(QStringLiteral("../share/tintwell")))};
}

QString dataFilePath(const QString& name)
{
    const QStringList directories = dataDirectories();
    for (const QString& directory : directories) {
        const QString candidate = QDir(directory).filePath(name);
        if (QFileInfo(candidate).isFile()) {
            return candidate;
        }
    }
    return QDir(directories.constFirst()).filePath(name);
}

bool dataFileExists(const QString& name)
{
    return QFileInfo(dataFilePath(name)).isFile();
}
