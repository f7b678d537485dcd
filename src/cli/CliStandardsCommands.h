#pragma once
// The library of standards from the command line: list, show, add, set,
// remove, import and export, and the library standard a comparison is
// judged against.

#include "Standard.h"

#include <QString>

#include <memory>
#include <optional>

class CliContext;
class StandardLibrary;

int runStandardsList(CliContext& cli);
int runStandardsShow(CliContext& cli);
int runStandardsAdd(CliContext& cli);
int runStandardsSet(CliContext& cli);
int runStandardsRemove(CliContext& cli);
int runStandardsImport(CliContext& cli);
int runStandardsExport(CliContext& cli);
// A named tolerance set that several standards share (--shared-set).
int runStandardsShare(CliContext& cli);

namespace CliStandards {

// The library this run uses: CliEnvironment::standardsPath, else beside the
// journal the run names, else its usual place. Null with the reason said.
std::unique_ptr<StandardLibrary> openLibrary(CliContext& cli);

// The standard --standard-name or --standard-code names (nothing with the
// reason said and status set when neither finds one); found false when the
// run names neither.
std::optional<Standard> chosenStandard(CliContext& cli, StandardLibrary& library, bool& named, int& status);

} // namespace CliStandards
