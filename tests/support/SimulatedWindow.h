#pragma once
// The main window as `tintwell --simulate MODEL` shows it: the application's
// look (compiled-in style sheet, fonts), the emulated instrument plugged in,
// the window's own style sheet, and its page built at once. For tests and
// picture tools that must see what an operator sees; they link tintwell_app.
#include "AnsweringDialogs.h"
#include "AppStartup.h"
#include "DeviceNotifier.h"
#include "Dialogs.h"
#include "EmulatedLinkFactory.h"
#include "InstrumentEmulator.h"
#include "MainWindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>

#include <memory>

void tintwellInitResources();

// Once per process, before the first window: the look main() applies.
inline void applyApplicationLook()
{
    tintwellInitResources();
    applyLookAndFeel(*qApp);
}

struct SimulatedWindow
{
    // model as --simulate takes it ("TX420" with softwareVersion 299 is a
    // first-generation colorimeter).
    SimulatedWindow(const QString& model, int softwareVersion, bool chinese, Dialogs& dialogs)
        : emulator(std::make_shared<InstrumentEmulator>(model, softwareVersion))
    {
        window = std::make_unique<MainWindow>(
            std::make_unique<EmulatedLinkFactory>(emulator), new ManualDeviceNotifier, dialogs,
            MainWindow::StartLanguage{{QCoreApplication::applicationDirPath()}, chinese, false});
        window->setWindowTitle(QStringLiteral("Tintwell V2.0"));
    }
    // Shown, and the instrument identified (or false after 5 s).
    bool showConnected()
    {
        showMaximisedMainWindow(*window); // as main() shows it
        QElapsedTimer waited;
        waited.start();
        while (!window->isLedOn() && waited.elapsed() < 5000) {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        // New texts and layouts settle through requests that travel up one
        // parent per pass.
        for (int pass = 0; pass < 5; ++pass) {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return window->isLedOn();
    }

    std::shared_ptr<InstrumentEmulator> emulator;
    std::unique_ptr<MainWindow> window;
};
