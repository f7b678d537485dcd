#pragma once
// What the statistics window shows for one choice (a group, a difference, a
// baseline for the control limits), worked out from the work's statistics:
// the inputs of the three charts, their geometry and the record row behind
// every point. The window, the report page and the benchmark build it alike.

#include "StatisticsCharts.h"
#include "WorkStatistics.h"

#include <optional>

struct ChartChoice
{
    int group = -1; // index into WorkStatistics::groups(); -1: all rows
    StatQuantity quantity = StatQuantity::DeltaE;
    enum Baseline { AllRows, FirstRows, RowRange };
    Baseline baseline = AllRows;
    // FirstRows: the first count points; RowRange: points first..first+count-1
    // (zero-based positions in the chart).
    int first = 0;
    int count = 0;
};

// All rows, limits from all samples, ΔE when the work shows it, else its
// first difference.
ChartChoice defaultChartChoice(const WorkStatistics& work);

struct ChartAreas
{
    QRectF control;
    QRectF plane;
    QRectF histogram;
};

class StatisticsScene
{
public:
    // The group a choice names (all rows when it names none).
    static const StatisticsGroup& groupOf(const WorkStatistics& work, const ChartChoice& choice);

    void build(const WorkStatistics& work, const ChartChoice& choice, const ChartAreas& areas);

    bool hasPlane() const { return hasPlane_; }
    const ControlChartGeometry& control() const { return control_; }
    const AbPlaneGeometry& plane() const { return plane_; }
    const HistogramGeometry& histogram() const { return histogram_; }
    const ControlLimits& limits() const { return controlInput_.limits; }
    const ControlSeries* series() const { return controlInput_.series; }

    // The record row under a pixel of each chart, or -1.
    int controlRowAt(const QPointF& pixel) const;
    int planeRowAt(const QPointF& pixel) const;
    int histogramBinAt(const QPointF& pixel) const;

private:
    const std::vector<std::pair<double, double>>& contourFor(const StatisticsGroup& group);

    ControlChartInput controlInput_;
    const std::vector<int>* controlRows_ = nullptr;
    ControlChartGeometry control_;
    bool hasPlane_ = false;
    AbPlaneInput planeInput_;
    const std::vector<int>* planeRows_ = nullptr;
    AbPlaneGeometry plane_;
    HistogramGeometry histogram_;

    // The tolerance contour is worked out again only when the formula, the
    // standard or the threshold change.
    struct ContourKey
    {
        int formula = -1;
        double l = 0, a = 0, b = 0, threshold = -2;
        bool operator==(const ContourKey& o) const
        {
            return formula == o.formula && l == o.l && a == o.a && b == o.b && threshold == o.threshold;
        }
    };
    ContourKey contourKey_;
    std::vector<std::pair<double, double>> contour_;
};
