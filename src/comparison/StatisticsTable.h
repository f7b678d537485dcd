#pragma once
// The statistics of the work as a table of texts, the same for the window,
// the spreadsheet's "Statistics" sheet and the report: one row per standard
// and difference, then the rows of all standards together. A figure that
// cannot be given shows as a dash, never as 0 or NaN.

#include "WorkStatistics.h"

#include <QList>
#include <QString>
#include <QStringList>

enum StatisticsColumn {
    StatStandard, StatQuantityColumn, StatRecords, StatPass, StatNg, StatPassRate, StatN, StatMean, StatSd,
    StatMin, StatMax, StatMedian, StatP95, StatCp, StatCpk, StatPp, StatPpk, StatCpkLower, StatPpkLower,
    StatPercentileIndex, StatFit,
    // Last, so the columns a spreadsheet of earlier exports reads keep their places.
    StatWarnings, StatColumnCount
};

// The dash every missing figure shows.
QString statisticsDash();
// value with decimals, or the dash for NaN or infinity.
QString statisticText(double value, int decimals);

// Translated column titles (context "Statistics").
QStringList statisticsColumnTitles();
// "All rows" or "Standard 2 (Comp7)": the standard's number in order of
// first use and the test name of its first row; a library standard by its
// name and version, "Red 12 v3 (Comp7)".
QString statisticsGroupName(const StatisticsGroup& group, int index);
// One row of texts for a difference of a group.
QStringList statisticsRow(const StatisticsGroup& group, int index, StatQuantity quantity);
// Every group's rows, then those of all rows (only these when there is a
// single standard).
QList<QStringList> statisticsTableRows(const WorkStatistics& work);

// The "Statistics" sheet of an export: the titles, then every row of the
// statistics of these records; nothing for no records.
QList<QStringList> statisticsSheet(const QList<ComparisonRecord>& records);
