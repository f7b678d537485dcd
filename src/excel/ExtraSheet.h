#pragma once
// A worksheet of texts added to a saved workbook right after its first
// sheet ("Statistics" after the exported data), every other part of the
// file left byte for byte as it was. Texts that are plain numbers are
// written as numbers, so the sheet can be computed with; the rest (dashes,
// percentages, names) as text. The file is replaced only when the new
// workbook is complete.

#include <QList>
#include <QString>
#include <QStringList>

// False, with *error set, when the workbook cannot be read or written or
// has no sheet list to add to; the file is then unchanged. A sheet of that
// name already there makes the new one "name (2)" (or the next free number).
bool addSheetAfterFirst(const QString& path, const QString& sheetName, const QList<QStringList>& rows,
                        QString* error);
