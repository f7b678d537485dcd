#include "ChartHelpers.h"

#include <QCoreApplication>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <tuple>

using namespace statcharts;

namespace {

// highest and last value, so the line looks the same and costs the pixels.
QPolygonF thinnedLine(const PlotFrame& frame, const std::vector<double>& values, int firstIndex)
{
    QPolygonF line;
    const int n = static_cast<int>(values.size());
    const int columns = std::max(1, static_cast<int>(frame.plot.width()));
    if (n - firstIndex <= 4 * columns) {
        line.reserve(n - firstIndex);
        for (int i = firstIndex; i < n; ++i) {
            line << QPointF(frame.x(i), frame.y(values[i]));
        }
        return line;
    }
    line.reserve(4 * columns);
    const double perColumn = static_cast<double>(n - firstIndex) / columns;
    for (int c = 0; c < columns; ++c) {
        const int i0 = firstIndex + static_cast<int>(c * perColumn);
        const int i1 = std::min(n, firstIndex + static_cast<int>((c + 1) * perColumn));
        if (i1 <= i0) {
            continue;
        }
        int low = i0;
        int high = i0;
        for (int i = i0 + 1; i < i1; ++i) {
            if (values[i] < values[low]) {
                low = i;
            }
            if (values[i] > values[high]) {
                high = i;
            }
        }
        std::array<int, 4> keep{i0, std::min(low, high), std::max(low, high), i1 - 1};
        int previous = -1;
        for (const int i : keep) {
            if (i != previous) {
                line << QPointF(frame.x(i), frame.y(values[i]));
                previous = i;
            }
        }
    }
    return line;
}


void drawMarker(QPainter& painter, const ChartMarker& m)
{
    const QPointF p = m.at;
    if (m.kind & OutsideLimits) {
        painter.setPen(pen(chartLimitColour(), 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(p, 5.5, 5.5);
    }
    if (m.kind & InRun) {
        painter.setPen(pen(chartRunColour(), 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(p.x() - 4, p.y() - 4, 8, 8));
    }
    if (m.kind & MovingRangeOutside) {
        painter.setPen(pen(chartLimitColour(), 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(p, 5.5, 5.5);
    }
    if (m.kind & MarkerNg) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(chartNgColour());
        painter.drawEllipse(p, 3, 3);
    }
}


} // namespace

ControlChartGeometry controlChartGeometry(const QRectF& area, const ControlChartInput& input)
{
    ControlChartGeometry c;
    c.area = area;
    const ControlSeries& series = *input.series;
    const std::vector<double>& values = series.values();
    c.count = series.count();

    const double left = area.left() + 66;
    const double right = area.right() - 96;
    const double top = area.top() + 24;
    const double bottom = area.bottom() - 42;
    const double split = top + 0.64 * (bottom - top);
    c.individuals.plot = QRectF(QPointF(left, top), QPointF(right, split - 14));
    c.ranges.plot = QRectF(QPointF(left, split + 10), QPointF(right, bottom));
    for (PlotFrame* f : {&c.individuals, &c.ranges}) {
        f->xMin = -0.5;
        f->xMax = std::max(1, c.count) - 0.5;
    }

    const ControlLimits& l = input.limits;
    const ToleranceLimits& limits = input.tolerance;
    double lo = std::numeric_limits<double>::infinity();
    double hi = -lo;
    if (c.count > 0) {
        lo = input.minimum;
        hi = input.maximum;
    }
    if (l.valid) {
        include(lo, hi, l.lower);
        include(lo, hi, l.upper);
    }
    include(lo, hi, limits.lower);
    include(lo, hi, limits.upper);
    if (!std::isfinite(lo)) {
        lo = 0.0;
        hi = 1.0;
    }
    std::tie(c.individuals.yMin, c.individuals.yMax) = padded(lo, hi);

    const double rangeHigh = std::max(l.valid ? l.movingRangeUpper : 0.0, series.largestMovingRange());
    c.ranges.yMin = 0.0;
    c.ranges.yMax = rangeHigh > 0 ? rangeHigh * 1.08 : 1.0;

    yAxis(c.individuals, 6, c.grid, c.texts);
    yAxis(c.ranges, 3, c.grid, c.texts);
    for (const double t : axisTicks(1, std::max(2, c.count), 8)) {
        if (t != std::floor(t)) {
            continue;
        }
        const double x = c.individuals.x(t - 1);
        c.texts << StatChartText{QRectF(x - 30, bottom + 2, 60, 16), Qt::AlignHCenter | Qt::AlignTop,
                                 QString::number(static_cast<int>(t))};
    }
    c.texts << StatChartText{QRectF(left, area.top() + 2, right - left, 20), Qt::AlignLeft | Qt::AlignVCenter,
                             QCoreApplication::translate("StatisticsWindow", "Individuals: %1").arg(input.symbol)};
    c.texts << StatChartText{QRectF(left, split - 12, right - left, 20), Qt::AlignLeft | Qt::AlignVCenter,
                             QCoreApplication::translate("StatisticsWindow", "Moving range")};
    c.texts << StatChartText{QRectF(left, bottom + 20, right - left, 20), Qt::AlignHCenter | Qt::AlignTop,
                             QCoreApplication::translate("StatisticsWindow", "Sample")};

    // Labels of the lines at the right, per plot, moved apart where lines lie close.
    QList<int> individualLabels;
    QList<int> rangeLabels;
    const auto lineLabel = [&](const PlotFrame& f, double value, const QString& name, const QColor& colour) {
        const double y = f.y(value);
        (&f == &c.individuals ? individualLabels : rangeLabels) << static_cast<int>(c.texts.size());
        c.texts << StatChartText{QRectF(right + 4, y - 9, 92, 18), Qt::AlignLeft | Qt::AlignVCenter,
                                 QStringLiteral("%1 %2").arg(name, number(value, 3)), colour};
        return QLineF(left, y, right, y);
    };
    if (l.valid) {
        c.limitLines << lineLabel(c.individuals, l.centre, QStringLiteral("CL"), Qt::darkGreen);
        c.limitLines << lineLabel(c.individuals, l.upper, QStringLiteral("UCL"), chartLimitColour());
        c.limitLines << lineLabel(c.individuals, l.lower, QStringLiteral("LCL"), chartLimitColour());
        c.rangeLimitLines << lineLabel(c.ranges, l.movingRangeCentre, QStringLiteral("MR"), Qt::darkGreen);
        c.rangeLimitLines << lineLabel(c.ranges, l.movingRangeUpper, QStringLiteral("UCL"), chartLimitColour());
        // Shaded only when the limits come from part of the points.
        if (l.baselineCount < c.count) {
            c.baseline = QRectF(QPointF(c.individuals.x(l.baselineFirst - 0.5), top),
                                QPointF(c.individuals.x(l.baselineFirst + l.baselineCount - 0.5), bottom));
        }
    }
    if (!std::isnan(limits.upper)) {
        c.toleranceLines << lineLabel(c.individuals, limits.upper, QStringLiteral("USL"), chartToleranceColour());
    }
    if (!std::isnan(limits.lower)) {
        c.toleranceLines << lineLabel(c.individuals, limits.lower, QStringLiteral("LSL"), chartToleranceColour());
    }

    for (QList<int>* labels : {&individualLabels, &rangeLabels}) {
        std::sort(labels->begin(), labels->end(),
                  [&](int x, int y) { return c.texts.at(x).rect.top() < c.texts.at(y).rect.top(); });
        for (int k = 1; k < labels->size(); ++k) {
            const QRectF above = c.texts.at(labels->at(k - 1)).rect;
            QRectF& rect = c.texts[labels->at(k)].rect;
            if (rect.top() < above.top() + 15) {
                rect.moveTop(above.top() + 15);
            }
        }
    }

    c.values = thinnedLine(c.individuals, values, 0);
    const std::vector<double>& ranges = series.movingRanges();
    c.movingRanges = thinnedLine(c.ranges, ranges, 1);

    MarkerSieve sieve;
    MarkerSieve rangeSieve;
    const int marked = static_cast<int>(input.marks.size());
    const int flagged = input.ng ? static_cast<int>(input.ng->size()) : 0;
    for (int i = 0; i < c.count; ++i) {
        std::uint8_t kind = i < marked ? input.marks[i] : 0;
        if (i < flagged && (*input.ng)[i]) {
            kind |= MarkerNg;
        }
        const std::uint8_t shown = kind & (OutsideLimits | InRun | MarkerNg);
        if (shown) {
            sieve.add(c.markers, {QPointF(c.individuals.x(i), c.individuals.y(values[i])), i, shown});
        }
        if (kind & MovingRangeOutside) {
            rangeSieve.add(c.rangeMarkers,
                           {QPointF(c.ranges.x(i), c.ranges.y(ranges[i])), i, std::uint8_t(MovingRangeOutside)});
        }
    }
    return c;
}

int controlChartIndexAt(const ControlChartGeometry& chart, const ControlSeries& series, const QPointF& pixel,
                        double radius)
{
    if (chart.count == 0) {
        return -1;
    }
    const bool inRanges = chart.ranges.plot.adjusted(-radius, -radius, radius, radius).contains(pixel);
    const PlotFrame& f = inRanges ? chart.ranges : chart.individuals;
    const int centre = static_cast<int>(std::lround(f.xValue(pixel.x())));
    // Every value within radius pixels of the column, nearest first.
    const double perPixel = (f.xMax - f.xMin) / f.plot.width();
    const int span = static_cast<int>(std::ceil(radius * perPixel)) + 1;
    int best = -1;
    double bestDistance = radius;
    for (int i = std::max(0, centre - span); i <= std::min(chart.count - 1, centre + span); ++i) {
        const double v = inRanges ? series.movingRange(i) : series.values()[i];
        const double d = std::hypot(f.x(i) - pixel.x(), f.y(v) - pixel.y());
        if (d <= bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

namespace {

// A long zigzag line stroked as one path costs the raster painter seconds
// (its outline crosses itself thousands of times); in pieces of a few dozen
// points, sharing their ends, it looks the same and costs milliseconds.
void drawPolylineInPieces(QPainter& painter, const QPolygonF& line)
{
    constexpr int kPiece = 32;
    for (int first = 0; first + 1 < line.size(); first += kPiece) {
        const int count = std::min<int>(kPiece + 1, static_cast<int>(line.size()) - first);
        painter.drawPolyline(line.constData() + first, count);
    }
}

} // namespace

void paintControlChart(QPainter& painter, const ControlChartGeometry& c)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (!c.baseline.isEmpty()) {
        painter.fillRect(c.baseline.intersected(c.individuals.plot.united(c.ranges.plot)), QColor(225, 238, 250));
    }
    painter.setPen(pen(QColor(215, 215, 215), 1, Qt::DotLine));
    painter.drawLines(c.grid);
    painter.setPen(pen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(c.individuals.plot);
    painter.drawRect(c.ranges.plot);

    painter.setPen(pen(QColor(40, 70, 150), 1.2));
    drawPolylineInPieces(painter, c.values);
    drawPolylineInPieces(painter, c.movingRanges);
    for (int i = 0; i < c.limitLines.size(); ++i) {
        painter.setPen(i == 0 ? pen(Qt::darkGreen, 1.2) : pen(chartLimitColour(), 1.2, Qt::DashLine));
        painter.drawLine(c.limitLines.at(i));
    }
    for (int i = 0; i < c.rangeLimitLines.size(); ++i) {
        painter.setPen(i == 0 ? pen(Qt::darkGreen, 1.2) : pen(chartLimitColour(), 1.2, Qt::DashLine));
        painter.drawLine(c.rangeLimitLines.at(i));
    }
    painter.setPen(pen(chartToleranceColour(), 1.6));
    painter.drawLines(c.toleranceLines);
    for (const ChartMarker& m : c.markers) {
        drawMarker(painter, m);
    }
    for (const ChartMarker& m : c.rangeMarkers) {
        drawMarker(painter, m);
    }
    drawTexts(painter, c.texts);
    painter.restore();
}

