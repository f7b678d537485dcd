// Writes pictures of the statistics window for the documentation:
// statistics_screenshots <folder>. About 200 comparisons with a drift in the
// last part, control limits frozen from the first 60 samples, for a haze
// meter (Haze/T) and a colorimeter (Lab, CIEDE2000), in English and Chinese.
// Run offscreen by scripts/screenshots.
#include "AppStartup.h"
#include "ComparisonRecordList.h"
#include "StatisticsCases.h"
#include "StatisticsWindow.h"

#include <QApplication>
#include <QDir>
#include <QTranslator>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        return 2;
    }
    applyLookAndFeel(app);
    const QDir out(QString::fromLocal8Bit(argv[1]));
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
            window.resize(1500, 940);
            window.show();
            QApplication::processEvents();
            ChartChoice choice;
            choice.quantity = mode == 3 ? StatQuantity::DeltaE : StatQuantity::Haze;
            choice.baseline = ChartChoice::FirstRows;
            choice.count = 60;
            window.setChoice(choice);
            QApplication::processEvents();
            const QString file = QStringLiteral("statistics-%1-%2.png").arg(mode == 3 ? "lab" : "hazet", lang);
            ok &= window.grab().save(out.filePath(file));
        }
        QCoreApplication::removeTranslator(&translator);
    }
    return ok ? 0 : 1;
}
