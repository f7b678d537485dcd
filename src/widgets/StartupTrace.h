#pragma once
// Where the start-up time goes: marks with the milliseconds since main()
// began, logged under "tintwell.startup" (off unless asked for, e.g.
// QT_LOGGING_RULES="tintwell.startup.info=true"). The last mark, "first
// frame", comes once the main window's first expose has been painted.

#include <QLoggingCategory>

class QWidget;

Q_DECLARE_LOGGING_CATEGORY(lcStartupTrace)

namespace startupTrace {

// Starts the clock; the first thing main() does.
void begin();
// Logs "<ms> ms <what>" when the category is on.
void mark(const char* what);
// Logs "first frame" once window's first expose event has been handled
// (painted and flushed), then stops watching.
void watchFirstFrame(QWidget* window);

} // namespace startupTrace
