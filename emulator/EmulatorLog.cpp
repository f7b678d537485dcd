#include "EmulatorLog.h"

Q_LOGGING_CATEGORY(lcEmulator, "tintwell.emulator")
