#include "AppInit.h"
#include "AppStartup.h"
#include "DeviceSetup.h"
#include "MainWindow.h"
#include "QtDialogs.h"
#include "SimulatorControls.h"
#include "SingleInstance.h"

#include <QApplication>

void tintwellInitResources();

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QtDialogs qtDialogs;
    Dialogs::install(&qtDialogs);

    SingleInstance guard;
    if (handOverToRunningInstance(guard)) {
        return 0;
    }

    tintwellInitResources();
    applyLookAndFeel(app);
    app.installEventFilter(AppInit::Instance());

    const StartOptions options = parseStartOptions(app.arguments());
    if (!options.valid) {
        qtDialogs.critical(nullptr, QStringLiteral("Error"), options.error);
        return 2;
    }
    DeviceSetup setup = createDeviceSetup(options);
    LinkFactory* linkFactory = setup.factory.get();
    MainWindow window(std::move(setup.factory), setup.notifier);
    QObject::connect(&guard, &SingleInstance::messageReceived, &window, &MainWindow::handleAppMessage);
    window.setWindowTitle(QStringLiteral("Tintwell V2.0"));
    SimulatorControls::install(linkFactory, &window);
    window.setWindowState(Qt::WindowMaximized);
    window.show();
    return app.exec();
}
