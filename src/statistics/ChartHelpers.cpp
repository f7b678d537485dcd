#include "ChartHelpers.h"

#include <QPainter>

#include <algorithm>

namespace statcharts {

int decimalsFor(double step)
{
    return step > 0 ? std::clamp(static_cast<int>(-std::floor(std::log10(step) + 1e-9)), 0, 6) : 2;
}

int tickDecimals(const std::vector<double>& ticks)
{
    return ticks.size() > 1 ? decimalsFor(ticks[1] - ticks[0]) : 2;
}

QString number(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

std::pair<double, double> padded(double lo, double hi)
{
    if (!(hi > lo)) {
        return {lo - 1.0, hi + 1.0};
    }
    const double pad = (hi - lo) / 20.0;
    return {lo - pad, hi + pad};
}

void include(double& lo, double& hi, double value)
{
    if (std::isfinite(value)) {
        lo = std::min(lo, value);
        hi = std::max(hi, value);
    }
}

void yAxis(const PlotFrame& frame, int tickCount, QList<QLineF>& grid, QList<StatChartText>& texts)
{
    const std::vector<double> ticks = axisTicks(frame.yMin, frame.yMax, tickCount);
    const int decimals = tickDecimals(ticks);
    for (const double t : ticks) {
        const double y = frame.y(t);
        grid << QLineF(frame.plot.left(), y, frame.plot.right(), y);
        texts << StatChartText{QRectF(frame.plot.left() - 62, y - 9, 58, 18), Qt::AlignRight | Qt::AlignVCenter,
                               number(t, decimals)};
    }
}

QPen pen(const QColor& colour, double width, Qt::PenStyle style)
{
    return QPen(colour, width, style, Qt::FlatCap, Qt::MiterJoin);
}

void drawTexts(QPainter& painter, const QList<StatChartText>& texts)
{
    for (const StatChartText& t : texts) {
        painter.setPen(t.colour);
        painter.drawText(t.rect, t.alignment, t.text);
    }
}

} // namespace statcharts

QColor chartNgColour()
{
    return QColor(220, 20, 20);
}

QColor chartLimitColour()
{
    return QColor(170, 0, 170);
}

QColor chartRunColour()
{
    return QColor(230, 130, 0);
}

QColor chartToleranceColour()
{
    return QColor(200, 0, 0);
}

double PlotFrame::xValue(double pixel) const
{
    return xMin + (pixel - plot.left()) * (xMax - xMin) / plot.width();
}

double PlotFrame::yValue(double pixel) const
{
    return yMin + (plot.bottom() - pixel) * (yMax - yMin) / plot.height();
}

std::vector<double> axisTicks(double min, double max, int count)
{
    std::vector<double> ticks;
    if (!(max > min) || count < 1 || !std::isfinite(min) || !std::isfinite(max)) {
        return ticks;
    }
    const double rough = (max - min) / count;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = power;
    for (const double f : {1.0, 2.0, 5.0, 10.0}) {
        step = f * power;
        if (step >= rough) {
            break;
        }
    }
    for (double t = std::ceil(min / step) * step; t <= max + step * 1e-9; t += step) {
        ticks.push_back(std::fabs(t) < step * 1e-9 ? 0.0 : t);
    }
    return ticks;
}
