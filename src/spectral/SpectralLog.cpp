#include "SpectralLog.h"

Q_LOGGING_CATEGORY(lcSpectral, "tintwell.spectral")
