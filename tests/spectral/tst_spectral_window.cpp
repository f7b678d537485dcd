// The spectral dialog as an operator opens it: from the main window's button,
// in the application's look, over an emulated TX310 and TX460. Its chart area
// shows the curves after a measurement and after an import, after the
// "Curve" boxes are unticked and ticked again, and after a resize.
#include "FirstPageFor310.h"
#include "FirstPageForm.h"
#include "MeterPageFor310.h"
#include "SimulatedWindow.h"
#include "SpectralChart.h"

#include <QCheckBox>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace {

// How many of the curve's 30 segments show its colour at their middle (within
// two pixels up or down) in the picture of the dialog.
int segmentsShown(MeterPageFor310& dialog, int record)
{
    const QWidget* view = dialog.findChild<QWidget*>(QStringLiteral("widget_chart"));
    const SpectralChartGeometry chart =
        spectralChartGeometry(QRectF(view->rect()), dialog.records(), dialog.context().layoutIndex);
    const QImage image = dialog.grab().toImage();
    const QPoint offset = view->mapTo(&dialog, QPoint(0, 0));
    const QColor colour = spectralCurveColour(record);
    int shown = 0;
    for (const ChartCurve& curve : chart.curves) {
        if (curve.recordIndex != record) {
            continue;
        }
        for (int k = 1; k < curve.points.size(); ++k) {
            const QPoint middle = ((curve.points.at(k - 1) + curve.points.at(k)) / 2.0).toPoint() + offset;
            bool found = false;
            for (int dy = -2; dy <= 2 && !found; ++dy) {
                found = image.pixelColor(middle + QPoint(0, dy)) == colour;
            }
            shown += found ? 1 : 0;
        }
    }
    return shown;
}

// A ticked box shows a light mark inside its filled square (a filled square
// alone reads as a box not ticked).
bool showsTick(QCheckBox* box)
{
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    const QImage image = box->grab().toImage();
    int light = 0, dark = 0;
    for (int y = indicator.top() + 2; y < indicator.bottom() - 1; ++y) {
        for (int x = indicator.left() + 2; x < indicator.right() - 1; ++x) {
            (image.pixelColor(x, y).lightness() > 200 ? light : dark) += 1;
        }
    }
    return box->isChecked() && light > 0 && dark > 0;
}

QCheckBox* curveBox(MeterPageFor310& dialog, int row)
{
    return qobject_cast<QCheckBox*>(dialog.table()->cellWidget(row, MeterPageFor310::kColumnCurve));
}

} // namespace

class SpectralWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { applyApplicationLook(); }

    void chartArea_showsTheCurves_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("chinese");
        QTest::newRow("TX310 measurement") << "TX310" << "pushButton_spectralMeasurement" << false;
        QTest::newRow("TX310 history, Chinese") << "TX310" << "pushButton_spectralHistory" << true;
        QTest::newRow("TX460 measurement, Chinese") << "TX460" << "pushButton_spectralMeasurement" << true;
        QTest::newRow("TX460 history") << "TX460" << "pushButton_spectralHistory" << false;
    }
    void chartArea_showsTheCurves()
    {
        QFETCH(QString, model);
        QFETCH(QString, command);
        QFETCH(bool, chinese);
        AnsweringDialogs dialogs;
        SimulatedWindow simulated(model, 0, chinese, dialogs);
        QVERIFY(simulated.showConnected());
        dialogs.shown.clear();

        int records = 0;
        QList<int> segments; // last record's segments: shown, hidden, shown again, resized
        bool headingTicked = false;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<MeterPageFor310*>(QApplication::activeModalWidget());
            if (!dialog) {
                return; // the checks below fail: nothing was opened
            }
            headingTicked = showsTick(curveBox(*dialog, 0));
            dialog->findChild<QPushButton*>(command)->click();
            records = static_cast<int>(dialog->records().size());
            const int last = records - 1;
            if (last >= 0) {
                segments << segmentsShown(*dialog, last);
                curveBox(*dialog, 0)->click(); // every curve hidden
                segments << segmentsShown(*dialog, last);
                curveBox(*dialog, 0)->click(); // every curve shown again
                segments << segmentsShown(*dialog, last);
                dialog->resize(dialog->width() - 200, dialog->height() - 100);
                QApplication::processEvents();
                segments << segmentsShown(*dialog, last);
            }
            dialog->reject();
        });
        simulated.window->workspace()->form().pushButton_spectralTransmittance->click();

        QVERIFY(headingTicked);
        QCOMPARE(dialogs.shown, QStringList());
        QVERIFY(records >= 1);
        QCOMPARE(segments, (QList<int>{30, 0, 30, 30}));
    }
};

QTEST_MAIN(SpectralWindowTest)
#include "tst_spectral_window.moc"
