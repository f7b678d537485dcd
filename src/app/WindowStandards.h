#pragma once
// The library of standards the main window's picker and library window use.
// With a station database set up, the library is the server's: the window
// reads the station's copy, which the station's sync writes (read only here,
// the library window and the picker say why). Without one, the library
// beside the journal, edited at the station.

#include "StandardLibrary.h"

#include <memory>

// The library opened; none (and error says why) when it cannot be used.
std::unique_ptr<StandardLibrary> openWindowStandards(const QString& localPath, const QString& stationCopyPath,
                                                     bool stationConfigured, QString* error = nullptr);
