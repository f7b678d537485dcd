#pragma once
#include <QPalette>
#include <QString>

class QApplication;
class SingleInstance;

// The message a later copy sends to the running one.
inline const char* const kActivateMessage = "active!!!!!";

// When another copy runs: asks it to show itself, tells the user, and
// returns true (the caller then exits with 0).
bool handOverToRunningInstance(SingleInstance& guard);

// The palette built from the colour at characters 20 to 26 of a style sheet.
QPalette paletteFromStyleSheet(const QString& sheet);

// Style sheet ":/qss/psblue.css" with its palette, and the application font.
// A style sheet that does not open is skipped silently.
void applyLookAndFeel(QApplication& app);
