#pragma once
// The statistics window's three charts, worked out as plain geometry first
// (testable without painting, and shared by the window and the report) and
// then painted from it:
//  - the individuals chart of one difference with the moving-range chart
//    below: centre line, control limits, tolerance lines, the baseline the
//    limits come from shaded, NG points, points outside the limits and runs;
//  - the a*b* plane: each sample's (Δa*, Δb*) around the standard at the
//    origin, the tolerance contour, the batch's 95 % ellipse, an L* bar;
//  - the histogram of one difference with its tolerance lines.
// With tens of thousands of rows a chart keeps at most a few points per pixel
// column, so painting costs the same for 1 000 or 100 000 rows.

#include "Capability.h"
#include "ControlChart.h"
#include "RunningStatistics.h"

#include <QColor>
#include <QImage>
#include <QLineF>
#include <QList>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

class QPainter;

struct StatChartText
{
    QRectF rect;
    int alignment = 0; // Qt::Alignment flags
    QString text;
    QColor colour = Qt::black;
};

// A value range drawn into a rectangle (y grows upwards in value).
struct PlotFrame
{
    QRectF plot;
    double xMin = 0, xMax = 1, yMin = 0, yMax = 1;

    double x(double value) const { return plot.left() + (value - xMin) * plot.width() / (xMax - xMin); }
    double y(double value) const { return plot.bottom() - (value - yMin) * plot.height() / (yMax - yMin); }
    double xValue(double pixel) const;
    double yValue(double pixel) const;
};

// About count round-numbered ticks covering min..max (1, 2 or 5 times a power of ten).
std::vector<double> axisTicks(double min, double max, int count);

enum MarkerKind : std::uint8_t {
    MarkerPass = 0,
    MarkerNg = 8, // joins the PointMark bits of ControlChart.h
};

struct ChartMarker
{
    QPointF at;
    int index = 0;          // into the series (or the point list)
    std::uint8_t kind = 0;  // PointMark bits | MarkerNg
};

struct ControlChartGeometry
{
    QRectF area;
    PlotFrame individuals;
    PlotFrame ranges;
    int count = 0;
    QPolygonF values;     // the individuals line (thinned to the pixel columns)
    QPolygonF movingRanges;
    QList<QLineF> limitLines;     // centre, upper, lower (empty without limits)
    QList<QLineF> rangeLimitLines; // MR-bar, MR upper limit
    QList<QLineF> toleranceLines;
    QRectF baseline;              // the baseline's span in the individuals plot
    QList<QLineF> grid;
    QList<ChartMarker> markers;   // NG, outside the limits, in a run
    QList<ChartMarker> rangeMarkers;
    QList<StatChartText> texts;
};

struct ControlChartInput
{
    const ControlSeries* series = nullptr;
    ControlLimits limits;
    std::vector<std::uint8_t> marks;   // ControlSeries::marks of the limits
    const std::vector<std::uint8_t>* ng = nullptr; // per value: its row was judged NG
    double minimum = 0.0;              // of the values (the sorted list's ends)
    double maximum = 0.0;
    ToleranceLimits tolerance{0, 0};
    QString symbol;                    // "ΔE"
};

ControlChartGeometry controlChartGeometry(const QRectF& area, const ControlChartInput& input);
// The series index of the point under pixel (within radius), or -1.
int controlChartIndexAt(const ControlChartGeometry& chart, const ControlSeries& series, const QPointF& pixel,
                        double radius = 6.0);
void paintControlChart(QPainter& painter, const ControlChartGeometry& chart);

struct AbPlaneInput
{
    const std::vector<double>* a = nullptr; // Δa* per point
    const std::vector<double>* b = nullptr; // Δb* per point, same rows
    const std::vector<double>* l = nullptr; // ΔL* per point (may be null)
    const std::vector<std::uint8_t>* ng = nullptr; // per point
    double reach = 0.0;                    // largest |Δa*| or |Δb*|
    double lReach = 0.0;                   // largest |ΔL*|
    // The tolerance contour around the origin, (Δa*, Δb*) pairs; empty when
    // the threshold is unknown.
    std::vector<std::pair<double, double>> contour;
    RunningCovariance covariance;          // of (Δa*, Δb*)
};

struct AbPlaneGeometry
{
    QRectF area;
    PlotFrame plane;    // square: one unit is as long on both axes
    PlotFrame lBar;     // ΔL* bar beside the plane (x unused)
    QList<QLineF> axes;
    QList<QLineF> grid;
    QPolygonF contour;
    QPolygonF ellipse;  // empty below three points or without spread
    QList<ChartMarker> points;
    QList<ChartMarker> lMarks;
    QList<StatChartText> texts;
};

// 95 % region of a bivariate normal with these means and covariance, as a
// closed polygon in value units (steps points), or empty if it is degenerate.
std::vector<std::pair<double, double>> confidenceEllipse(const RunningCovariance& covariance, int steps = 72);

AbPlaneGeometry abPlaneGeometry(const QRectF& area, const AbPlaneInput& input);
// The point index under pixel (within radius), or -1.
int abPlaneIndexAt(const AbPlaneGeometry& chart, const AbPlaneInput& input, const QPointF& pixel,
                   double radius = 6.0);
void paintAbPlane(QPainter& painter, const AbPlaneGeometry& chart);

struct HistogramGeometry
{
    QRectF area;
    PlotFrame frame;
    double first = 0.0;  // lower edge of the first bin
    double binWidth = 1.0;
    std::vector<int> counts;
    QList<QRectF> bars;
    std::vector<bool> beyondTolerance; // per bar: its centre lies outside the tolerance
    QList<QLineF> toleranceLines;
    QList<QLineF> grid;
    QList<StatChartText> texts;
};

// sorted: the values in ascending order. Bins: about the square root of n,
// 5 to 40 of them; a quantity with only an upper limit (ΔE) starts at 0.
HistogramGeometry histogramGeometry(const QRectF& area, const std::vector<double>& sorted,
                                    const ToleranceLimits& tolerance, const QString& symbol);
// The bin under pixel, or -1.
int histogramBinAt(const HistogramGeometry& chart, const QPointF& pixel);
void paintHistogram(QPainter& painter, const HistogramGeometry& chart);

// Colours the charts and their legends share.
QColor chartNgColour();

// A chart drawn by paint into a white image of size (in points) at twice
// the pixels, with the 13-pixel font the reports' charts use.
QImage chartImage(const QSize& size, const std::function<void(QPainter&)>& paint);
QColor chartLimitColour();
QColor chartRunColour();
QColor chartToleranceColour();
