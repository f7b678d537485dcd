// The statistics charts as geometry (limit lines, marks, the tolerance
// contour of a weighted formula, the 95 % ellipse, histogram bins) and an
// offscreen render checked at a few pixels; the row under a point.
#include "StatisticsCharts.h"
#include "StatisticsScene.h"
#include "ToleranceContour.h"
#include "WorkStatistics.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <cmath>

namespace {

const ChartAreas kAreas{QRectF(0, 0, 900, 500), QRectF(0, 0, 560, 460), QRectF(0, 0, 560, 300)};

// NIST's ten flow-rate batches as ΔE, then a drift; USL 55.
const double kDeltaE[] = {49.6, 47.6, 49.9, 51.3, 47.8, 51.2, 52.6, 52.4, 53.6, 52.1, 54.0, 55.0, 56.0, 57.0, 58.0};

WorkStatistics flowWork()
{
    WorkStatistics work(shownQuantities(DisplayMode::Lab, false));
    for (const double e : kDeltaE) {
        ComparisonRecord r;
        r.standard.fill(0.0);
        r.sample.fill(0.0);
        r.sample[ComparisonRecord::LabA] = e / 100;
        r.deltaE = e;
        r.pass = e <= 55.0;
        r.settings.deltaEThreshold = 55.0;
        work.add(r);
    }
    return work;
}

// A pixel within radius of at close to colour (antialiased edges blend).
bool colourNear(const QImage& image, QPointF at, const QColor& colour, int radius = 2)
{
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            const QPoint p(qRound(at.x()) + dx, qRound(at.y()) + dy);
            if (!image.rect().contains(p)) {
                continue;
            }
            const QColor c = image.pixelColor(p);
            if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green())
                    + std::abs(c.blue() - colour.blue()) < 150) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

class TestStatisticsCharts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void controlChart_frozenLimitsMarksAndRender()
    {
        const WorkStatistics work = flowWork();
        ChartChoice choice;
        choice.baseline = ChartChoice::FirstRows;
        choice.count = 10;
        StatisticsScene scene;
        scene.build(work, choice, kAreas);
        const ControlChartGeometry& c = scene.control();
        QCOMPARE(c.limitLines.size(), 3);
        QVERIFY(std::fabs(c.limitLines.at(1).y1() - c.individuals.y(55.8049)) < 0.05);
        QCOMPARE(c.toleranceLines.size(), 1); // ΔE: the upper limit only
        QVERIFY(std::fabs(c.toleranceLines.at(0).y1() - c.individuals.y(55.0)) < 1e-9);
        // Batches 13..15 are NG and outside the frozen limits.
        int outsideAndNg = 0;
        for (const ChartMarker& m : c.markers) {
            if ((m.kind & OutsideLimits) && (m.kind & MarkerNg)) {
                QVERIFY(m.index >= 12);
                ++outsideAndNg;
            }
        }
        QCOMPARE(outsideAndNg, 3);
        QCOMPARE(c.baseline.right(), c.individuals.x(9.5));

        QImage image(900, 500, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            paintControlChart(painter, c);
        }
        const QPointF last(c.individuals.x(14), c.individuals.y(58.0));
        QVERIFY(colourNear(image, last, chartNgColour(), 1));
        QVERIFY(colourNear(image, QPointF(c.individuals.plot.center().x(), c.individuals.y(55.0)),
                           chartToleranceColour(), 1));
        // The row under the last point; nothing far from any point.
        QCOMPARE(scene.controlRowAt(last + QPointF(2, -2)), 14);
        QCOMPARE(scene.controlRowAt(QPointF(c.individuals.x(14), c.individuals.plot.top() + 1)), -1);
    }

    void tolerance_cmcContourIsNarrowerAlongHue()
    {
        // A red standard (C* 40, hue 0): CMC reaches ΔE 1 at ΔC = SC along a*
        // and at about ΔH = SH along b*; by hand from the CMC weights,
        // SC = 0.0638 C / (1 + 0.0131 C) + 0.638 = 2.3125 and
        // SH = SC (F T + 1 - F) with T = 0.36 + |0.4 cos 35°| gives 1.5907.
        // ΔE*ab gives the circle of the threshold.
        const LabColor red{50, 40, 0};
        const auto cmc = toleranceContour(DeltaEFormula::Cmc2To1, red, 1.0, 4);
        QCOMPARE(cmc.size(), size_t(5)); // closed: the first point again
        QVERIFY2(std::fabs(cmc[0].first - 2.3125) < 0.01, qPrintable(QString::number(cmc[0].first)));
        QVERIFY2(std::fabs(cmc[1].second - 1.5907) < 0.01, qPrintable(QString::number(cmc[1].second)));
        for (const auto& p : toleranceContour(DeltaEFormula::CieAb, red, 2.0, 12)) {
            QVERIFY(std::fabs(std::hypot(p.first, p.second) - 2.0) < 1e-6);
        }
        QVERIFY(toleranceContour(DeltaEFormula::CieAb, red, -1.0).empty());
    }

    void ellipse_axesFromCovariance()
    {
        // Points (+-2, 0) and (0, +-1) twice over: variance 2.286 in x, 0.571 in y, no covariance.
        RunningCovariance cov;
        for (int k = 0; k < 2; ++k) {
            cov.add(2, 0);
            cov.add(-2, 0);
            cov.add(0, 1);
            cov.add(0, -1);
        }
        const auto e = confidenceEllipse(cov, 4);
        QCOMPARE(e.size(), size_t(5));
        QVERIFY(std::fabs(std::fabs(e[0].first) - std::sqrt(5.991464547 * 16.0 / 7)) < 1e-6);
        QVERIFY(std::fabs(std::fabs(e[1].second) - std::sqrt(5.991464547 * 4.0 / 7)) < 1e-6);
        RunningCovariance line;
        for (int i = 0; i < 5; ++i) {
            line.add(i, 2 * i); // all on one line: no ellipse
        }
        QVERIFY(confidenceEllipse(line).empty());
    }

    void histogram_binsAndThreshold()
    {
        const std::vector<double> sorted{0.1, 0.2, 0.2, 0.3, 0.9, 1.1, 1.6};
        const HistogramGeometry h = histogramGeometry(kAreas.histogram, sorted, {std::nan(""), 1.0}, "ΔE");
        QCOMPARE(h.frame.xMin, 0.0); // ΔE starts at 0
        int total = 0;
        for (const int n : h.counts) {
            total += n;
        }
        QCOMPARE(total, 7);
        QCOMPARE(h.counts.size(), size_t(5));
        QCOMPARE(h.toleranceLines.size(), 1);
        QVERIFY(std::fabs(h.toleranceLines.at(0).x1() - h.frame.x(1.0)) < 1e-9);
        QCOMPARE(h.beyondTolerance.back(), true);
        QCOMPARE(h.beyondTolerance.front(), false);
        QCOMPARE(histogramBinAt(h, h.bars.at(2).center()), 2);
    }
};

QTEST_MAIN(TestStatisticsCharts)
#include "tst_statistics_charts.moc"
