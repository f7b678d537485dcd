#include "ReportLog.h"

Q_LOGGING_CATEGORY(lcReport, "tintwell.report")
