#pragma once
// A saved copy of a report: the document printed through Qt's PDF output on
// one A4 page, fonts embedded, so Chinese text stays readable anywhere.

#include <QString>

class QTextDocument;

// The file at path is replaced only by a complete report, synced to disk.
// False when it cannot be written; a file already there then stays as it was.
bool writeReportPdf(const QTextDocument& document, const QString& path, const QString& title);
