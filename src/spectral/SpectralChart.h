#pragma once
// The spectral chart, worked out as plain geometry first (testable without
// painting) and then painted from it: a dashed grid, the axes, wavelength
// and percent labels, the axis titles, and one polyline per shown record on a
// scale of 60, 120 or 240 percent taken from the shown records only.

#include "SpectralRecord.h"

#include <QColor>
#include <QLineF>
#include <QList>
#include <QPolygonF>
#include <QRectF>
#include <QString>

class QPainter;

struct ChartText
{
    QRectF rect;
    int alignment = 0; // Qt::Alignment flags
    QString text;
};

struct ChartCurve
{
    int recordIndex = 0;
    QColor colour;
    QPolygonF points;
};

struct SpectralChartGeometry
{
    QRectF area;
    double left = 0, right = 0, top = 0, bottom = 0; // the plot
    double plotWidth = 0, plotHeight = 0;
    int yMax = 60;

    QList<QLineF> gridLines; // 12 horizontal, then 31 vertical
    QLineF xAxis;
    QLineF yAxis;
    QList<ChartText> xLabels; // wavelengths and the x axis title
    QList<ChartText> yLabels; // 0, the middle and the upper percent
    // The y axis title, drawn rotated by 270 degrees about the centre of
    // yTitle.rect so that it reads from bottom to top; no text for layouts
    // that have none.
    ChartText yTitle;
    QList<ChartCurve> curves; // shown records in list order

    double xAt(int k) const { return left + k * plotWidth / 30.0; }
    double yAt(double value) const { return bottom - value * plotHeight / yMax; }
};

// 60; 120 when a shown value exceeds 60; 240 when one exceeds 120.
int spectralScale(const QList<SpectralRecord>& records);
// The colour of the record at position index of the list.
QColor spectralCurveColour(int index);
// The y axis title of a layout: transmittance for 0 and 3, reflectance for
// 1 and 2, none otherwise (translated).
QString spectralAxisTitle(int layout);

SpectralChartGeometry spectralChartGeometry(const QRectF& area, const QList<SpectralRecord>& records,
                                            int layout);
void paintSpectralChart(QPainter& painter, const SpectralChartGeometry& chart);
