// Writes pictures of the report dialogs and the saved PDFs for the
// documentation: report_screenshots <folder>. Run offscreen by scripts/screenshots.
// With --as-opened only the preview, at the size it opens with on the screen,
// its name carrying the screen's size (report-preview-1366x768-en.png).
#include "AppStartup.h"
#include "InformationPageFor310.h"
#include "ReportCases.h"
#include "ReportPageFor310.h"
#include "ReportPageFor420.h"
#include "ReportPdf.h"
#include "QtDialogs.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QTranslator>

void tintwellInitResources();

namespace {

bool save(QWidget* widget, const QString& path)
{
    QApplication::processEvents();
    return widget->grab().save(path);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        return 2;
    }
    // The look a user sees: the application's style sheet from its resources.
    tintwellInitResources();
    applyLookAndFeel(app);
    QtDialogs dialogs; // printing and saving are not clicked
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const bool asOpened = argc > 2 && qstrcmp(argv[2], "--as-opened") == 0;
    const QSize screen = QGuiApplication::primaryScreen()->size();
    bool ok = true;
    for (const QString& lang : {QStringLiteral("en"), QStringLiteral("zh")}) {
        QTranslator translator;
        ok &= translator.load(QStringLiteral("Tintwell_") + lang, QCoreApplication::applicationDirPath());
        QCoreApplication::installTranslator(&translator);
        const bool chinese = lang == QLatin1String("zh");

        ReportSnapshot s = reportcases::labComparison(chinese ? reportcases::Lab : reportcases::HazeTLab);
        s.company = chinese ? QStringLiteral("华东光学检测中心") : QStringLiteral("R&D Optics Lab <North>");
        s.tester = chinese ? QStringLiteral("李明") : QStringLiteral("Li Ming");
        s.auditor = chinese ? QStringLiteral("王芳") : QStringLiteral("Wang Fang");
        s.verdict = chinese ? QStringLiteral("合格") : QStringLiteral("PASS");
        s.modelName = chinese ? QStringLiteral("TX420") : QStringLiteral("TX310");

        // English: the current layout; Chinese: the legacy colorimeter's Chinese report.
        ReportPage* page = chinese ? static_cast<ReportPage*>(new ReportPageFor420(s, true, dialogs, nullptr))
                                   : new ReportPageFor310(s, 1, dialogs, nullptr);
        if (asOpened) {
            page->show();
            ok &= save(page, out.filePath(QStringLiteral("report-preview-%1x%2-%3.png")
                                              .arg(screen.width())
                                              .arg(screen.height())
                                              .arg(lang)));
            delete page;
            QCoreApplication::removeTranslator(&translator);
            continue;
        }
        page->resize(700, 980);
        page->show();
        ok &= save(page, out.filePath(QStringLiteral("report-preview-%1.png").arg(lang)));

        page->findChild<QPushButton*>(QStringLiteral("Informationbtn"))->click();
        const auto information = page->findChildren<QDialog*>();
        if (!information.isEmpty()) {
            ok &= save(information.last(), out.filePath(QStringLiteral("report-information-%1.png").arg(lang)));
        }

        ok &= writeReportPdf(*page->browser()->document(),
                             out.filePath(QStringLiteral("report-%1.pdf").arg(lang)), QStringLiteral("Report"));
        delete page;
        QCoreApplication::removeTranslator(&translator);
    }
    return ok ? 0 : 1;
}
