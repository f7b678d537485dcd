#pragma once
// Values on the command line and in its output: display modes by name, the
// quantities a mode shows, VALUES operands ("L=50.1,a=-1.2,b=3" or the mode's
// quantities in order, "50.1,-1.2,3"), readings as numbers, and comparison
// records as JSON and text.

#include "ComparisonRecord.h"
#include "DisplayMode.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

struct ColorReading;

namespace CliValues {

// "hazet", "haze", "t", "lab", "lch", "yxy", "hazetlab" (or 0..6); None for another text.
DisplayMode displayModeFromName(const QString& name);
// "Haze/T", "Haze", "T", "Lab", "LCh", "Yxy", "Haze/T/Lab"; "-" for none.
QString displayModeName(DisplayMode mode);
QString displayModeKeys(); // for messages: "hazet, haze, t, lab, lch, yxy, hazetlab"

// The quantities of one side of a comparison: "haze", "t", "L", "a", "b", "C", "h", "Y", "x", "y".
// The keys a display mode shows, in the order it shows them; the legacy layout shows L a b C h.
QStringList shownKeys(DisplayMode displayMode, bool legacy);

// One side as numbers. Current layout: ComparisonRecord::Values; legacy: LegacyValues.
struct Side
{
    ComparisonRecord::Values values{};
    ComparisonRecord::LegacyValues legacy{};
};

// A reading as the window's comparison display shows it (rounded to its
// decimals): the numbers a comparison is made of.
Side sideFromReading(const ColorReading& reading);

// Parses VALUES for the display mode; false with the reason. Values a mode
// judges by must all be given (Lab for delta-E; LCh may give L C h instead).
bool parseSide(const QString& text, DisplayMode displayMode, bool legacy, Side& side, QString& error);
// A side from a JSON object as `measure --json` prints it ({"values": {...}})
// or a plain {"L": 50.1, ...}.
bool sideFromJson(const QJsonObject& object, DisplayMode displayMode, bool legacy, Side& side, QString& error);

// Keys and numbers of a side for the mode.
QJsonObject sideJson(const Side& side, DisplayMode displayMode, bool legacy);
QString sideText(const Side& side, DisplayMode displayMode, bool legacy);

// Several readings of one side: "readings" (each reading's values, keyed
// as sideJson keys them) and "spread" (the standard deviation of each value,
// null with one reading).
QJsonArray readingsJson(const QList<Side>& readings, DisplayMode displayMode, bool legacy);
QJsonObject spreadJson(const QList<Side>& readings, DisplayMode displayMode, bool legacy);
// A record's readings as sides (one side of its values when read once).
QList<Side> standardReadings(const ComparisonRecord& record);
QList<Side> sampleReadings(const ComparisonRecord& record);

// The record as JSON: name, time, mode, standard, sample, differences, deltaE,
// verdict, pass, tolerances, model and serial number; a record read several
// times adds "readings" and "spread", each with "standard" and "sample".
QJsonObject recordJson(const ComparisonRecord& record);
// One line for people: "PASS  dE 0.53  (Comp1)".
QString recordText(const ComparisonRecord& record);

} // namespace CliValues
