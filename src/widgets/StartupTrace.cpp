#include "StartupTrace.h"

#include <QElapsedTimer>

Q_LOGGING_CATEGORY(lcStartupTrace, "tintwell.startup", QtWarningMsg)

namespace {

QElapsedTimer& traceClock()
{
    static QElapsedTimer timer;
    return timer;
}

} // namespace

namespace startupTrace {

void begin()
{
    traceClock().start();
}

void mark(const char* what)
{
    if (lcStartupTrace().isInfoEnabled()) {
        const double ms = traceClock().isValid() ? static_cast<double>(traceClock().nsecsElapsed()) / 1e6 : 0.0;
        qCInfo(lcStartupTrace, "%.1f ms %s", ms, what);
    }
}

} // namespace startupTrace
