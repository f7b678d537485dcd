#include "HueDifference.h"

#include <cmath>

double hueDifference(double standardHue, double sampleHue)
{
    double difference = std::fmod(sampleHue - standardHue, 360.0);
    if (difference <= -180.0) {
        difference += 360.0;
    } else if (difference > 180.0) {
        difference -= 360.0;
    }
    return difference;
}
