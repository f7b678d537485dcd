#pragma once
// The one rule for the difference of two hue angles, used by the live
// display, the report, the statistics and the command line alike.

// Sample minus standard hue in degrees, the short way round the circle:
// in (-180, 180], so 357.1 to 2.9 is 5.8, never -354.2.
double hueDifference(double standardHue, double sampleHue);
