#include "StatisticsScene.h"

#include "ToleranceContour.h"

#include <QFont>
#include <QPainter>

#include <algorithm>
#include <cmath>

ChartChoice defaultChartChoice(const WorkStatistics& work)
{
    ChartChoice choice;
    if (!work.quantities().contains(StatQuantity::DeltaE) && !work.quantities().isEmpty()) {
        choice.quantity = work.quantities().front();
    }
    return choice;
}

const StatisticsGroup& StatisticsScene::groupOf(const WorkStatistics& work, const ChartChoice& choice)
{
    if (choice.group >= 0 && choice.group < static_cast<int>(work.groups().size())) {
        return work.groups()[choice.group];
    }
    return work.overall();
}

const std::vector<std::pair<double, double>>& StatisticsScene::contourFor(const StatisticsGroup& group)
{
    // The group's standard; over all rows the newest row's standard.
    ComparisonRecord probe;
    probe.legacy = group.legacy;
    probe.standard = group.standard;
    probe.legacyStandard = group.legacyStandard;
    probe.settings = group.settings;
    const std::optional<DeltaEFormula> formula = recordFormula(probe);
    const LabColor lab = recordStandardLab(probe);
    const double threshold = quantityLimits(group.settings, StatQuantity::DeltaE, group.legacy).upper;
    ContourKey key{formula ? static_cast<int>(*formula) : -1, lab.l, lab.a, lab.b,
                   std::isnan(threshold) ? -1.0 : threshold};
    if (!(key == contourKey_)) {
        contourKey_ = key;
        contour_.clear();
        if (formula && key.threshold >= 0) {
            contour_ = toleranceContour(*formula, lab, key.threshold);
        }
    }
    return contour_;
}

void StatisticsScene::build(const WorkStatistics& work, const ChartChoice& choice, const ChartAreas& areas)
{
    const StatisticsGroup& group = groupOf(work, choice);
    static const ControlSeries kEmptySeries;
    static const std::vector<int> kNoRows;
    const QuantityStatistics* q = group.find(choice.quantity);
    const ControlSeries& series = q ? q->series : kEmptySeries;
    const std::vector<int>& rows = q ? q->rows : kNoRows;

    controlInput_.series = &series;
    controlRows_ = &rows;
    switch (choice.baseline) {
    case ChartChoice::AllRows:
        controlInput_.limits = series.limits();
        break;
    case ChartChoice::FirstRows:
        controlInput_.limits = series.limits(0, choice.count);
        break;
    case ChartChoice::RowRange:
        controlInput_.limits = series.limits(choice.first, choice.count);
        break;
    }
    controlInput_.marks = series.marks(controlInput_.limits);
    static const std::vector<std::uint8_t> kNoFlags;
    controlInput_.ng = q ? &q->ng : &kNoFlags;
    controlInput_.minimum = q ? q->values.minimum() : 0.0;
    controlInput_.maximum = q ? q->values.maximum() : 0.0;
    controlInput_.tolerance = quantityLimits(group.settings, choice.quantity, group.legacy);
    controlInput_.symbol = quantitySymbol(choice.quantity);
    control_ = controlChartGeometry(areas.control, controlInput_);

    const QuantityStatistics* a = group.find(StatQuantity::A);
    const QuantityStatistics* b = group.find(StatQuantity::B);
    const QuantityStatistics* l = group.find(StatQuantity::L);
    hasPlane_ = a && b && a->rows == b->rows ? true : false;
    if (hasPlane_) {
        planeInput_.a = &a->series.values();
        planeInput_.b = &b->series.values();
        planeInput_.l = l && l->rows == a->rows ? &l->series.values() : nullptr;
        planeRows_ = &a->rows;
        planeInput_.ng = &a->ng;
        const auto reach = [](const RunningStatistics& v) {
            return v.count() ? std::max(std::fabs(v.minimum()), std::fabs(v.maximum())) : 0.0;
        };
        planeInput_.reach = std::max(reach(a->values), reach(b->values));
        planeInput_.lReach = planeInput_.l ? reach(l->values) : 0.0;
        planeInput_.covariance = group.ab;
        planeInput_.contour = contourFor(group);
        plane_ = abPlaneGeometry(areas.plane, planeInput_);
    } else {
        plane_ = AbPlaneGeometry();
    }
    histogram_ = histogramGeometry(areas.histogram, q ? q->values.sorted() : std::vector<double>(),
                                   controlInput_.tolerance, controlInput_.symbol);
}

int StatisticsScene::controlRowAt(const QPointF& pixel) const
{
    if (!controlInput_.series) {
        return -1;
    }
    const int i = controlChartIndexAt(control_, *controlInput_.series, pixel);
    return i >= 0 && i < static_cast<int>(controlRows_->size()) ? (*controlRows_)[i] : -1;
}

int StatisticsScene::planeRowAt(const QPointF& pixel) const
{
    if (!hasPlane_) {
        return -1;
    }
    const int i = abPlaneIndexAt(plane_, planeInput_, pixel);
    return i >= 0 && i < static_cast<int>(planeRows_->size()) ? (*planeRows_)[i] : -1;
}

int StatisticsScene::histogramBinAt(const QPointF& pixel) const
{
    return ::histogramBinAt(histogram_, pixel);
}

QImage chartImage(const QSize& size, const std::function<void(QPainter&)>& paint)
{
    constexpr int kResolution = 2;
    QImage image(size * kResolution, QImage::Format_RGB32);
    image.setDevicePixelRatio(kResolution);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font = painter.font();
    font.setPixelSize(13);
    painter.setFont(font);
    paint(painter);
    return image;
}
