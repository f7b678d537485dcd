// The second yardstick of tintwell_startup_bench: the workspace page's form
// alone, in a maximised QMainWindow, started as Tintwell starts it (fontconfig
// read on a thread, the same style sheet, font and catalogue, the hidden parts
// left out), with none of Tintwell's own work: no window frame, no tables'
// models, no journal, no instrument, no state. What Tintwell's first frame
// cannot cost less than, whatever it defers.
//   tintwell_form_window [--lang en|zh]
#include "AppStartup.h"
#include "DataFiles.h"
#include "FirstFrameProbe.h"
#include "FirstPageForm.h"
#include "FontConfigWarmUp.h"

#include <QApplication>
#include <QMainWindow>
#include <QTranslator>

#include <cstdio>

void tintwellInitResources();

int main(int argc, char** argv)
{
    QElapsedTimer clock;
    clock.start();
    FontConfigWarmUp fontConfig;
    QApplication app(argc, argv);
    fontConfig.wait();
    tintwellInitResources();
    applyLookAndFeel(app);
    const int lang = app.arguments().indexOf(QStringLiteral("--lang"));
    const bool english = lang > 0 && app.arguments().value(lang + 1) == QLatin1String("en");
    QTranslator catalogue;
    const QString file = dataFilePath(english ? QStringLiteral("Tintwell_en.qm") : QStringLiteral("Tintwell_zh.qm"));
    if (!catalogue.load(file)) {
        // Measured in the source texts, it would not be the language asked for.
        std::fprintf(stderr, "form: cannot load %s\n", qPrintable(file));
        return 1;
    }
    QCoreApplication::installTranslator(&catalogue);
    QMainWindow window;
    auto* page = new QWidget;
    FirstPageForm form;
    form.setupUi(page);
    form.retranslateUi();
    window.setCentralWidget(page);
    window.setWindowState(Qt::WindowMaximized);
    FirstFrameProbe probe("form", &window, clock);
    window.show();
    return app.exec();
}
