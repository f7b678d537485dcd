#include "Dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QtGlobal>

void Dialogs::information(QWidget* parent, const QString& title, const QString& text)
{
    message(parent, MessageIcon::Information, title, text, int(DialogButton::Ok));
}

void Dialogs::warning(QWidget* parent, const QString& title, const QString& text)
{
    message(parent, MessageIcon::Warning, title, text, int(DialogButton::Ok));
}

void Dialogs::critical(QWidget* parent, const QString& title, const QString& text)
{
    message(parent, MessageIcon::Critical, title, text, int(DialogButton::Ok));
}

bool Dialogs::question(QWidget* parent, const QString& title, const QString& text)
{
    const int buttons = int(DialogButton::Yes) | int(DialogButton::No);
    return message(parent, MessageIcon::Question, title, text, buttons) == DialogButton::Yes;
}

QString Dialogs::saveFileNameWithSuffix(QWidget* parent, const QString& caption, const QString& dir,
                                        const QString& filter, const QString&)
{
    return saveFileName(parent, caption, dir, filter);
}

QString Dialogs::saveFile(QWidget* parent, const QString& caption, const QString& dir, const QString& filter,
                          const QString& suffix)
{
    const QString chosen = saveFileNameWithSuffix(parent, caption, dir, filter, suffix);
    if (chosen.isEmpty() || !QFileInfo(chosen).suffix().isEmpty()) {
        return chosen; // the name the dialog checked is the name written
    }
    const QString path = chosen + QLatin1Char('.') + suffix;
    if (QFileInfo::exists(path)
        && !question(parent, QCoreApplication::translate("Dialogs", "Replace file"),
                     QCoreApplication::translate("Dialogs", "%1 already exists.\nDo you want to replace it?")
                         .arg(QDir::toNativeSeparators(path)))) {
        return QString();
    }
    return path;
}

bool Dialogs::printSetup(QWidget*, QPrinter&)
{
    return false;
}
