#pragma once
// The station database from the command line: applying the migrations,
// configuring this station, and the history across stations.

class CliContext;

int runDbMigrate(CliContext& cli);
int runDbConfigure(CliContext& cli);
int runHistory(CliContext& cli);
