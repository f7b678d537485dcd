// The spectral chart: scale, colours, labels and titles as geometry, and an
// offscreen render checked at a few pixels.
#include "SpectralCases.h"
#include "SpectralChart.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <algorithm>
#include <QTranslator>

using namespace spectralcases;

using Records = QList<SpectralRecord>;
Q_DECLARE_METATYPE(Records)

namespace {

const QRectF kArea(10, 20, 900, 400);

// Pixels of colour within radius of (x, y).
bool colourNear(const QImage& image, double x, double y, QColor colour, int radius = 2)
{
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            const QPoint p(qRound(x) + dx, qRound(y) + dy);
            if (image.rect().contains(p) && image.pixelColor(p) == colour) {
                return true;
            }
        }
    }
    return false;
}

QImage render(const SpectralChartGeometry& chart)
{
    QImage image(1000, 500, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintSpectralChart(painter, chart);
    return image;
}

} // namespace

class SpectralChartTest : public QObject
{
    Q_OBJECT

private slots:
    void scale_fromShownRecordsOnly_data()
    {
        QTest::addColumn<Records>("records");
        QTest::addColumn<int>("yMax");
        QTest::addColumn<QStringList>("yLabels");
        const QStringList l60{"0", "25", "50"}, l120{"0", "50", "100"}, l240{"0", "100", "200"};
        QTest::newRow("no records") << Records{} << 60 << l60;
        QTest::newRow("exactly 60 keeps 60") << Records{peak(10, 5, 60.0)} << 60 << l60;
        QTest::newRow("60.01 gives 120") << Records{peak(10, 30, 60.01)} << 120 << l120;
        QTest::newRow("exactly 120 keeps 120") << Records{peak(10, 0, 120.0)} << 120 << l120;
        QTest::newRow("120.5 gives 240") << Records{peak(10, 12, 120.5)} << 240 << l240;
        QTest::newRow("300 stays at 240") << Records{peak(10, 12, 300)} << 240 << l240;
        QTest::newRow("hidden record ignored") << Records{peak(10, 3, 200, false), flat(50)} << 60 << l60;
        QTest::newRow("every record hidden") << Records{flat(100, false)} << 60 << l60;
        QTest::newRow("two records step up") << Records{flat(61), flat(121)} << 240 << l240;
        QTest::newRow("negative values") << Records{flat(-0.01)} << 60 << l60;
    }
    void scale_fromShownRecordsOnly()
    {
        QFETCH(Records, records);
        QFETCH(int, yMax);
        QFETCH(QStringList, yLabels);
        QCOMPARE(spectralScale(records), yMax);
        const SpectralChartGeometry chart = spectralChartGeometry(kArea, records, 0);
        QCOMPARE(chart.yMax, yMax);
        QStringList texts;
        for (const ChartText& label : chart.yLabels) {
            texts << label.text;
        }
        QCOMPARE(texts, yLabels);
        // The middle and upper labels sit at the height of their value.
        for (int i = 1; i <= 2; ++i) {
            QCOMPARE(chart.yLabels.at(i).rect.center().y(), chart.yAt(yLabels.at(i).toDouble()));
        }
    }

    // The third colour is checked in geometry_mapsWavelengthAndValue.
    void curveColour_byPosition()
    {
        QCOMPARE(spectralCurveColour(0), QColor(0, 0, 0));
        QCOMPARE(spectralCurveColour(1), QColor(1, 100, 200));
        QCOMPARE(spectralCurveColour(3), QColor(3, 44, 88));
        QCOMPARE(spectralCurveColour(100), QColor(0, 16, 32)); // the 101st wraps red
        QCOMPARE(spectralCurveColour(999), QColor(99, 60, 120));
    }

    void axisTitle_byLayout()
    {
        const QString transmittance = "Transmittance(%)", reflectance = "Reflectance(%)";
        const QList<QPair<int, QString>> cases{
            {0, transmittance}, {3, transmittance}, {1, reflectance}, {2, reflectance}, {4, ""}, {-1, ""}};
        for (const auto& [layout, title] : cases) {
            QCOMPARE(spectralChartGeometry(kArea, {}, layout).yTitle.text, title);
        }
    }

