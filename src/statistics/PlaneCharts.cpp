#include "ChartHelpers.h"

#include <QCoreApplication>
#include <QPainter>

#include <algorithm>
#include <cmath>

using namespace statcharts;

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
    const int decimals = tickDecimals(ticks);
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
                             QCoreApplication::translate("StatisticsWindow", "a*b* plane")};

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
                                    const ToleranceLimits& limits, const QString& symbol)
{
    HistogramGeometry h;
    h.area = area;
    h.frame.plot = QRectF(QPointF(area.left() + 56, area.top() + 24), QPointF(area.right() - 16, area.bottom() - 36));
    h.texts << StatChartText{QRectF(h.frame.plot.left(), area.top() + 2, h.frame.plot.width(), 20),
                             Qt::AlignHCenter | Qt::AlignVCenter,
                             QCoreApplication::translate("StatisticsWindow", "Histogram: %1").arg(symbol)};
    const int n = static_cast<int>(sorted.size());
    double lo = n ? sorted.front() : 0.0;
    double hi = n ? sorted.back() : 1.0;
    include(lo, hi, limits.lower);
    include(lo, hi, limits.upper);
    if (std::isnan(limits.lower) && !std::isnan(limits.upper)) {
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
    const int decimals = tickDecimals(ticks);
    for (const double t : ticks) {
        h.texts << StatChartText{QRectF(h.frame.x(t) - 30, h.frame.plot.bottom() + 2, 60, 16),
                                 Qt::AlignHCenter | Qt::AlignTop, number(t, decimals)};
    }
    for (int i = 0; i < bins; ++i) {
        const double left = lo + i * h.binWidth;
        const double centre = left + h.binWidth / 2;
        h.bars << QRectF(QPointF(h.frame.x(left), h.frame.y(h.counts[i])),
                         QPointF(h.frame.x(left + h.binWidth), h.frame.y(0)));
        h.beyondTolerance.push_back((!std::isnan(limits.upper) && centre > limits.upper)
                                    || (!std::isnan(limits.lower) && centre < limits.lower));
    }
    for (const double limit : {limits.lower, limits.upper}) {
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
