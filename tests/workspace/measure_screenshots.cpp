// Writes pictures of finished comparisons for the documentation:
// measure_screenshots <folder>. Runs the window as `tintwell --simulate` does,
// measures a standard and two samples with the page's own scan buttons (one
// within tolerance, one not) in the current and the legacy layout, and grabs
// the window (and the colorimeter's colour-difference parameter dialog) in
// English and in Chinese. With --as-opened the window takes the screen's
// available area, as the maximised window of `tintwell` does, a colorimeter
// of the current layout (TX460) joins, and each picture is of the whole screen
// (the dialog over the window), its name carrying the screen's size
// (comparison-legacy-1366x768-zh.png).
#include "AnsweringDialogs.h"
#include "AppStartup.h"
#include "DeviceSetup.h"
#include "EmulatedLinkFactory.h"
#include "FirstPageFor310.h"
#include "InstrumentPanel.h"
#include "FirstPageForm.h"
#include "InstrumentEmulator.h"
#include "MainWindow.h"
#include "MeasurementSequence.h"
#include "VirtualInstrument.h"
#include "setEParameterPageFor470.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QScreen>

void tintwellInitResources();

namespace {

void settle()
{
    // New texts resize their buttons through layout requests that travel up
    // one parent per pass: let them all arrive before the picture.
    for (int pass = 0; pass < 5; ++pass) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

// The window, or with asOpened the whole screen it is shown on.
QPixmap picture(QWidget& window, bool asOpened)
{
    return asOpened ? window.screen()->grabWindow(0) : window.grab();
}

bool shoot(const QString& model, const QDir& out, const QString& name, Dialogs& dialogs, bool narrow, bool asOpened)
{
    const StartOptions options = parseStartOptions({QStringLiteral("tintwell"), QStringLiteral("--simulate"), model});
    DeviceSetup setup = createDeviceSetup(options);
    auto* emulated = dynamic_cast<EmulatedLinkFactory*>(setup.factory.get());
    if (!emulated) {
        return false;
    }
    const std::shared_ptr<InstrumentEmulator> instrument = emulated->emulator();
    MainWindow window(std::move(setup.factory), setup.notifier, dialogs);
    window.setWindowTitle(QStringLiteral("Tintwell V2.0"));
    const QRect available = window.screen()->availableGeometry();
    const QString sized = asOpened ? QStringLiteral("-%1x%2").arg(available.width()).arg(available.height()) : QString();
    if (asOpened) {
        window.setGeometry(available);
    } else {
        window.resize(1600, 900);
    }
    window.show();
    QElapsedTimer waited;
    waited.start();
    while (!window.isLedOn() && waited.elapsed() < 3000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    FirstPageFor310* page = window.workspace();
    FirstPageForm& ui = page->form();
    // The factory settings, in case the settings read has not filled them.
    if (page->state().hazeTolerance < 0) {
        page->state().hazeTolerance = 0.5;
        page->state().transmittanceTolerance = 1.0;
    }
    if (page->state().deltaEThreshold < 0) {
        page->state().deltaEThreshold = 1.0;
    }
    const bool legacy = page->state().isFirstGeneration();
    // A standard, a sample within every tolerance, then one that is not.
    const EmulatorReading readings[] = {
        {52.10, 3.20, 14.80, 1.25, 91.30},
        {52.40, 3.05, 15.10, 1.40, 91.10},
        {50.90, 4.10, 16.20, 2.05, 89.80},
    };
    for (const EmulatorReading& reading : readings) {
        instrument->instrument().queueReading(reading);
    }
    (legacy ? ui.stdmeasurementBtn : ui.pushButton_standardMeasurement)->click();
    for (int sample = 0; sample < 2; ++sample) {
        (legacy ? ui.samplemeasurementBtn : ui.pushButton_sampleMeasurement)->click();
    }
    bool ok = true;
    for (const bool chinese : {false, true}) {
        chinese ? window.on_btnLanguageZh_clicked() : window.on_btnLanguageEn_clicked();
        settle();
        const char* lang = chinese ? "zh" : "en";
        ok &= picture(window, asOpened).save(out.filePath(QStringLiteral("%1%2-%3.png").arg(name, sized, lang)));
        if (narrow && !asOpened) {
            // A window narrower than the screen, as on a bench PC's half screen.
            window.resize(1100, 720);
            for (int pass = 0; pass < 5; ++pass) {
                QApplication::processEvents(QEventLoop::AllEvents, 20);
            }
            ok &= window.grab().save(
                out.filePath(QStringLiteral("%1-narrow-%2.png").arg(name, chinese ? "zh" : "en")));
            window.resize(1600, 900);
        }
        // The colour-difference parameter dialog of the colorimeters.
        if (page->state().layoutIndex == 1) {
            setEParameterPageFor470 dialog(page->state().softwareVersion, page->state().modelName, page->panel().link(),
                                           page->panel().dialogs(), chinese, page);
            dialog.show();
            settle();
            ok &= (asOpened ? picture(window, true) : dialog.grab())
                      .save(out.filePath(QStringLiteral("%1-deltae%2-%3.png").arg(name, sized, lang)));
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
    const bool asOpened = argc > 2 && qstrcmp(argv[2], "--as-opened") == 0;
    bool ok = shoot(QStringLiteral("TX310"), out, QStringLiteral("comparison-current"), dialogs, true, asOpened);
    if (asOpened) {
        ok &= shoot(QStringLiteral("TX460"), out, QStringLiteral("comparison-colorimeter"), dialogs, false, true);
    }
    ok &= shoot(QStringLiteral("TX420:2.99"), out, QStringLiteral("comparison-legacy"), dialogs, false, asOpened);
    return ok ? 0 : 1;
}
