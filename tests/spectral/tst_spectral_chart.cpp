// The spectral chart: scale, colours, labels and titles as geometry, and an
// offscreen render checked at a few pixels.
#include "SpectralCases.h"
#include "SpectralChart.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QTranslator>

using namespace spectralcases;

Q_DECLARE_METATYPE(QList<SpectralRecord>)

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
    void scale_fromShownRecordsOnly_data();
    void scale_fromShownRecordsOnly();
    void curveColour_byPosition_data();
    void curveColour_byPosition();
    void axisTitle_byLayout_data();
    void axisTitle_byLayout();
    void geometry_mapsWavelengthAndValue();
    void render_axesAndCurveAtTheirPixels();
    void chineseCatalogue_translatesTitlesAndMessages();
};

void SpectralChartTest::scale_fromShownRecordsOnly_data()
{
    QTest::addColumn<QList<SpectralRecord>>("records");
    QTest::addColumn<int>("yMax");
    QTest::addColumn<QStringList>("yLabels");
    const QStringList labels60{"0", "25", "50"};
    QTest::newRow("no records") << QList<SpectralRecord>{} << 60 << labels60;
    QTest::newRow("exactly 60 keeps 60") << QList<SpectralRecord>{peak(10, 5, 60.0)} << 60 << labels60;
    QTest::newRow("60.01 gives 120") << QList<SpectralRecord>{peak(10, 30, 60.01)} << 120
                                     << QStringList{"0", "50", "100"};
    QTest::newRow("exactly 120 keeps 120") << QList<SpectralRecord>{peak(10, 0, 120.0)} << 120
                                           << QStringList{"0", "50", "100"};
    QTest::newRow("120.5 gives 240") << QList<SpectralRecord>{peak(10, 12, 120.5)} << 240
                                     << QStringList{"0", "100", "200"};
    QTest::newRow("300 stays at 240") << QList<SpectralRecord>{peak(10, 12, 300)} << 240
                                      << QStringList{"0", "100", "200"};
    QTest::newRow("hidden record ignored")
        << QList<SpectralRecord>{peak(10, 3, 200, false), flat(50)} << 60 << labels60;
    QTest::newRow("every record hidden") << QList<SpectralRecord>{flat(100, false)} << 60 << labels60;
    QTest::newRow("two records step up") << QList<SpectralRecord>{flat(61), flat(121)} << 240
                                         << QStringList{"0", "100", "200"};
    QTest::newRow("negative values") << QList<SpectralRecord>{flat(-0.01)} << 60 << labels60;
}

void SpectralChartTest::scale_fromShownRecordsOnly()
{
    QFETCH(QList<SpectralRecord>, records);
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
    QCOMPARE(chart.yLabels.at(1).rect.center().y(), chart.yAt(yLabels.at(1).toDouble()));
    QCOMPARE(chart.yLabels.at(2).rect.center().y(), chart.yAt(yLabels.at(2).toDouble()));
}

void SpectralChartTest::curveColour_byPosition_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("first black") << 0 << QColor(0, 0, 0);
    QTest::newRow("second") << 1 << QColor(1, 100, 200);
    QTest::newRow("third") << 2 << QColor(2, 200, 144);
    QTest::newRow("fourth") << 3 << QColor(3, 44, 88);
    QTest::newRow("101st wraps red") << 100 << QColor(0, 16, 32);
    QTest::newRow("1000th") << 999 << QColor(99, 60, 120);
}

void SpectralChartTest::curveColour_byPosition()
{
    QFETCH(int, index);
    QFETCH(QColor, colour);
    QCOMPARE(spectralCurveColour(index), colour);
}

void SpectralChartTest::axisTitle_byLayout_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<QString>("title");
    QTest::newRow("0 transmittance") << 0 << "Transmittance(%)";
    QTest::newRow("3 transmittance") << 3 << "Transmittance(%)";
    QTest::newRow("1 reflectance") << 1 << "Reflectance(%)";
    QTest::newRow("2 reflectance") << 2 << "Reflectance(%)";
    QTest::newRow("4 none") << 4 << "";
    QTest::newRow("-1 none") << -1 << "";
}

void SpectralChartTest::axisTitle_byLayout()
{
    QFETCH(int, layout);
    QFETCH(QString, title);
    QCOMPARE(spectralChartGeometry(kArea, {}, layout).yTitle.text, title);
}

