#pragma once
// Says "<name>: T ms (cpu C ms) first frame" on stderr once the window's
// first expose has been painted: T since `clock` started (the top of main()),
// C the processor time the process had used. tintwell_startup_bench reads
// these lines from its yardsticks the way it reads Tintwell's start-up trace.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <ctime>

class FirstFrameProbe final : public QObject
{
public:
    FirstFrameProbe(const char* name, QWidget* window, const QElapsedTimer& clock)
        : m_name(name), m_window(window), m_clock(clock)
    {
        qApp->installEventFilter(this);
    }

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
        std::fprintf(stderr, "%s: %.1f ms (cpu %.1f ms) first frame\n", m_name,
                     static_cast<double>(m_clock.nsecsElapsed()) / 1e6,
                     static_cast<double>(cpu.tv_sec) * 1e3 + static_cast<double>(cpu.tv_nsec) / 1e6);
        std::fflush(stderr);
        return true;
    }

private:
    const char* m_name;
    QWidget* m_window;
    const QElapsedTimer& m_clock;
};
