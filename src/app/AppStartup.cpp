#include "AppStartup.h"

#include "DataFiles.h"
#include "DeviceSetup.h"
#include "Dialogs.h"
#include "EmulatorModel.h"
#include "SingleInstance.h"
#include "WindowFit.h"

#include <QApplication>
#include <QCoreApplication>
#include <QColor>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>
#include <QLoggingCategory>
#include <QTranslator>
#include <QWidget>

#include <algorithm>

#ifndef TINTWELL_VERSION
#define TINTWELL_VERSION "unknown"
#endif

Q_LOGGING_CATEGORY(lcStartup, "tintwell.app.startup")

bool handOverToRunningInstance(SingleInstance& guard, Dialogs& dialogs)
{
    if (!guard.isRunning()) {
        if (!guard.lockError().isEmpty()) {
            dialogs.warning(nullptr, QStringLiteral("Warn"),
                            QCoreApplication::translate("SingleInstance",
                                                        "Cannot lock %1: %2. Tintwell starts without "
                                                        "the check for a second copy.")
                                .arg(guard.lockFilePath(), guard.lockError()));
        }
        return false;
    }
    guard.sendMessage(QString::fromLatin1(kActivateMessage), 5000);
    // Shown as it stands: no catalogue is loaded yet.
    dialogs.information(nullptr, QStringLiteral("Warn"), QStringLiteral("Device already opened!"));
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

    // The desktop shows the icon of the installed entry tintwell.desktop.
    QGuiApplication::setDesktopFileName(QStringLiteral("tintwell"));
}

void showMaximisedMainWindow(QWidget& window)
{
    fitWindowToScreen(&window, window.size(), nullptr);
    window.setWindowState(Qt::WindowMaximized);
    window.show();
}

void applyWindowIcon(QApplication& app)
{
    app.setWindowIcon(QIcon(QStringLiteral(":/icons/tintwell.png")));
}

CommandLineInfo commandLineInfo(const QStringList& arguments)
{
    CommandLineInfo info;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            const QString models = emulatorModelNames().join(QStringLiteral(", "));
            info.handled = true;
            info.text =
                QStringLiteral(
                    "Usage: tintwell [--simulate [MODEL[:VERSION]]] [--lang zh|en]\n"
                    "\n"
                    "Tintwell, the desktop companion of handheld haze meters and colorimeters\n"
                    "attached over USB: measure, compare with a standard, read and change the\n"
                    "instrument's settings, import its records, export and print reports.\n"
                    "\n"
                    "Options:\n"
                    "  --simulate [MODEL[:VERSION]]  work with an emulated instrument instead of a\n"
                    "                                real one. MODEL: %1\n"
                    "                                (default %2). VERSION: its software version,\n"
                    "                                written 350 or 3.50.\n"
                    "  --lang zh|en                  the language the window starts in (zh)\n"
                    "  -h, --help                    show this help and exit\n"
                    "  -v, --version                 show the version and exit\n")
                    .arg(models, emulatorModelNames().value(0));
            return info;
        }
        if (arg == QLatin1String("--version") || arg == QLatin1String("-v")) {
            info.handled = true;
            info.text = QStringLiteral("Tintwell %1\n").arg(QLatin1String(TINTWELL_VERSION));
            return info;
        }
    }
    return info;
}

QString startOptionsRefusal(const QStringList& arguments)
{
    if (parseStartOptions(arguments).valid) {
        return QString();
    }
    // The window's catalogue is not in yet: the refusal loads it for itself.
    QTranslator translator;
    const QString catalogue =
        parseStartOptions(arguments).chinese ? QStringLiteral("Tintwell_zh") : QStringLiteral("Tintwell_en");
    const QStringList directories = catalogueDirectories();
    const bool loaded = std::any_of(directories.cbegin(), directories.cend(),
                                    [&](const QString& dir) { return translator.load(catalogue, dir); });
    if (loaded) {
        QCoreApplication::installTranslator(&translator);
    }
    const QString text = QStringLiteral("tintwell: %1\n%2\n")
                             .arg(parseStartOptions(arguments).error,
                                  QCoreApplication::translate("DeviceSetup", "Try \"tintwell --help\"."));
    if (loaded) {
        QCoreApplication::removeTranslator(&translator);
    }
    return text;
}

QStringList catalogueDirectories()
{
    return QStringList{QString()} + dataDirectories();
}

bool reportDataFiles()
{
    bool all = true;
    for (const char* name : {"Tintwell_en.qm", "Tintwell_zh.qm", "meterno"}) {
        const QString file = QString::fromLatin1(name);
        if (dataFileExists(file)) {
            qCInfo(lcStartup).noquote() << "data file:" << dataFilePath(file);
        } else {
            qCWarning(lcStartup).noquote() << file << "not found in" << dataDirectories().join(QStringLiteral(", "));
            all = false;
        }
    }
    return all;
}
