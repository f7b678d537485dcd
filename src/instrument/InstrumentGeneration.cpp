#include "InstrumentGeneration.h"

bool isFirstGenerationColorimeter(const QString& model, int softwareVersion)
{
    if (model == QLatin1String("TX420") || model == QLatin1String("TX450")) {
        return softwareVersion < 300;
    }
    if (model == QLatin1String("TX430") || model == QLatin1String("TX460")) {
        return softwareVersion < 400;
    }
    return false;
}
