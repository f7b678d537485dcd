#pragma once
// The station database from the command line: applying the migrations,
// configuring this station, the roles of stations and managers, and the
// history across stations.

class CliContext;

int runDbMigrate(CliContext& cli);
int runDbConfigure(CliContext& cli);
int runHistory(CliContext& cli);
// A login role for a station (registered under its name) or for a manager.
int runDbAddStation(CliContext& cli);
int runDbAddManager(CliContext& cli);
// A login role that edits the library of standards and reads no records.
int runDbAddEditor(CliContext& cli);
