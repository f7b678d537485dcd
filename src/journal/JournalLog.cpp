#include "JournalLog.h"

Q_LOGGING_CATEGORY(lcJournal, "tintwell.journal")
