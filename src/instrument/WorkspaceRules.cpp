#include "WorkspaceRules.h"

#include "InstrumentGeneration.h"

#include <QFileInfo>
#include <QSettings>

#include <algorithm>

ModelTable loadModelTable(const QString& path)
{
    ModelTable table;
    if (!QFileInfo::exists(path)) {
        return table;
    }
    QSettings settings(path, QSettings::IniFormat);
    for (int n = 1;; ++n) {
        const QString group = QStringLiteral("Device%1/").arg(n);
        const QString meterNo = settings.value(group + QStringLiteral("MeterNo")).toString();
        if (meterNo.isEmpty()) {
            break;
        }
        table.append({meterNo.toInt(), settings.value(group + QStringLiteral("Model")).toString(),
                      settings.value(group + QStringLiteral("UIIndex")).toInt()});
    }
    return table;
}

std::optional<ModelEntry> findModel(const ModelTable& table, quint32 meterNumber)
{
    for (const ModelEntry& entry : table) {
        if (entry.meterNumber >= 0 && static_cast<quint32>(entry.meterNumber) == meterNumber) {
            return entry;
        }
    }
    return std::nullopt;
}

bool layoutAcceptsDisplayMode(int layoutIndex, DisplayMode mode)
{
    switch (layoutIndex) {
    case 1:
        return mode == DisplayMode::Lab || mode == DisplayMode::LCh;
    case 2:
        return mode == DisplayMode::Lab;
    case 3:
        return mode == DisplayMode::HazeT || mode == DisplayMode::Haze || mode == DisplayMode::Transmittance;
    default:
        return mode != DisplayMode::None;
    }
}

bool layoutUsesParameterPage(int layoutIndex)
{
    return layoutIndex == 1 || layoutIndex == 2;
}

LayoutWidgets layoutWidgetsFor(int layoutIndex, const QString& model, int softwareVersion)
{
    LayoutWidgets w;
    switch (layoutIndex) {
    case 1:
        w.radioShown = {false, false, false, true, true, false, false};
        w.spectralShown = !isFirstGenerationColorimeter(model, softwareVersion);
        w.writeStandardColorShown = true;
        break;
    case 2:
        w.radioShown = {false, false, false, true, false, false, false};
        w.setDisplayParameterShown = false;
        w.formulaShown = false;
        break;
    case 3:
        w.radioShown = {true, true, true, false, false, false, false};
        w.spectralShown = false;
        break;
    default:
        w.radioShown = {true, true, true, true, true, true, false};
        break;
    }
    // Haze/T/Lab is offered by the TX310 from software 1.14 on.
    if (softwareVersion > 113 && model == QLatin1String("TX310")) {
        w.radioShown[6] = true;
    }
    w.loadStandardShown = false;
    for (int index = 0; index < kDisplayModeCount; ++index) {
        w.loadStandardShown = w.loadStandardShown || (w.radioShown[index] && judgesByDeltaEAlone(displayModeFromIndex(index)));
    }
    return w;
}

std::optional<ToleranceInputs> toleranceInputsFor(DisplayMode mode)
{
    if (mode == DisplayMode::None) {
        return std::nullopt;
    }
    return ToleranceInputs{judgesHaze(mode), judgesTransmittance(mode), judgesDeltaE(mode)};
}

DisplayModeView displayModeView(DisplayMode mode)
{
    struct ModeShows
    {
        QList<int> rows;
        QList<int> columns;
        int n;
    };
    static const std::array<ModeShows, 7> shows = {{
        {{1, 2}, {3, 4, 14, 15, 25, 26}, 11},
        {{1}, {3, 14, 25}, 8},
        {{2}, {4, 15, 26}, 8},
        {{3, 4, 5, 12}, {5, 6, 7, 16, 17, 18, 27}, 11},
        {{6, 7, 8, 12}, {8, 9, 10, 19, 20, 21, 27}, 11},
        {{9, 10, 11, 12}, {11, 12, 13, 22, 23, 24, 27}, 11},
        {{1, 2, 3, 4, 5, 12}, {3, 4, 5, 6, 7, 14, 15, 16, 17, 18, 25, 26, 27}, 18},
    }};
    DisplayModeView view;
    if (mode == DisplayMode::None) {
        return view;
    }
    const ModeShows& shown = shows[static_cast<std::size_t>(displayModeIndex(mode))];
    view.displayRows = shown.rows;
    view.dataColumns = shown.columns;
    view.n = shown.n;
    return view;
}

namespace {

// A table narrower than a few columns (not laid out yet) gets no negative width.
QList<int> clampedAtZero(QList<int> widths)
{
    for (int& width : widths) {
        width = std::max(width, 0);
    }
    return widths;
}

} // namespace

QList<int> currentColumnWidths(int n, int width)
{
    const double u = static_cast<double>(width) / (n + 5);
    QList<int> widths(31, static_cast<int>(u));
    widths[0] = static_cast<int>(u - 32);
    widths[1] = static_cast<int>(2 * u);
    widths[2] = static_cast<int>(2 * u + 15);
    widths[26] = static_cast<int>(u + 20);
    widths[27] = static_cast<int>(u + 10);
    widths[28] = static_cast<int>(u + 15);
    widths[29] = static_cast<int>(u + 10);
    widths[30] = static_cast<int>(u + 15);
    return clampedAtZero(widths);
}

QList<int> legacyColumnWidths(int width)
{
    const double u = static_cast<double>(width) / 19;
    QList<int> widths(17, static_cast<int>(u - 5.6));
    widths[0] = static_cast<int>(u - 32);
    widths[1] = static_cast<int>(2 * u);
    widths[2] = static_cast<int>(2 * u + 15);
    widths[14] = static_cast<int>(u + 20);
    widths[15] = static_cast<int>(u + 10);
    widths[16] = static_cast<int>(u + 15);
    return clampedAtZero(widths);
}
