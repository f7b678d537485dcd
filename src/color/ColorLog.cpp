#include "ColorLog.h"

Q_LOGGING_CATEGORY(lcColor, "tintwell.color")
