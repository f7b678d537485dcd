#pragma once
// The functions behind the subcommand table; each returns the exit status.

#include "CurveColour.h"

#include <optional>

class CliContext;

// --illuminant and --observer, D65/10° unless given; none, with the usage
// refusal said, for an unknown one.
std::optional<colorimetry::ColourConditions> colourConditionsOption(CliContext& cli);

int runDevices(CliContext& cli);
int runIdentify(CliContext& cli);
int runMeasure(CliContext& cli);
int runCompare(CliContext& cli);
int runSettingsGet(CliContext& cli);
int runSettingsSet(CliContext& cli);
int runRecordsExport(CliContext& cli);
int runSpectralExport(CliContext& cli);
// CliSpectralCommands.cpp: the colorimetry of the curves of a file.
int runSpectralColour(CliContext& cli);
int runSpectralCompare(CliContext& cli);
int runSpectralIndices(CliContext& cli);
int runStdcolorUpload(CliContext& cli);
int runJournalExport(CliContext& cli);
// CliReportCommands.cpp: the batch report of journal records, as a PDF.
int runReportBatch(CliContext& cli);
