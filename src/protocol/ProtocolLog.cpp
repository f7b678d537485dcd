#include "ProtocolLog.h"

Q_LOGGING_CATEGORY(lcProtocol, "tintwell.protocol")
