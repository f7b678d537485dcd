#pragma once
// The workbook the exports start from when no "template.xlsx" is found, and
// the one the build writes as "template.xlsx" beside the executable: one
// empty worksheet "Sheet1" with readable column widths and a centred format.

#include "XlsxArchive.h"

#include <QList>

QList<XlsxEntry> blankWorkbookParts();
