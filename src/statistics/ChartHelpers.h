#pragma once
// What the statistics charts' geometry and painting share: texts, number
// formats, axes, the marker sieve and pens. Internal to the charts.

#include "StatisticsCharts.h"

#include <QPen>

#include <array>
#include <cmath>
#include <utility>
#include <vector>

namespace statcharts {

// -2 ln 0.05: the 95 % quantile of a chi-square with two degrees of freedom.
inline constexpr double kChiSquare2At95 = 5.991464547107979;
inline constexpr double kPi = 3.14159265358979323846;

// Decimals that show a tick step (0.05 -> 2).
int decimalsFor(double step);
// Decimals that show the step of axis ticks (two for a single tick or none).
int tickDecimals(const std::vector<double>& ticks);
QString number(double value, int decimals);
// The value range padded by a twentieth on each side (a flat range gets +-1).
std::pair<double, double> padded(double lo, double hi);
// Widens lo..hi to hold value (a NaN changes nothing).
void include(double& lo, double& hi, double value);
// Horizontal grid lines and their labels at the left of a plot.
void yAxis(const PlotFrame& frame, int tickCount, QList<QLineF>& grid, QList<StatChartText>& texts);
QPen pen(const QColor& colour, double width, Qt::PenStyle style = Qt::SolidLine);
void drawTexts(QPainter& painter, const QList<StatChartText>& texts);

// Adds a marker unless one of the same kind already covers that pixel.
class MarkerSieve
{
public:
    void add(QList<ChartMarker>& markers, const ChartMarker& marker)
    {
        Last& last = last_[marker.kind & 15];
        if (last.used && std::fabs(last.at.x() - marker.at.x()) < 1.0 && std::fabs(last.at.y() - marker.at.y()) < 2.0) {
            return;
        }
        last = {true, marker.at};
        markers << marker;
    }

private:
    struct Last
    {
        bool used = false;
        QPointF at;
    };
    std::array<Last, 16> last_{};
};

} // namespace statcharts
