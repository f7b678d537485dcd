#pragma once
// The library of standards on a station, timed against a throw-away local
// PostgreSQL cluster, for tintwell_standards_bench: an editor writes the
// standards (each with its own tolerance set) in one change; a station
// connects and copies the library whole into its local file; then standards
// are edited on the server one at a time, and the time until the connected
// station's copy holds each new version is taken.

#include <QString>

struct StationCopyTimings
{
    int standards = 0;
    double serverWriteMs = 0; // the editor's one change of every standard
    double readMs = 0;        // the two halves of a whole copy, timed apart
    double fileMs = 0;
    double firstCopyMs = 0;   // the station connecting, reading and writing its file
    int changes = 0;
    double changeMedianMs = 0;
    double changeWorstMs = 0;
};

// false with *skip set when PostgreSQL is not installed here, with *error
// when it is and something failed.
bool measureStationCopy(int standards, StationCopyTimings* out, QString* skip, QString* error);
