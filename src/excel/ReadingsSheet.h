#pragma once
// The "Readings" sheet of a comparison workbook: every reading of the
// specimens read several times, one row a reading (test name, standard or
// sample, the reading's number, its values at the display's decimals), so
// the workbook carries the readings as the CSV and CGATS files do.

#include "ComparisonRecord.h"

#include <QList>
#include <QStringList>

QString readingsSheetName();
// Empty when no record was read several times.
QList<QStringList> readingsSheetRows(const QList<ComparisonRecord>& records);
