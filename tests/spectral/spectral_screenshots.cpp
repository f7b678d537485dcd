// Writes pictures of the spectral dialog for the documentation:
// spectral_screenshots <folder>. Several curves measured from the emulated
// instrument and added by name, for a transmittance (TX310) and a
// reflectance (TX420) instrument, in English and Chinese. Run offscreen by
// scripts/screenshots. With --as-opened the dialog keeps the size it opens
// with on the screen, and the names carry the screen's size
// (spectral-tx310-1366x768-en.png).
#include "AppStartup.h"
#include "EmulatedAccess.h"
#include "MeterPageFor310.h"
#include "QtDialogs.h"
#include "SpectralCases.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTranslator>

void tintwellInitResources();

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        return 2;
    }
    // The look a user sees: the application's style sheet from its resources.
    tintwellInitResources();
    applyLookAndFeel(app);
    QtDialogs qtDialogs;
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const bool asOpened = argc > 2 && qstrcmp(argv[2], "--as-opened") == 0;
    const QSize screen = QGuiApplication::primaryScreen()->size();
    const QString sized = asOpened ? QStringLiteral("-%1x%2").arg(screen.width()).arg(screen.height()) : QString();
    bool ok = true;
    for (const QString& lang : {QStringLiteral("en"), QStringLiteral("zh")}) {
        QTranslator translator;
        ok &= translator.load(QStringLiteral("Tintwell_") + lang, QCoreApplication::applicationDirPath());
        QCoreApplication::installTranslator(&translator);
        const bool chinese = lang == QLatin1String("zh");
        struct Instrument
        {
            const char* model;
            int layout;
            double level;
        };
        for (const Instrument& instrument : {Instrument{"TX310", 0, 88.0}, Instrument{"TX420", 1, 45.0}}) {
            EmulatedAccess access(QString::fromLatin1(instrument.model));
            MeterPageFor310 page(access, qtDialogs, {instrument.layout, QString::fromLatin1(instrument.model), chinese});
            // Two measurements: the instrument's own curve, then one queued.
            auto* measure = page.findChild<QPushButton*>(QStringLiteral("pushButton_spectralMeasurement"));
            measure->click();
            access.instrument().queueSpectrum(spectralcases::asList(spectralcases::smooth(9, instrument.level * 0.8)));
            measure->click();
            const QStringList names = chinese ? QStringList{QStringLiteral("样品-红"), QStringLiteral("样品-蓝"),
                                                            QString(), QStringLiteral("滤光片")}
                                              : QStringList{"Sample red", "Sample blue", QString(), "Filter"};
            for (int i = 0; i < names.size(); ++i) {
                page.appendRecord(spectralcases::smooth(i, instrument.level - 6.0 * i), names.at(i));
            }
            if (!asOpened) {
                page.resize(1400, 860);
            }
            page.show();
            QApplication::processEvents();
            const QString file = QStringLiteral("spectral-%1%2-%3.png")
                                     .arg(QString::fromLatin1(instrument.model).toLower(), sized, lang);
            ok &= page.grab().save(out.filePath(file));
        }
        QCoreApplication::removeTranslator(&translator);
    }
    return ok ? 0 : 1;
}
