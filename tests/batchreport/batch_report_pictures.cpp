// Batch reports for docs/screenshots (scripts/screenshots, then pdftoppm):
// a colour batch and a haze batch, in English and in Chinese. Not a test.

#include "BatchCases.h"
#include "BatchReport.h"

#include <QDir>
#include <QGuiApplication>
#include <QTranslator>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QDir dir(app.arguments().value(1, QStringLiteral(".")));
    QList<double> haze;
    for (int i = 0; i < 24; ++i) {
        haze << 27.0 + 0.65 * i; // through 30 and 40
    }
    for (const QString& language : {QStringLiteral("en"), QStringLiteral("zh")}) {
        QTranslator translator;
        if (language == QLatin1String("zh")) {
            if (!translator.load(QStringLiteral("Tintwell_zh"), QCoreApplication::applicationDirPath())) {
                std::printf("no Chinese catalogue beside the program\n");
                return 1;
            }
            QCoreApplication::installTranslator(&translator);
        }
        for (const bool colour : {true, false}) {
            BatchReportInput input;
            input.records = colour ? batchcases::colourBatch(120, 2) : batchcases::hazeBatch(haze);
            input.company = language == QLatin1String("zh") ? QStringLiteral("华东塑料检测中心") : QStringLiteral("Eastbank Plastics QC");
            input.tester = language == QLatin1String("zh") ? QStringLiteral("李文") : QStringLiteral("Wen Li");
            input.auditor = language == QLatin1String("zh") ? QStringLiteral("王芳") : QStringLiteral("Fang Wang");
            input.firmware = QStringLiteral("4.10");
            const QString path =
                dir.filePath(QStringLiteral("batch-%1-%2.pdf").arg(colour ? QStringLiteral("lab") : QStringLiteral("haze"), language));
            if (!writeBatchReportPdf(buildBatchReport(input, QDateTime::currentDateTime()), path)) {
                std::printf("cannot write %s\n", qPrintable(path));
                return 1;
            }
            std::printf("%s\n", qPrintable(path));
        }
        QCoreApplication::removeTranslator(&translator);
    }
    return 0;
}
