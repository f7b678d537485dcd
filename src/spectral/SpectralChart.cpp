#include "SpectralChart.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QVarLengthArray>

#include <algorithm>

namespace {

const char* const kContext = "MeterPageFor310";

bool anyAbove(const SpectralRecord& record, double limit)
{
    return std::any_of(record.values.begin(), record.values.end(), [limit](double v) { return v > limit; });
}

QPen chartPen(const QColor& colour, Qt::PenStyle style)
{
    QPen pen(colour, 2, style, Qt::SquareCap, Qt::BevelJoin);
    return pen;
}

} // namespace

int spectralScale(const QList<SpectralRecord>& records)
{
    int yMax = 60;
    for (const SpectralRecord& record : records) {
        if (!record.shown) {
            continue;
        }
        if (yMax < 120 && anyAbove(record, yMax)) {
            yMax = 120;
        }
        if (yMax < 240 && anyAbove(record, yMax)) {
            yMax = 240;
        }
    }
    return yMax;
}

QColor spectralCurveColour(int index)
{
    return QColor(index % 100, (100 * index) % 256, (200 * index) % 256);
}

QString spectralAxisTitle(int layout)
{
    if (layout == 0 || layout == 3) {
        return QCoreApplication::translate(kContext, "Transmittance(%)");
    }
    if (layout == 1 || layout == 2) {
        return QCoreApplication::translate(kContext, "Reflectance(%)");
    }
    return QString();
}

SpectralChartGeometry spectralChartGeometry(const QRectF& area, const QList<SpectralRecord>& records,
                                            int layout)
{
    SpectralChartGeometry c;
    c.area = area;
    const double x = area.x();
    const double y = area.y();
    const double w = area.width();
    const double h = area.height();
    c.left = x + 0.2 * w;
    c.right = x + 0.8 * w;
    c.top = y + 0.2 * h;
    c.bottom = y + 0.8 * h;
    c.plotWidth = 0.6 * w;
    c.plotHeight = 0.6 * h;

    for (int i = 0; i < 12; ++i) {
        const double gy = c.top + i * c.plotHeight / 12.0;
        c.gridLines << QLineF(c.left, gy, c.right, gy);
    }
    for (int i = 0; i <= 30; ++i) {
        c.gridLines << QLineF(c.xAt(i), c.top, c.xAt(i), c.bottom);
    }
    c.xAxis = QLineF(c.left, c.bottom, c.right, c.bottom);
    c.yAxis = QLineF(c.left, c.bottom, c.left, c.top);

    // Wavelength labels, each centred on its wavelength ("400" starts at it).
    const double band = h / 10.0;
    c.xLabels << ChartText{QRectF(c.left, c.bottom, w / 10.0, band), Qt::AlignLeft | Qt::AlignVCenter,
                          QStringLiteral("400")};
    const double lefts[] = {c.left, x + 0.3 * w, x + 0.4 * w, x + 0.5 * w, x + 0.6 * w, x + 0.7 * w};
    for (int i = 0; i < 6; ++i) {
        c.xLabels << ChartText{QRectF(lefts[i], c.bottom, 0.2 * w, band), Qt::AlignCenter,
                              QString::number(450 + 50 * i)};
    }
    c.xLabels << ChartText{QRectF(x, y + 0.9 * h, w, band), Qt::AlignCenter,
                          QCoreApplication::translate(kContext, "Wavelength(nm)")};

    c.yMax = spectralScale(records);
    const int upper = 5 * c.yMax / 6;
    const double labelLeft = x + 0.1 * w;
    const double labelWidth = c.left - labelLeft;
    const QRectF lower(labelLeft, c.top + c.plotHeight / 6.0, labelWidth, 5.0 * c.plotHeight / 6.0);
    c.yLabels << ChartText{lower, Qt::AlignRight | Qt::AlignBottom, QStringLiteral("0")};
    c.yLabels << ChartText{lower, Qt::AlignRight | Qt::AlignVCenter, QString::number(0.5 * upper, 'g', 6)};
    c.yLabels << ChartText{QRectF(labelLeft, c.top, labelWidth, 2.0 * c.plotHeight / 6.0),
                          Qt::AlignRight | Qt::AlignVCenter, QString::number(upper)};

    c.yTitle = ChartText{QRectF(x + w / 8.0, y, w / 10.0, h), Qt::AlignCenter, spectralAxisTitle(layout)};

    for (int r = 0; r < records.size(); ++r) {
        const SpectralRecord& record = records.at(r);
        if (!record.shown) {
            continue;
        }
        ChartCurve curve;
        curve.recordIndex = r;
        curve.colour = spectralCurveColour(r);
        curve.points.reserve(kSpectralPointCount);
        for (int k = 0; k < kSpectralPointCount; ++k) {
            curve.points << QPointF(c.xAt(k), c.yAt(record.values[static_cast<size_t>(k)]));
        }
        c.curves << curve;
    }
    return c;
}

void paintSpectralChart(QPainter& painter, const SpectralChartGeometry& chart)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);

    QPen grid(Qt::gray, 1, Qt::DashLine, Qt::SquareCap, Qt::BevelJoin);
    painter.setPen(grid);
    painter.drawLines(chart.gridLines);

    painter.setPen(chartPen(Qt::black, Qt::SolidLine));
    painter.drawLine(chart.xAxis);
    painter.drawLine(chart.yAxis);
    for (const ChartText& label : chart.xLabels) {
        painter.drawText(label.rect, label.alignment, label.text);
    }

    // Each curve goes out as its segments in one call: the raster engine
    // fills wide straight segments about twice as fast as it strokes a wide
    // polyline, and the square caps of neighbouring segments cover the joins,
    // so the curve looks the same (1000 curves must repaint within a frame).
    QVarLengthArray<QLineF, kSpectralPointCount> segments;
    for (const ChartCurve& curve : chart.curves) {
        painter.setPen(chartPen(curve.colour, Qt::SolidLine));
        segments.clear();
        for (qsizetype k = 1; k < curve.points.size(); ++k) {
            segments.append(QLineF(curve.points.at(k - 1), curve.points.at(k)));
        }
        painter.drawLines(segments.constData(), static_cast<int>(segments.size()));
    }

    painter.setPen(chartPen(Qt::black, Qt::SolidLine));
    for (const ChartText& label : chart.yLabels) {
        painter.drawText(label.rect, label.alignment, label.text);
    }

    if (!chart.yTitle.text.isEmpty()) {
        // Turned about the centre of its band; the band is laid out across
        // the turned axes so the title is not confined to the band's width.
        // Where the chart is narrow the band reaches the value labels: the
        // title then moves left, clear of the widest of them.
        const QFontMetricsF metrics(painter.font());
        double widest = 0.0;
        for (const ChartText& label : chart.yLabels) {
            widest = std::max(widest, metrics.horizontalAdvance(label.text));
        }
        const double clear = chart.left - widest - 2.0 - metrics.height() / 2.0;
        QPointF centre = chart.yTitle.rect.center();
        centre.setX(std::max(chart.area.x() + metrics.height() / 2.0, std::min(centre.x(), clear)));
        painter.save();
        painter.translate(centre);
        painter.rotate(270);
        const QRectF turned(-chart.yTitle.rect.height() / 2.0, -chart.yTitle.rect.width() / 2.0,
                            chart.yTitle.rect.height(), chart.yTitle.rect.width());
        painter.drawText(turned, chart.yTitle.alignment, chart.yTitle.text);
        painter.restore();
    }
    painter.restore();
}
