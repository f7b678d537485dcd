#pragma once
// What the workspace decides without a window: the model table, which layout
// serves an instrument, which display modes a layout accepts, which rows and
// columns a display mode shows, and the column widths.

#include "DeltaE.h"
#include "Judgement.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

struct ModelEntry
{
    int meterNumber = 0;
    QString model;
    int layoutIndex = 0;
};
using ModelTable = QList<ModelEntry>;

// Reads the INI model table: groups "Device1", "Device2", ... with "MeterNo",
// "Model" and "UIIndex", in file order, up to the first group without a MeterNo.
// A missing file gives an empty table.
ModelTable loadModelTable(const QString& path);
// The first entry for the meter number, or nothing.
std::optional<ModelEntry> findModel(const ModelTable& table, quint32 meterNumber);

// isFirstGenerationColorimeter (InstrumentGeneration.h) says which instruments the legacy layout serves.
// Layouts 0: 0..6, 1: 3 and 4, 2: 3 only, 3: 0..2; larger layouts as layout 0.
bool layoutAcceptsDisplayMode(int layoutIndex, DisplayMode mode);
// Layouts 1 and 2 take the delta-E parameter page and a reflectance spectral
// button; every other layout the tolerance page and transmittance.
bool layoutUsesParameterPage(int layoutIndex);

// Which widgets of the page a layout shows.
struct LayoutWidgets
{
    std::array<bool, kDisplayModeCount> radioShown{}; // per display mode (its index)
    bool setDisplayParameterShown = true;
    bool formulaShown = true;
    bool spectralShown = true;
    bool writeStandardColorShown = false;
    // "Load standard…": a standard from a colour file has no haze or
    // transmittance, so only a layout with a mode judged by delta-E alone
    // (Lab, LCh, Yxy) can use it; a haze meter cannot.
    bool loadStandardShown = true;
};
LayoutWidgets layoutWidgetsFor(int layoutIndex, const QString& model, int softwareVersion);

// Which tolerance inputs a display mode asks for (None: none changed).
struct ToleranceInputs
{
    bool haze = false;
    bool transmittance = false;
    bool deltaE = false;
};
std::optional<ToleranceInputs> toleranceInputsFor(DisplayMode mode);

// The rows of the live display and the columns of the comparison table a
// display mode shows, and n, the count that sizes the columns.
struct DisplayModeView
{
    QList<int> displayRows;  // of tableWidget_colorDiff, 1..12
    QList<int> dataColumns;  // of tableWidget_data, 3..27
    int n = 0;
};
DisplayModeView displayModeView(DisplayMode mode);

// Widths of the current table's columns 0..30 for n and the width the table
// has for them (its viewport's).
QList<int> currentColumnWidths(int n, int width);
// Widths of the legacy table's columns 0..16 for the width it has.
QList<int> legacyColumnWidths(int width);
