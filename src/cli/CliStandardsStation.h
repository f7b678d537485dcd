#pragma once
// The standards commands with a station database: the library is the
// server's. The server's current library is copied into a temporary local
// library, the command runs on that copy exactly as it runs on a station's
// own library (CliEnvironment::standardsPath names it meanwhile), and what
// it changed goes back to the server as new versions, in one transaction. Reading needs any role; changing needs a manager's or
// a library editor's (a station's role is refused with exit status 2, before
// anything is read).

#include <functional>

class CliContext;

// A station database is set up, or named by the options.
bool stationLibraryInUse(CliContext& cli);
// edits: the command changes the library (add, set, remove, import).
int runStandardsOnServer(CliContext& cli, bool edits, const std::function<int(CliContext&)>& run);
