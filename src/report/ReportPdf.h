#pragma once
// A saved copy of a report: the document printed through Qt's PDF output on
// one A4 page, fonts embedded, so Chinese text stays readable anywhere.

#include <QString>

class QTextDocument;

// False when the file cannot be written.
bool writeReportPdf(const QTextDocument& document, const QString& path, const QString& title);
