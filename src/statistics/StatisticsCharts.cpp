#include "StatisticsCharts.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <array>
#include <limits>
#include <tuple>
#include <cmath>

namespace {

const char* const kContext = "StatisticsWindow";
// -2 ln 0.05: the 95 % quantile of a chi-square with two degrees of freedom.
constexpr double kChiSquare2At95 = 5.991464547107979;
constexpr double kPi = 3.14159265358979323846;

QString tr(const char* text)
{
    return QCoreApplication::translate(kContext, text);
}

int decimalsFor(double step)
{
    return step > 0 ? std::clamp(static_cast<int>(-std::floor(std::log10(step) + 1e-9)), 0, 6) : 2;
}

QString number(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

// The value range padded by a twentieth on each side (a flat range gets +-1).
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

// Horizontal grid lines and their labels at the left of a plot.
void yAxis(const PlotFrame& frame, int tickCount, QList<QLineF>& grid, QList<StatChartText>& texts)
{
    const std::vector<double> ticks = axisTicks(frame.yMin, frame.yMax, tickCount);
    const int decimals = ticks.size() > 1 ? decimalsFor(ticks[1] - ticks[0]) : 2;
    for (const double t : ticks) {
        const double y = frame.y(t);
        grid << QLineF(frame.plot.left(), y, frame.plot.right(), y);
        texts << StatChartText{QRectF(frame.plot.left() - 62, y - 9, 58, 18), Qt::AlignRight | Qt::AlignVCenter,
                               number(t, decimals)};
    }
}

// The individuals line, keeping per pixel column only the first, lowest,
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

QPen pen(const QColor& colour, double width, Qt::PenStyle style = Qt::SolidLine)
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
    const Specification& spec = input.specification;
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
    include(lo, hi, spec.lower);
    include(lo, hi, spec.upper);
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
                             tr("Individuals: %1").arg(input.symbol)};
    c.texts << StatChartText{QRectF(left, split - 12, right - left, 20), Qt::AlignLeft | Qt::AlignVCenter,
                             tr("Moving range")};
    c.texts << StatChartText{QRectF(left, bottom + 20, right - left, 20), Qt::AlignHCenter | Qt::AlignTop,
                             tr("Sample")};

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
    if (!std::isnan(spec.upper)) {
        c.toleranceLines << lineLabel(c.individuals, spec.upper, QStringLiteral("USL"), chartToleranceColour());
    }
    if (!std::isnan(spec.lower)) {
        c.toleranceLines << lineLabel(c.individuals, spec.lower, QStringLiteral("LSL"), chartToleranceColour());
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
    painter.drawPolyline(c.values);
    painter.drawPolyline(c.movingRanges);
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

std::vector<std::pair<double, double>> confidenceEllipse(const RunningCovariance& cov, int steps)
{
    std::vector<std::pair<double, double>> points;
    if (cov.n < 3) {
        return points;
    }
    const double sxx = cov.varianceX();
    const double syy = cov.varianceY();
    const double sxy = cov.covariance();
    const double half = (sxx + syy) / 2.0;
    const double root = std::sqrt(std::max(0.0, half * half - (sxx * syy - sxy * sxy)));
    const double major = half + root;
    const double minor = half - root;
    if (!(minor > 1e-12 * std::max(1.0, major))) {
        return points;
    }
    // Unit eigenvector of the larger eigenvalue.
    double vx = sxy;
    double vy = major - sxx;
    if (std::hypot(vx, vy) < 1e-15) {
        vx = sxx >= syy ? 1.0 : 0.0;
        vy = sxx >= syy ? 0.0 : 1.0;
    }
    const double norm = std::hypot(vx, vy);
    vx /= norm;
    vy /= norm;
    const double ra = std::sqrt(kChiSquare2At95 * major);
    const double rb = std::sqrt(kChiSquare2At95 * minor);
    for (int k = 0; k <= steps; ++k) {
        const double t = 2.0 * kPi * k / steps;
        const double u = ra * std::cos(t);
        const double w = rb * std::sin(t);
        points.emplace_back(cov.meanX + u * vx - w * vy, cov.meanY + u * vy + w * vx);
    }
    return points;
}

AbPlaneGeometry abPlaneGeometry(const QRectF& area, const AbPlaneInput& input)
{
    AbPlaneGeometry g;
    g.area = area;
    const std::vector<double>& a = *input.a;
    const std::vector<double>& b = *input.b;
    const int n = static_cast<int>(std::min(a.size(), b.size()));
    const std::vector<std::pair<double, double>> ellipse = confidenceEllipse(input.covariance);

    double reach = input.reach;
    for (const auto& p : input.contour) {
        reach = std::max({reach, std::fabs(p.first), std::fabs(p.second)});
    }
    for (const auto& p : ellipse) {
        reach = std::max({reach, std::fabs(p.first), std::fabs(p.second)});
    }
    reach = reach > 0 ? reach * 1.1 : 1.0;

    const double barWidth = 70;
    const double side = std::max(40.0, std::min(area.width() - barWidth - 80, area.height() - 60));
    g.plane.plot = QRectF(area.left() + 56, area.top() + 24, side, side);
    g.plane.xMin = g.plane.yMin = -reach;
    g.plane.xMax = g.plane.yMax = reach;
    const std::vector<double> ticks = axisTicks(-reach, reach, 6);
    const int decimals = ticks.size() > 1 ? decimalsFor(ticks[1] - ticks[0]) : 2;
    const QRectF& p = g.plane.plot;
    for (const double t : ticks) {
        g.grid << QLineF(g.plane.x(t), p.top(), g.plane.x(t), p.bottom());
        g.grid << QLineF(p.left(), g.plane.y(t), p.right(), g.plane.y(t));
        g.texts << StatChartText{QRectF(g.plane.x(t) - 30, p.bottom() + 2, 60, 16), Qt::AlignHCenter | Qt::AlignTop,
                                 number(t, decimals)};
        g.texts << StatChartText{QRectF(p.left() - 54, g.plane.y(t) - 8, 50, 16), Qt::AlignRight | Qt::AlignVCenter,
                                 number(t, decimals)};
    }
    g.axes << QLineF(g.plane.x(0), p.top(), g.plane.x(0), p.bottom());
    g.axes << QLineF(p.left(), g.plane.y(0), p.right(), g.plane.y(0));
    g.texts << StatChartText{QRectF(p.left(), p.bottom() + 18, p.width(), 16), Qt::AlignHCenter | Qt::AlignTop,
                             QStringLiteral("Δa*")};
    g.texts << StatChartText{QRectF(p.left() - 56, area.top() + 2, 60, 20), Qt::AlignLeft | Qt::AlignVCenter,
                             QStringLiteral("Δb*")};
    g.texts << StatChartText{QRectF(p.left(), area.top() + 2, p.width(), 20), Qt::AlignHCenter | Qt::AlignVCenter,
                             tr("a*b* plane")};

    for (const auto& q : input.contour) {
        g.contour << QPointF(g.plane.x(q.first), g.plane.y(q.second));
    }
    for (const auto& q : ellipse) {
        g.ellipse << QPointF(g.plane.x(q.first), g.plane.y(q.second));
    }

    // One marker per pixel and verdict; NG ones after the others so they stay on top.
    const int width = std::max(1, static_cast<int>(p.width()) + 1);
    const int height = std::max(1, static_cast<int>(p.height()) + 1);
    std::vector<std::uint8_t> taken(static_cast<size_t>(width) * height, 0);
    QList<ChartMarker> ngPoints;
    const double sx = p.width() / (2 * reach);
    const double sy = p.height() / (2 * reach);
    const int flagged = input.ng ? static_cast<int>(input.ng->size()) : 0;
    for (int i = 0; i < n; ++i) {
        const bool ng = i < flagged && (*input.ng)[i];
        const double dx = (a[i] + reach) * sx;
        const double dy = (reach - b[i]) * sy;
        const int px = std::clamp(static_cast<int>(dx), 0, width - 1);
        const int py = std::clamp(static_cast<int>(dy), 0, height - 1);
        std::uint8_t& cell = taken[static_cast<size_t>(py) * width + px];
        const std::uint8_t bit = ng ? 2 : 1;
        if (cell & bit) {
            continue;
        }
        cell |= bit;
        (ng ? ngPoints : g.points) << ChartMarker{QPointF(p.left() + dx, p.top() + dy), i,
                                                  std::uint8_t(ng ? MarkerNg : MarkerPass)};
    }
    g.points << ngPoints;

    // The L* bar: ΔL* of each point on a vertical scale beside the plane.
    g.lBar.plot = QRectF(p.right() + 40, p.top(), 24, p.height());
    const double lReach = input.lReach > 0 ? input.lReach * 1.1 : 1.0;
    g.lBar.yMin = -lReach;
    g.lBar.yMax = lReach;
    g.texts << StatChartText{QRectF(g.lBar.plot.left() - 20, area.top() + 2, 64, 20), Qt::AlignHCenter | Qt::AlignVCenter,
                             QStringLiteral("ΔL*")};
    for (const double t : axisTicks(-lReach, lReach, 4)) {
        g.texts << StatChartText{QRectF(g.lBar.plot.right() + 2, g.lBar.y(t) - 8, 44, 16),
                                 Qt::AlignLeft | Qt::AlignVCenter, number(t, decimalsFor(lReach / 2))};
    }
    if (input.l) {
        MarkerSieve sieve;
        for (int i = 0; i < static_cast<int>(input.l->size()); ++i) {
            const bool ng = i < flagged && (*input.ng)[i];
            sieve.add(g.lMarks, {QPointF(g.lBar.plot.center().x(), g.lBar.y((*input.l)[i])), i,
                                 std::uint8_t(ng ? MarkerNg : MarkerPass)});
        }
    }
    return g;
}

int abPlaneIndexAt(const AbPlaneGeometry& g, const AbPlaneInput& input, const QPointF& pixel, double radius)
{
    const int n = static_cast<int>(std::min(input.a->size(), input.b->size()));
    int best = -1;
    double bestDistance = radius;
    for (int i = 0; i < n; ++i) {
        const double d = std::hypot(g.plane.x((*input.a)[i]) - pixel.x(), g.plane.y((*input.b)[i]) - pixel.y());
        if (d <= bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

void paintAbPlane(QPainter& painter, const AbPlaneGeometry& g)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(pen(QColor(215, 215, 215), 1, Qt::DotLine));
    painter.drawLines(g.grid);
    painter.setPen(pen(Qt::gray, 1));
    painter.drawLines(g.axes);
    painter.setPen(pen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(g.plane.plot);
    painter.setPen(pen(chartToleranceColour(), 1.6));
    painter.drawPolygon(g.contour);
    painter.setPen(pen(QColor(40, 70, 150), 1.4, Qt::DashLine));
    painter.drawPolygon(g.ellipse);
    painter.setPen(Qt::NoPen);
    for (const ChartMarker& m : g.points) {
        painter.setBrush(m.kind & MarkerNg ? chartNgColour() : QColor(30, 90, 200));
        painter.drawEllipse(m.at, 2.5, 2.5);
    }
    // The L* bar.
    painter.setPen(pen(Qt::black, 1));
    painter.setBrush(QColor(245, 245, 245));
    painter.drawRect(g.lBar.plot);
    painter.setPen(pen(Qt::gray, 1));
    painter.drawLine(QLineF(g.lBar.plot.left(), g.lBar.y(0), g.lBar.plot.right(), g.lBar.y(0)));
    for (const ChartMarker& m : g.lMarks) {
        painter.setPen(pen(m.kind & MarkerNg ? chartNgColour() : QColor(30, 90, 200), 1.5));
        painter.drawLine(QLineF(g.lBar.plot.left() + 3, m.at.y(), g.lBar.plot.right() - 3, m.at.y()));
    }
    drawTexts(painter, g.texts);
    painter.restore();
}

HistogramGeometry histogramGeometry(const QRectF& area, const std::vector<double>& sorted,
                                    const Specification& spec, const QString& symbol)
{
    HistogramGeometry h;
    h.area = area;
    h.frame.plot = QRectF(QPointF(area.left() + 56, area.top() + 24), QPointF(area.right() - 16, area.bottom() - 36));
    h.texts << StatChartText{QRectF(h.frame.plot.left(), area.top() + 2, h.frame.plot.width(), 20),
                             Qt::AlignHCenter | Qt::AlignVCenter, tr("Histogram: %1").arg(symbol)};
    const int n = static_cast<int>(sorted.size());
    double lo = n ? sorted.front() : 0.0;
    double hi = n ? sorted.back() : 1.0;
    include(lo, hi, spec.lower);
    include(lo, hi, spec.upper);
    if (std::isnan(spec.lower) && !std::isnan(spec.upper)) {
        lo = std::min(lo, 0.0);
    }
    if (!(hi > lo)) {
        hi = lo + 1.0;
    }
    const int bins = std::clamp(static_cast<int>(std::lround(std::sqrt(static_cast<double>(n)))), 5, 40);
    h.first = lo;
    h.binWidth = (hi - lo) / bins;
    h.counts.assign(bins, 0);
    for (const double v : sorted) {
        const int bin = std::clamp(static_cast<int>((v - lo) / h.binWidth), 0, bins - 1);
        ++h.counts[bin];
    }
    const int most = n ? *std::max_element(h.counts.begin(), h.counts.end()) : 1;
    h.frame.xMin = lo;
    h.frame.xMax = hi;
    h.frame.yMin = 0;
    h.frame.yMax = most * 1.1;
    yAxis(h.frame, 4, h.grid, h.texts);
    const std::vector<double> ticks = axisTicks(lo, hi, 6);
    const int decimals = ticks.size() > 1 ? decimalsFor(ticks[1] - ticks[0]) : 2;
    for (const double t : ticks) {
        h.texts << StatChartText{QRectF(h.frame.x(t) - 30, h.frame.plot.bottom() + 2, 60, 16),
                                 Qt::AlignHCenter | Qt::AlignTop, number(t, decimals)};
    }
    for (int i = 0; i < bins; ++i) {
        const double left = lo + i * h.binWidth;
        const double centre = left + h.binWidth / 2;
        h.bars << QRectF(QPointF(h.frame.x(left), h.frame.y(h.counts[i])),
                         QPointF(h.frame.x(left + h.binWidth), h.frame.y(0)));
        h.beyondTolerance.push_back((!std::isnan(spec.upper) && centre > spec.upper)
                                    || (!std::isnan(spec.lower) && centre < spec.lower));
    }
    for (const double limit : {spec.lower, spec.upper}) {
        if (!std::isnan(limit)) {
            h.toleranceLines << QLineF(h.frame.x(limit), h.frame.plot.top(), h.frame.x(limit), h.frame.plot.bottom());
        }
    }
    return h;
}

int histogramBinAt(const HistogramGeometry& h, const QPointF& pixel)
{
    for (int i = 0; i < h.bars.size(); ++i) {
        const QRectF& bar = h.bars.at(i);
        if (pixel.x() >= bar.left() && pixel.x() < bar.right() && pixel.y() >= h.frame.plot.top()
            && pixel.y() <= h.frame.plot.bottom()) {
            return i;
        }
    }
    return -1;
}

void paintHistogram(QPainter& painter, const HistogramGeometry& h)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(pen(QColor(215, 215, 215), 1, Qt::DotLine));
    painter.drawLines(h.grid);
    painter.setPen(pen(Qt::white, 1));
    for (int i = 0; i < h.bars.size(); ++i) {
        painter.setBrush(h.beyondTolerance[i] ? chartNgColour() : QColor(70, 130, 190));
        painter.drawRect(h.bars.at(i));
    }
    painter.setPen(pen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(h.frame.plot);
    painter.setPen(pen(chartToleranceColour(), 2));
    painter.drawLines(h.toleranceLines);
    drawTexts(painter, h.texts);
    painter.restore();
}
