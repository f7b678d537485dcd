#pragma once
// Where the start-up time goes: marks with the milliseconds since main()
// began and the processor time the process has used since it was started
// (loading its libraries included; on a busy machine the steadier figure),
// logged under "tintwell.startup" (off unless asked for, e.g.
// QT_LOGGING_RULES="tintwell.startup.info=true"). The application marks
// "first frame" once its window's first expose has been painted.

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcStartupTrace)

namespace startupTrace {

// Starts the clock; the first thing main() does.
void begin();
// Logs "<ms> ms (cpu <ms> ms) <what>" when the category is on.
void mark(const char* what);
// Processor time of the whole process so far, all threads, in ms.
double processCpuMs();

} // namespace startupTrace
