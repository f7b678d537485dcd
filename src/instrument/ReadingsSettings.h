#pragma once
// How many readings make one specimen, kept in the user's settings:
//   [readings]
//   perStandard=3      ; 1 or absent: one reading, as always
//   perSample=3
//   average=median     ; mean (absent) or median
//   reReadAbove=0.5    ; delta-E between two readings that asks for one more; 0: off

#include "MeasurementSession.h"

class QSettings;

struct ReadingsSettings
{
    static constexpr int kMostReadings = 20;

    MeasurementSession::ReadingsPlan plan;

    // Values out of range are brought into it (1 … kMostReadings, a threshold of 0 or more).
    static ReadingsSettings load(QSettings& settings);
    void save(QSettings& settings) const;
    // The user's own settings file.
    static ReadingsSettings loadUser();
    void saveUser() const;
};
