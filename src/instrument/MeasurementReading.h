#pragma once
// Fetching one result from the instrument and turning what it sends (a reply
// or a pushed frame) into the values the comparison display shows. Plain
// functions: the caller holds the link lock around a fetch.

#include "Colorimetry.h"
#include "ComparisonRecord.h"
#include "DisplayMode.h"
#include "Judgement.h"

#include <QString>

#include <array>

class Transport;
struct PushedFrame;

// How a result is fetched from the PC.
enum class FetchPath {
    Full,   // the whole measurement record
    Block,  // the result block of the display mode in force (TX310, TX470 below 1.06)
    Legacy, // the first-generation colorimeters' read
};

// First-generation colorimeters: Legacy; TX310 and TX470 below software 1.06
// (softwareVersion in hundredths): Block; every other instrument: Full.
FetchPath fetchPathFor(const QString& model, int softwareVersion);

// Measures once on the given path and fills reading. Returns the command's
// result (1 or a negative ProtocolResult). On the block path a display mode
// without a block of its own (Haze/T/Lab, or none) is a failed measurement:
// nothing is sent and no reading is invented.
int fetchMeasurement(Transport& transport, FetchPath path, DisplayMode displayMode, ColorReading& reading);

// The reading a pushed frame carries. false (reading untouched) for a block of
// another display mode than displayMode, for any block while the mode has no
// block of its own, and for a frame too short to decode.
bool readingFromPushedFrame(const PushedFrame& frame, DisplayMode displayMode, ColorReading& reading);

// The values of a reading in the current layout's order (Haze, Transmittance,
// L*, a*, b*, L*, C*, h, Y, x, y) and in the legacy layout's (L*, a*, b*, C*,
// h), as measured; a comparison rounds them as the display shows them.
ComparisonRecord::Values currentLayoutValues(const ColorReading& reading);
ComparisonRecord::LegacyValues legacyLayoutValues(const ColorReading& reading);
