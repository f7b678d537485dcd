#pragma once
// The station database from the command line: applying the migrations,
// configuring this station, the roles of stations and managers, and the
// history across stations.

#include "StationConfig.h"

class CliContext;

// The saved configuration with the station options of the command line over it.
StationConfig stationConfigFrom(CliContext& cli);
// The password: standard input's first line with --password-stdin, else the
// key store's. false with the reason said.
bool readStationPassword(CliContext& cli, StationConfig& config);

int runDbMigrate(CliContext& cli);
int runDbConfigure(CliContext& cli);
int runHistory(CliContext& cli);
// A login role for a station (registered under its name) or for a manager.
int runDbAddStation(CliContext& cli);
int runDbAddManager(CliContext& cli);
// A login role that edits the library of standards and reads no records.
int runDbAddEditor(CliContext& cli);
