// Writes pictures of the statistics window for the documentation:
// statistics_screenshots <folder>. About 200 comparisons with a drift in the
// last part, control limits frozen from the first 60 samples, for a haze
// meter (Haze/T) and a colorimeter (Lab, CIEDE2000), in English and Chinese.
// Run offscreen by scripts/screenshots. With --as-opened the window keeps the
// size it opens with on the screen, and the names carry the screen's size
// (statistics-lab-1366x768-en.png).
#include "AppStartup.h"
#include "ComparisonRecordList.h"
#include "StatisticsCases.h"
#include "StatisticsWindow.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
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
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const bool asOpened = argc > 2 && qstrcmp(argv[2], "--as-opened") == 0;
    const QSize screen = QGuiApplication::primaryScreen()->size();
    const QString sized = asOpened ? QStringLiteral("-%1x%2").arg(screen.width()).arg(screen.height()) : QString();
    bool ok = true;
    for (const QString& lang : {QStringLiteral("en"), QStringLiteral("zh")}) {
        QTranslator translator;
        ok &= translator.load(QStringLiteral("Tintwell_") + lang, QCoreApplication::applicationDirPath());
        QCoreApplication::installTranslator(&translator);
        for (const int mode : {0, 3}) {
            ComparisonRecordList list;
            list.append(statisticscases::driftingRecords(mode, 200, mode == 3));
            StatisticsWindow window;
            window.setRecordList(&list);
            if (!asOpened) {
                window.resize(1500, 940);
            }
            window.show();
            QApplication::processEvents();
            ChartChoice choice;
            choice.quantity = mode == 3 ? StatQuantity::DeltaE : StatQuantity::Haze;
            choice.baseline = ChartChoice::FirstRows;
            choice.count = 60;
            window.setChoice(choice);
            // A chart hidden or shown resizes the others through layout
            // requests, and their scene is built again after: let all arrive.
            for (int pass = 0; pass < 5; ++pass) {
                QApplication::processEvents(QEventLoop::AllEvents, 20);
            }
            const QString file = QStringLiteral("statistics-%1%2-%3.png").arg(mode == 3 ? "lab" : "hazet", sized, lang);
            ok &= window.grab().save(out.filePath(file));
        }
        QCoreApplication::removeTranslator(&translator);
    }
    return ok ? 0 : 1;
}
