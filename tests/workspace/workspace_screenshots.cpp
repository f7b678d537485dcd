// Writes pictures of the workspace for the documentation:
// workspace_screenshots <folder>. Runs the window as `tintwell --simulate`
// does, for a current-layout and a legacy-layout instrument, puts a few
// comparisons in the table and grabs the window in English and in Chinese.
#include "AppStartup.h"
#include "ComparisonResult.h"
#include "DeviceSetup.h"
#include "FirstPageFor310.h"
#include "MainWindow.h"
#include "setEParameterPageFor470.h"
#include "AnsweringDialogs.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>

void tintwellInitResources();

namespace {

ComparisonResult haze(int n, double standardHaze, double sampleHaze, double standardT, double sampleT)
{
    ComparisonResult r;
    r.sequence = n;
    r.testName = QStringLiteral("Comp%1").arg(n);
    r.dateTime = QStringLiteral("2026/12/08  09:%1").arg(10 + n);
    r.standard[ComparisonResult::Haze] = standardHaze;
    r.standard[ComparisonResult::Transmittance] = standardT;
    r.sample[ComparisonResult::Haze] = sampleHaze;
    r.sample[ComparisonResult::Transmittance] = sampleT;
    r.hazeDifference = sampleHaze - standardHaze;
    r.transmittanceDifference = sampleT - standardT;
    r.pass = std::abs(r.hazeDifference) <= 0.5 && std::abs(r.transmittanceDifference) <= 1.0;
    r.hazeToleranceText = QStringLiteral("0.50");
    r.transmittanceToleranceText = QStringLiteral("1.00");
    r.deltaEThresholdText = QStringLiteral("1.0");
    r.modelName = QStringLiteral("TX310");
    r.serialNumber = QStringLiteral("20230001");
    return r;
}

ComparisonResult lab(int n, const std::array<double, 5>& standard, const std::array<double, 5>& sample, double deltaE)
{
    ComparisonResult r;
    r.sequence = n;
    r.testName = QStringLiteral("Comp%1").arg(n);
    r.dateTime = QStringLiteral("2026/12/08  10:%1").arg(10 + n);
    r.legacyStandard = standard;
    r.legacySample = sample;
    r.deltaE = deltaE;
    r.pass = deltaE <= 1.0;
    r.formulaText = QStringLiteral("\u25B3E*ab");
    r.thresholdText = QStringLiteral("1.0");
    r.modelName = QStringLiteral("TX420");
    r.serialNumber = QStringLiteral("20190042");
    return r;
}

bool shoot(const QString& model, const QDir& out, const QString& name)
{
    const StartOptions options = parseStartOptions({QStringLiteral("tintwell"), QStringLiteral("--simulate"), model});
    DeviceSetup setup = createDeviceSetup(options);
    MainWindow window(std::move(setup.factory), setup.notifier);
    window.setWindowTitle(QStringLiteral("Tintwell V2.0"));
    window.resize(1600, 900);
    window.show();
    QApplication::processEvents();
    // The window connects by itself shortly after it is shown.
    QElapsedTimer waited;
    waited.start();
    while (!window.isLedOn() && waited.elapsed() < 3000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    FirstPageFor310* page = window.workspace();
    if (page->isFirstGeneration()) {
        page->addComparisonRow_old(lab(1, {52.10, 3.20, 14.80, 15.14, 77.8}, {52.40, 3.05, 15.10, 15.40, 78.6}, 0.45));
        page->addComparisonRow_old(lab(2, {52.10, 3.20, 14.80, 15.14, 77.8}, {50.90, 4.10, 16.20, 16.71, 75.8}, 2.07));
        page->countComparison(true);
        page->countComparison(false);
    } else {
        const std::array<std::array<double, 4>, 3> rows = {{{1.25, 1.40, 91.30, 91.10},
                                                            {1.25, 2.05, 91.30, 90.80},
                                                            {1.25, 1.10, 91.30, 91.60}}};
        for (int i = 0; i < 3; ++i) {
            const ComparisonResult r = haze(i + 1, rows[i][0], rows[i][1], rows[i][2], rows[i][3]);
            page->countComparison(r.pass);
            page->addComparisonRow(r);
        }
    }
    bool ok = true;
    for (const bool chinese : {false, true}) {
        chinese ? window.on_btnLanguageZh_clicked() : window.on_btnLanguageEn_clicked();
        QApplication::processEvents();
        ok &= window.grab().save(out.filePath(QStringLiteral("%1-%2.png").arg(name, chinese ? "zh" : "en")));
        // The colour-difference parameter dialog of the colorimeters.
        if (page->layoutIndex == 1) {
            setEParameterPageFor470 dialog(page->softwareVersion, page->modelName, *page, chinese, page);
            dialog.show();
            QApplication::processEvents();
            ok &= dialog.grab().save(
                out.filePath(QStringLiteral("%1-deltae-%2.png").arg(name, chinese ? "zh" : "en")));
        }
    }
    return ok;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        return 2;
    }
    AnsweringDialogs dialogs; // the settings read on connection says "read successful"
    tintwellInitResources();
    applyLookAndFeel(app);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool ok = shoot(QStringLiteral("TX310"), out, QStringLiteral("workspace-current"));
    ok &= shoot(QStringLiteral("TX420:2.99"), out, QStringLiteral("workspace-legacy"));
    return ok ? 0 : 1;
}