    void geometry_mapsWavelengthAndValue()
    {
        // The second record is hidden: the third keeps its colour by position.
        const SpectralChartGeometry c = spectralChartGeometry(kArea, {flat(30), flat(50, false), peak(20, 30, 300)}, 0);
        QCOMPARE(QRectF(QPointF(c.left, c.top), QPointF(c.right, c.bottom)), QRectF(10 + 180, 20 + 80, 540, 240));
        QCOMPARE(c.curves.size(), 2);
        QCOMPARE(c.curves.at(1).recordIndex, 2);
        QCOMPARE(c.curves.at(1).colour, QColor(2, 200, 144));
        QCOMPARE(c.curves.at(0).points.first(), QPointF(c.left, c.bottom - 30 * 240.0 / 240));
        QCOMPARE(c.curves.at(1).points.at(30).x(), c.right);
        QVERIFY(c.curves.at(1).points.at(30).y() < c.top); // 300 % is drawn above the plot
        QCOMPARE(c.xLabels.at(1).text, QStringLiteral("450")); // centred on its wavelength
        QCOMPARE(c.xLabels.at(1).rect.center().x(), c.xAt(5));
    }

    void render_axesAndCurveAtTheirPixels()
    {
        const SpectralChartGeometry c = spectralChartGeometry(kArea, {flat(30), flat(45)}, 1);
        const QImage image = render(c);
        QVERIFY(colourNear(image, c.left, (c.top + c.bottom) / 2 + 7, Qt::black)); // y axis
        QVERIFY(colourNear(image, c.xAt(7) + 5, c.bottom, Qt::black));            // x axis
        // Curves between grid lines, where nothing else is drawn.
        QVERIFY(colourNear(image, c.xAt(12) + 4, c.yAt(30), QColor(0, 0, 0)));
        QVERIFY(colourNear(image, c.xAt(12) + 4, c.yAt(45), QColor(1, 100, 200)));
        QVERIFY(!colourNear(image, c.xAt(12) + 4, c.yAt(37.5), QColor(1, 100, 200)));

        // The y axis title is drawn turned upright, taller than wide, and
        // clear of the value labels, also in a chart too narrow for its band.
        for (const QRectF& area : {kArea, QRectF(0, 0, 420, 300)}) {
            const SpectralChartGeometry chart = spectralChartGeometry(area, {flat(30)}, 1);
            SpectralChartGeometry labels;
            labels.area = chart.area;
            labels.left = chart.left;
            labels.yLabels = chart.yLabels;
            SpectralChartGeometry both = labels;
            both.yTitle = chart.yTitle;
            const QImage without = render(labels);
            const QImage with = render(both);
            QRect title;
            int firstLabelColumn = with.width();
            for (int y = 0; y < with.height(); ++y) {
                for (int x = 0; x < with.width(); ++x) {
                    if (with.pixelColor(x, y) != without.pixelColor(x, y)) {
                        title |= QRect(x, y, 1, 1);
                    } else if (without.pixelColor(x, y) != Qt::white
                               && std::any_of(labels.yLabels.begin(), labels.yLabels.end(),
                                              [&](const ChartText& l) { return l.rect.contains(x, y); })) {
                        firstLabelColumn = std::min(firstLabelColumn, x);
                    }
                }
            }
            QVERIFY2(!title.isEmpty() && title.height() > 2 * title.width(),
                     qPrintable(QStringLiteral("%1x%2").arg(title.width()).arg(title.height())));
            QVERIFY2(title.right() < firstLabelColumn,
                     qPrintable(QStringLiteral("title to %1, labels from %2").arg(title.right()).arg(firstLabelColumn)));
        }
    }

    void chineseCatalogue_translatesTitlesAndMessages()
    {
        QTranslator chinese;
        QVERIFY(chinese.load(QStringLiteral("Tintwell_zh"), QCoreApplication::applicationDirPath()));
        QCoreApplication::installTranslator(&chinese);
        const QStringList texts{spectralAxisTitle(0), spectralAxisTitle(1),
                                spectralChartGeometry(kArea, {}, 0).xLabels.last().text,
                                QCoreApplication::translate("MeterPageFor310", "No spectral history!")};
        QCoreApplication::removeTranslator(&chinese);
        QCOMPARE(texts, (QStringList{QStringLiteral("透过率(%)"), QStringLiteral("反射率(%)"),
                                     QStringLiteral("波长(nm)"), QStringLiteral("没有光谱历史记录！")}));
    }
};

QTEST_MAIN(SpectralChartTest)
#include "tst_spectral_chart.moc"
