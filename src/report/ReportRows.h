#pragma once
// The report snapshot of one comparison record, with the numbers its table
// row shows (never read back from the cells).

#include "ComparisonRecord.h"
#include "ReportSnapshot.h"
#include "TestInformation.h"

// The snapshot of one record, with the numbers as its table row shows them:
// the current layout's with the display mode and formula the record was
// judged under, the legacy layout's with its own formula and threshold texts.
ReportSnapshot snapshotFromRecord(const ComparisonRecord& record, const TestInformation& information);
