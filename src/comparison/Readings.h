#pragma once
// Several readings of one specimen: their mean or median (the value the
// comparison is made from), n and the spread of every value, and the
// largest delta-E between two readings. The hue is averaged the short way
// round the circle, from the first reading: 359.0 and 1.0 average to 0.0.

#include "ComparisonRecord.h"

#include <QList>

using Readings = QList<ComparisonRecord::Values>;
using LegacyReadings = QList<ComparisonRecord::LegacyValues>;

// The mean (or median) of every value; NaN where a reading's value is not
// known. No readings: every value NaN.
ComparisonRecord::Values averageReadings(const Readings& readings, bool median);
ComparisonRecord::LegacyValues averageLegacyReadings(const LegacyReadings& readings, bool median);
// The same rounded as the live display shows a value, from readings as it
// showed them: a mean of exactly a half rounds away from zero.
ComparisonRecord::Values shownAverageReadings(const Readings& readings, bool median);
ComparisonRecord::LegacyValues shownAverageLegacyReadings(const LegacyReadings& readings, bool median);

// The sample standard deviation (n - 1) and the range (largest minus
// smallest) of every value; NaN with fewer than two readings.
ComparisonRecord::Values readingsDeviation(const Readings& readings);
ComparisonRecord::Values readingsRange(const Readings& readings);
ComparisonRecord::LegacyValues legacyReadingsDeviation(const LegacyReadings& readings);
ComparisonRecord::LegacyValues legacyReadingsRange(const LegacyReadings& readings);

// The largest delta-E between any two readings by the formula in force; NaN
// with fewer than two readings or a formula not known.
double readingsDeltaESpread(const Readings& readings, const ComparisonSettings& settings);
double legacyReadingsDeltaESpread(const LegacyReadings& readings, const ComparisonSettings& settings);

// n of the standard and of the sample of a record (1: a single reading).
int standardReadingCount(const ComparisonRecord& record);
int sampleReadingCount(const ComparisonRecord& record);
// Several readings of either side.
bool hasSeveralReadings(const ComparisonRecord& record);

// Curves of the same specimen averaged band by band (mean or median); the
// bands the shortest curve has. No curves: an empty curve.
QList<double> averageCurves(const QList<QList<double>>& curves, bool median);
