#pragma once
// Where the start-up time goes: marks with the milliseconds since main()
// began, logged under "tintwell.startup" (off unless asked for, e.g.
// QT_LOGGING_RULES="tintwell.startup.info=true"). The application marks
// "first frame" once its window's first expose has been painted.

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcStartupTrace)

namespace startupTrace {

// Starts the clock; the first thing main() does.
void begin();
// Logs "<ms> ms <what>" when the category is on.
void mark(const char* what);

} // namespace startupTrace
