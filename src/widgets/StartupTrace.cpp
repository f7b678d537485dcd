#include "StartupTrace.h"

#include <QElapsedTimer>

#include <ctime>

Q_LOGGING_CATEGORY(lcStartupTrace, "tintwell.startup", QtWarningMsg)

namespace {

QElapsedTimer& traceClock()
{
    static QElapsedTimer timer;
    return timer;
}

} // namespace

namespace startupTrace {

double processCpuMs()
{
    timespec cpu{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    return static_cast<double>(cpu.tv_sec) * 1e3 + static_cast<double>(cpu.tv_nsec) / 1e6;
}

void begin()
{
    traceClock().start();
}

void mark(const char* what)
{
    if (lcStartupTrace().isInfoEnabled()) {
        const double ms = traceClock().isValid() ? static_cast<double>(traceClock().nsecsElapsed()) / 1e6 : 0.0;
        qCInfo(lcStartupTrace, "%.1f ms (cpu %.1f ms) %s", ms, processCpuMs(), what);
    }
}

} // namespace startupTrace