void SpectralChartTest::geometry_mapsWavelengthAndValue()
{
    // The second record is hidden: the third keeps its colour by position.
    const QList<SpectralRecord> records{flat(30), flat(50, false), peak(20, 30, 300)};
    const SpectralChartGeometry c = spectralChartGeometry(kArea, records, 0);
    QCOMPARE(c.left, 10 + 180.0);
    QCOMPARE(c.right, 10 + 720.0);
    QCOMPARE(c.top, 20 + 80.0);
    QCOMPARE(c.bottom, 20 + 320.0);
    QCOMPARE(c.gridLines.size(), 12 + 31);
    QCOMPARE(c.yMax, 240);
    QCOMPARE(c.curves.size(), 2);
    QCOMPARE(c.curves.at(1).recordIndex, 2);
    QCOMPARE(c.curves.at(1).colour, QColor(2, 200, 144));
    QCOMPARE(c.curves.at(0).points.first(), QPointF(c.left, c.bottom - 30 * 240.0 / 240));
    QCOMPARE(c.curves.at(1).points.at(30).x(), c.right);
    QVERIFY(c.curves.at(1).points.at(30).y() < c.top); // 300 % is drawn above the plot
    // "450" is centred on its wavelength.
    QCOMPARE(c.xLabels.at(1).text, QStringLiteral("450"));
    QCOMPARE(c.xLabels.at(1).rect.center().x(), c.xAt(5));
}

void SpectralChartTest::render_axesAndCurveAtTheirPixels()
{
    const QList<SpectralRecord> records{flat(30), flat(45)};
    const SpectralChartGeometry c = spectralChartGeometry(kArea, records, 1);
    const QImage image = render(c);
    const double midY = (c.top + c.bottom) / 2;
    QVERIFY(colourNear(image, c.left, midY + 7, Qt::black));             // y axis
    QVERIFY(colourNear(image, c.xAt(7) + 5, c.bottom, Qt::black));        // x axis
    // Curves between grid lines, where nothing else is drawn.
    QVERIFY(colourNear(image, c.xAt(12) + 4, c.yAt(30), QColor(0, 0, 0)));
    QVERIFY(colourNear(image, c.xAt(12) + 4, c.yAt(45), QColor(1, 100, 200)));
    QVERIFY(!colourNear(image, c.xAt(12) + 4, c.yAt(37.5), QColor(1, 100, 200)));

    // The y axis title is drawn across its band turned upright: what it
    // painted (drawn alone) is taller than wide.
    SpectralChartGeometry titleOnly;
    titleOnly.yTitle = c.yTitle;
    const QImage title = render(titleOnly);
    const QRect band = c.yTitle.rect.toAlignedRect();
    QRect inked;
    for (int y = band.top(); y <= band.bottom(); ++y) {
        for (int x = band.left(); x <= band.right(); ++x) {
            if (title.rect().contains(x, y) && title.pixelColor(x, y) != Qt::white) {
                inked |= QRect(x, y, 1, 1);
            }
        }
    }
    QVERIFY(!inked.isEmpty());
    QVERIFY2(inked.height() > 2 * inked.width(),
             qPrintable(QStringLiteral("%1x%2").arg(inked.width()).arg(inked.height())));
}

void SpectralChartTest::chineseCatalogue_translatesTitlesAndMessages()
{
    QTranslator chinese;
    QVERIFY(chinese.load(QStringLiteral("Tintwell_zh"), QCoreApplication::applicationDirPath()));
    QCoreApplication::installTranslator(&chinese);
    const QString axis = spectralAxisTitle(0);
    const QString reflectance = spectralAxisTitle(1);
    const QString wavelength = spectralChartGeometry(kArea, {}, 0).xLabels.last().text;
    const QString message = QCoreApplication::translate("MeterPageFor310", "No spectral history!");
    QCoreApplication::removeTranslator(&chinese);
    QCOMPARE(axis, QStringLiteral("透过率(%)"));
    QCOMPARE(reflectance, QStringLiteral("反射率(%)"));
    QCOMPARE(wavelength, QStringLiteral("波长(nm)"));
    QCOMPARE(message, QStringLiteral("没有光谱历史记录！"));
}

QTEST_MAIN(SpectralChartTest)
#include "tst_spectral_chart.moc"
