// The yardstick of tintwell_startup_bench: a bare Qt window (one QMainWindow
// with a label) that says "first frame" on stderr once its first expose has
// been painted, the way Tintwell's start-up trace does.
#include "FirstFrameProbe.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("A bare Qt window")));
    window.setWindowState(Qt::WindowMaximized);
    FirstFrameProbe probe("bare", &window, clock);
    window.show();
    return app.exec();
}
