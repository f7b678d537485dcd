// The yardstick of tintwell_startup_bench: a bare Qt window (one QMainWindow
// with a label) that says "first frame" on stderr once its first expose has
// been painted, the way Tintwell's start-up trace does.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QWindow>

#include <cstdio>
#include <ctime>

namespace {

class FirstFrameProbe final : public QObject
{
public:
    FirstFrameProbe(QWidget* window, const QElapsedTimer& clock) : m_window(window), m_clock(clock) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Expose || watched != m_window->windowHandle()
            || !m_window->windowHandle()->isExposed()) {
            return false;
        }
        qApp->removeEventFilter(this);
        watched->event(event);
        timespec cpu{};
        ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
        std::fprintf(stderr, "bare: %.1f ms (cpu %.1f ms) first frame\n", static_cast<double>(m_clock.nsecsElapsed()) / 1e6,
                     static_cast<double>(cpu.tv_sec) * 1e3 + static_cast<double>(cpu.tv_nsec) / 1e6);
        std::fflush(stderr);
        return true;
    }

private:
    QWidget* m_window;
    const QElapsedTimer& m_clock;
};

} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("A bare Qt window")));
    window.setWindowState(Qt::WindowMaximized);
    FirstFrameProbe probe(&window, clock);
    app.installEventFilter(&probe);
    window.show();
    return app.exec();
}
