#include "AppStartup.h"

#include "Dialogs.h"
#include "SingleInstance.h"

#include <QApplication>
#include <QCoreApplication>
#include <QColor>
#include <QFile>
#include <QFont>
#include <QFontDatabase>

bool handOverToRunningInstance(SingleInstance& guard)
{
    if (!guard.isRunning()) {
        if (!guard.lockError().isEmpty()) {
            dialogs().warning(nullptr, QStringLiteral("Warn"),
                              QCoreApplication::translate("SingleInstance",
                                                          "Cannot lock %1: %2. Tintwell starts without "
                                                          "the check for a second copy.")
                                  .arg(guard.lockFilePath(), guard.lockError()));
        }
        return false;
    }
    guard.sendMessage(QString::fromLatin1(kActivateMessage), 5000);
    // Shown as it stands: no catalogue is loaded yet.
    dialogs().information(nullptr, QStringLiteral("Warn"), QStringLiteral("Device already opened!"));
    return true;
}

QPalette paletteFromStyleSheet(const QString& sheet)
{
    return QPalette(QColor(sheet.mid(20, 7)));
}

void applyLookAndFeel(QApplication& app)
{
    QFile file(QStringLiteral(":/qss/psblue.css"));
    if (file.open(QFile::ReadOnly)) {
        const QString sheet = QString::fromLatin1(file.readAll());
        app.setPalette(paletteFromStyleSheet(sheet));
        app.setStyleSheet(sheet);
        file.close();
    }

    // "Microsoft Yahei" is rarely installed here: substitute a CJK family
    // that is, so Chinese texts render instead of empty boxes.
    const QString family = QStringLiteral("Microsoft Yahei");
    const QStringList installed = QFontDatabase::families();
    QStringList substitutes;
    for (const char* candidate : {"Noto Sans CJK SC", "Source Han Sans SC", "WenQuanYi Micro Hei",
                                  "WenQuanYi Zen Hei", "AR PL UMing CN", "Droid Sans Fallback"}) {
        if (installed.contains(QString::fromLatin1(candidate), Qt::CaseInsensitive)) {
            substitutes << QString::fromLatin1(candidate);
        }
    }
    if (!substitutes.isEmpty()) {
        QFont::insertSubstitutions(family, substitutes);
    }
    app.setFont(QFont(family, 12));
}
