#pragma once
// The HTML of a one-page test report for one comparison. Plain functions of
// the snapshot and the time of building, so they are tested without a window.
// Every text taken from the instrument or typed by the operator is escaped.

#include "ReportSnapshot.h"

#include <QDateTime>
#include <QString>

// The report of the current layout. layoutIndex 1 adds the "△E formula:" row.
QString reportHtmlFor310(const ReportSnapshot& snapshot, int layoutIndex, const QDateTime& builtAt);

// The report of the legacy (colorimeter) layout, in its English or its Chinese form.
QString reportHtmlFor420(const ReportSnapshot& snapshot, bool chinese, const QDateTime& builtAt);

// "Report_" followed by the time as yyyyMMddhhmmss: the HTML title and the
// suggested file name of a saved copy.
QString reportTitle(const QDateTime& builtAt);

// The device text of the legacy report: the model name and " Colorimeter".
QString legacyDeviceText(const ReportSnapshot& snapshot);
