#include "StartupTrace.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

Q_LOGGING_CATEGORY(lcStartupTrace, "tintwell.startup", QtWarningMsg)

namespace {

QElapsedTimer& traceClock()
{
    static QElapsedTimer timer;
    return timer;
}

// Handles the window's first expose itself, so that the mark follows the
// painting it caused, then takes itself away.
class FirstFrameProbe final : public QObject
{
public:
    explicit FirstFrameProbe(QWidget* window) : QObject(qApp), m_window(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Expose || !m_window || watched != m_window->windowHandle()
            || !m_window->windowHandle()->isExposed()) {
            return false;
        }
        qApp->removeEventFilter(this);
        watched->event(event);
        startupTrace::mark("first frame");
        deleteLater();
        return true;
    }

private:
    QPointer<QWidget> m_window;
};

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

void watchFirstFrame(QWidget* window)
{
    if (lcStartupTrace().isInfoEnabled() && window && qApp) {
        qApp->installEventFilter(new FirstFrameProbe(window));
    }
}

} // namespace startupTrace
