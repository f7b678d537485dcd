#pragma once
// The three spreadsheet exports as the pages run them (every box an
// information box with one OK button): the questions, the
// progress dialog, the messages and the clearing that follows a written
// file. The page hands in its table and its clear command; nothing here
// knows a widget. Every box goes through the modal seam the export is given.
//
// The file the operator chose is replaced only when the new workbook is
// complete (it is never deleted first), and a cancelled export is reported
// as cancelled: the rows stay and no clearing is offered.
//
// The file dialog also offers the open exchange formats after the workbook:
// a name ending in .csv, .ti3 or .cxf is written as CSV, CGATS or CxF3 from
// the records handed in (records / spectra), never from the table's texts.

#include "DisplayMode.h"
#include "ComparisonRecord.h"
#include "CurveColour.h"
#include "SpectralRecord.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class Dialogs;
class QAbstractItemModel;
class QWidget;

enum class ExportOutcome {
    Written,
    Cancelled,     // the operator stopped the writing; the rows written so far are in the file
    NoData,
    NoFileChosen,
    CannotReplace, // the chosen file exists and may not be replaced
    CannotOpen,
    Failed,
};

class SpreadsheetExport
{
    Q_DECLARE_TR_FUNCTIONS(SpreadsheetExport)
public:
    // dialogs: the seam every question, file dialog, progress and message goes through.
    explicit SpreadsheetExport(Dialogs& dialogs) : m_dialogs(dialogs) {}

    // The comparison export of the current layout: the columns of the
    // display mode (0 … 6), titles in sheet row 2, records from row 3.
    // clear is the page's clear command (it asks its own question).
    // statistics: the rows of a second sheet "Statistics" after the data
    // (titles first); none when empty. A cancelled export gets none, as it
    // holds only part of the rows the statistics describe.
    ExportOutcome comparison(const QAbstractItemModel& table, DisplayMode displayMode, QWidget* parent,
                                    const std::function<void()>& clear, const QList<QStringList>& statistics = {},
                                    const QList<ComparisonRecord>& records = {});
    // The legacy 19-column block from A1; clear empties the table without asking.
    ExportOutcome legacyComparison(const QAbstractItemModel& table, bool chineseUi, QWidget* parent,
                                          const std::function<void()>& clear,
                                          const QList<QStringList>& statistics = {},
                                          const QList<ComparisonRecord>& records = {});
    // The whole spectral table (heading row in sheet row 2); clear asks its
    // own question. The caller disables its buttons around the call.
    // spectra: the records with the names the table shows; layoutIndex tells
    // transmittance (0, 3) from reflectance (1, 2). With the spectra at hand
    // the files carry their colour computed for colour: the workbook a
    // second sheet "Colour", CGATS and CxF3 the computed values beside the
    // curves.
    ExportOutcome spectral(const QAbstractItemModel& table, QWidget* parent, const std::function<void()>& clear,
                                  const QList<NamedSpectrum>& spectra = {}, int layoutIndex = 0,
                                  const colorimetry::ColourConditions& colour = {});

    // A first-generation colorimeter is exported with the legacy block.
    static bool usesLegacyExport(const QString& modelName, int softwareVersion);

    // The save dialog's filter list: the workbook first (the default), then
    // CSV, CGATS and CxF3.
    static QString fileFilter();

private:
    bool chooseTarget(QWidget* parent, const QString& prefix, bool hasRows, QString& path, ExportOutcome& outcome);
    // A comparison export's file: true for a workbook still to write; an
    // exchange format is written at once (false, with its outcome).
    bool workbookTarget(const QAbstractItemModel& table, const QList<ComparisonRecord>& records,
                        DisplayMode displayMode, bool chineseUi, QWidget* parent, const std::function<void()>& clear,
                        QString& path, ExportOutcome& outcome);
    // Writes an exchange format with write (false with the reason), then
    // clears and reports as a workbook export does.
    ExportOutcome writeExchange(QWidget* parent, const std::function<bool(QString*)>& write,
                                       const std::function<void()>& clear);
    ExportOutcome comparisonExchange(const QString& path, const QList<ComparisonRecord>& records,
                                            qsizetype rows, DisplayMode displayMode, bool chineseUi, QWidget* parent,
                                            const std::function<void()>& clear);
    ExportOutcome writeTable(const QAbstractItemModel& rows, QWidget* parent, const QString& path,
                                    const std::function<void()>& clear, const QList<QStringList>& statistics = {},
                                    const QList<QStringList>& colour = {}, const QList<QStringList>& readings = {});
    // Adds the statistics sheet to the written file; says so when it cannot.
    void addStatistics(QWidget* parent, const QString& path, const QList<QStringList>& statistics);
    // Adds the spectral colour sheet likewise.
    void addColour(QWidget* parent, const QString& path, const QList<QStringList>& colour);
    // Adds the sheet of every reading of the specimens read several times likewise.
    void addReadings(QWidget* parent, const QString& path, const QList<QStringList>& readings);

    Dialogs& m_dialogs;
};
