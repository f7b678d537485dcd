#include "AppInit.h"
#include "AppStartup.h"
#include "RecordJournal.h"
#include "FirstPageFor310.h"
#include "DeviceSetup.h"
#include "FontConfigWarmUp.h"
#include "MainWindow.h"
#include "QtDialogs.h"
#include "SimulatorControls.h"
#include "SingleInstance.h"
#include "StartupTrace.h"

#include <QApplication>
#include <QLoggingCategory>

#include <cstdio>

void tintwellInitResources();

int main(int argc, char* argv[])
{
    startupTrace::begin();
    // --help and --version answer before anything else: no display, no
    // window, no single-instance lock.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const CommandLineInfo info = commandLineInfo(arguments);
    if (info.handled) {
        std::fputs(info.text.toLocal8Bit().constData(), stdout);
        return info.exitCode;
    }

    // Fontconfig reads its configuration while QApplication connects to the display.
    FontConfigWarmUp fontConfig;
    QApplication app(argc, argv);
    startupTrace::mark("application");
    // The rows' Delete and Report slots are connected by hand, not by name;
    // Qt would otherwise say at every start that no widget bears their names.
    // QT_LOGGING_RULES still overrides this.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.core.qmetaobject.connectslotsbyname=false"));
    QtDialogs qtDialogs; // the one modal seam, handed to the window and everything it builds

    startupTrace::mark("dialogs");
    // A line the window cannot follow is refused on the terminal, before
    // anything is shown or handed to a running copy.
    const QString refusal = startOptionsRefusal(app.arguments());
    if (!refusal.isEmpty()) {
        std::fputs(refusal.toLocal8Bit().constData(), stderr);
        return 2;
    }
    SingleInstance guard;
    if (handOverToRunningInstance(guard, qtDialogs)) {
        return 0;
    }

    startupTrace::mark("single instance");
    fontConfig.wait();
    if (!fontConfig.loaded()) {
        qCInfo(lcStartupTrace).noquote() << "fonts: no warm-up:" << fontConfig.errorText();
    }
    startupTrace::mark("fonts");
    tintwellInitResources();
    applyLookAndFeel(app);
    app.installEventFilter(AppInit::Instance());

    const StartOptions options = parseStartOptions(app.arguments());
    startupTrace::mark("resources and look");
    reportDataFiles();
    DeviceSetup setup = createDeviceSetup(options);
    startupTrace::mark("device setup");
    LinkFactory* linkFactory = setup.factory.get();
    // Beside the executable, or in ../share/tintwell for an installed copy.
    MainWindow window(std::move(setup.factory), setup.notifier, qtDialogs,
                      MainWindow::StartLanguage{catalogueDirectories(), options.chinese, true});
    startupTrace::mark("main window");
    QObject::connect(&guard, &SingleInstance::messageReceived, &window, &MainWindow::handleAppMessage);
    window.setWindowTitle(QStringLiteral("Tintwell V2.0"));
    SimulatorControls::install(linkFactory, &window);
    window.afterFirstFrame([&app] { applyWindowIcon(app); });
    // Rows left open by a crash or a closed window are offered back once the
    // window is up, and before the instrument is looked for, so before any
    // row can be added. The journal's opening and integrity check (long with
    // a large history) no longer delay the first frame.
    window.afterFirstFrame([&window] {
        window.startJournal(RecordJournal::defaultPath());
        startupTrace::mark("journal (after the first frame)");
    });
    showMaximisedMainWindow(window);
    startupTrace::mark("shown");
    return app.exec();
}
