#include "BatchReportLog.h"

Q_LOGGING_CATEGORY(lcBatchReport, "tintwell.batchreport")
