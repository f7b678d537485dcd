// Writes pictures of the library of standards for the documentation:
// standards_screenshots <folder>. Runs the window as `tintwell --simulate
// TX460` does, with a library of a few standards: a standard chosen with the
// picker, three samples measured with the page's scan button (within the
// limits, in the warning band, beyond), and the library window with a
// standard and its tolerance set (the window alone, as it opens on that
// screen); English and Chinese, on the screen's available area (run under a
// 1366 x 768 and a 1280 x 720 screen).
#include "AnsweringDialogs.h"
#include "AppStartup.h"
#include "DeviceSetup.h"
#include "EmulatedLinkFactory.h"
#include "FirstPageFor310.h"
#include "FirstPageForm.h"
#include "InstrumentEmulator.h"
#include "InstrumentPanel.h"
#include "MainWindow.h"
#include "MeasurementSequence.h"
#include "StandardLibrary.h"
#include "StandardPicker.h"
#include "StandardPickerPanel.h"
#include "StandardsWindow.h"
#include "VirtualInstrument.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>

void tintwellInitResources();

namespace {

void settle()
{
    for (int pass = 0; pass < 5; ++pass) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

void addStandard(StandardLibrary& library, const QString& name, const QString& code, double l, double a, double b,
                 double haze, double t, const QString& limits, double warn)
{
    Standard standard;
    standard.name = name;
    standard.code = code;
    standard.withLab(l, a, b);
    standard.values[ComparisonRecord::Haze] = haze;
    standard.values[ComparisonRecord::Transmittance] = t;
    standard.note = QStringLiteral("Agreed with the customer, 2026");
    LibraryToleranceSet set;
    set.limits = parseToleranceLimits(limits).limits;
    set.warnPercent = warn;
    library.add(standard, set);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        return 2;
    }
    AnsweringDialogs dialogs;
    tintwellInitResources();
    applyLookAndFeel(app);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir folder;
    StandardLibrary library(folder.filePath(QStringLiteral("standards.sqlite")));
    if (!library.open()) {
        return 1;
    }
    const QString limits = QStringLiteral("dE00<=1.0,dL=-0.8..0.8,db=-0.3..0.6,haze=-0.5..0.5,t=-1..1:info");
    addStandard(library, QStringLiteral("PET film clear 50"), QStringLiteral("6901234500017"), 52.10, 3.20, 14.80,
                1.25, 91.30, limits, 80);
    addStandard(library, QStringLiteral("PET film clear 75"), QStringLiteral("6901234500024"), 55.00, 2.10, 12.00,
                1.60, 90.10, limits, 80);
    addStandard(library, QStringLiteral("Cap red 1205"), QStringLiteral("RD1205"), 41.30, 55.20, 28.10, 0.0, 0.0,
                QStringLiteral("dE00<=1.0"), 75);
    addStandard(library, QStringLiteral("Cap blue 0310"), QStringLiteral("BL0310"), 32.00, 8.50, -41.70, 0.0, 0.0,
                QStringLiteral("dEcmc21<=1.2"), 0);

    const StartOptions options = parseStartOptions({QStringLiteral("tintwell"), QStringLiteral("--simulate"),
                                                    QStringLiteral("TX460")});
    DeviceSetup setup = createDeviceSetup(options);
    auto* emulated = dynamic_cast<EmulatedLinkFactory*>(setup.factory.get());
    if (!emulated) {
        return 1;
    }
    const std::shared_ptr<InstrumentEmulator> instrument = emulated->emulator();
    MainWindow window(std::move(setup.factory), setup.notifier, dialogs);
    window.setWindowTitle(QStringLiteral("Tintwell V2.0"));
    const QRect available = window.screen()->availableGeometry();
    const QString sized = QStringLiteral("-%1x%2").arg(available.width()).arg(available.height());
    window.setGeometry(available);
    window.show();
    QElapsedTimer waited;
    waited.start();
    while (!window.isLedOn() && waited.elapsed() < 3000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    FirstPageFor310* page = window.workspace();
    FirstPageForm& ui = page->form();
    StandardPickerPanel& standards = page->panel().standards();
    standards.setLibrary(&library);
    // A scanner's code and Enter.
    standards.searchEdit()->setText(QStringLiteral("6901234500017"));
    standards.submit();
    // Within every limit, in the warning band of dE00, beyond db.
    const EmulatorReading readings[] = {
        {52.30, 3.10, 14.95, 1.30, 91.20},
        {52.80, 3.25, 15.00, 1.40, 91.00},
        {52.00, 3.10, 15.70, 1.35, 91.10},
    };
    for (const EmulatorReading& reading : readings) {
        instrument->instrument().queueReading(reading);
        ui.pushButton_sampleMeasurement->click();
    }
    bool ok = true;
    for (const bool chinese : {false, true}) {
        chinese ? window.on_btnLanguageZh_clicked() : window.on_btnLanguageEn_clicked();
        settle();
        const char* lang = chinese ? "zh" : "en";
        ok &= window.screen()->grabWindow(0).save(out.filePath(QStringLiteral("standards-picker%1-%2.png").arg(sized, lang)));
        StandardsWindow* libraryWindow = standards.openLibrary();
        if (!libraryWindow) {
            return 1;
        }
        libraryWindow->showStandard(library.findByName(QStringLiteral("PET film clear 50"))->id);
        settle();
        ok &= libraryWindow->grab().save(out.filePath(QStringLiteral("standards-library%1-%2.png").arg(sized, lang)));
        libraryWindow->hide();
    }
    return ok ? 0 : 1;
}
