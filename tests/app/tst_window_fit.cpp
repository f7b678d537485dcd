// Every layout and window on a small screen: the workspace's layouts (current
// haze meter, current colorimeters, the first-generation one), the statistics
// window and the spectral dialog, in English and Chinese, on a 1280 x 720
// screen. Each opens within the screen's available area, needs no more than
// it, and at that size no named control lies outside its window or outside
// the widgets that hold it.
#include "FirstPageFor310.h"
#include "FirstPageForm.h"
#include "MeterPageFor310.h"
#include "SimulatedWindow.h"
#include "WindowFit.h"

#include <QAbstractScrollArea>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace {

const QSize kScreen(1280, 720);

// Named controls of window (shown, outside any scrolled viewport) that do not
// lie inside the window and every widget that holds them, as "name (rect)".
QStringList clippedControls(const QWidget* window)
{
    QStringList clipped;
    const QList<QWidget*> widgets = window->findChildren<QWidget*>();
    for (const QWidget* widget : widgets) {
        if (widget->objectName().isEmpty() || widget->objectName().startsWith(QLatin1String("qt_"))
            || !widget->isVisibleTo(window) || widget->isWindow()) {
            continue;
        }
        const QRect rect(widget->mapTo(window, QPoint(0, 0)), widget->size());
        bool inside = window->rect().contains(rect);
        bool scrolled = false;
        for (const QWidget* holder = widget->parentWidget(); holder && holder != window;
             holder = holder->parentWidget()) {
            const auto* area = qobject_cast<const QAbstractScrollArea*>(holder->parentWidget());
            scrolled |= area && area->viewport() == holder;
            inside &= QRect(holder->mapTo(window, QPoint(0, 0)), holder->size()).contains(rect);
        }
        if (!inside && !scrolled) {
            clipped << QStringLiteral("%1 (%2,%3 %4x%5)")
                           .arg(widget->objectName())
                           .arg(rect.x())
                           .arg(rect.y())
                           .arg(rect.width())
                           .arg(rect.height());
        }
    }
    return clipped;
}

void settle()
{
    for (int pass = 0; pass < 5; ++pass) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

// A window opened on the screen: inside its available area, and needing no more.
QString openedOutside(const QWidget* window)
{
    const QRect available = window->screen()->availableGeometry();
    if (!available.contains(window->frameGeometry())) {
        return QStringLiteral("opens at %1,%2 %3x%4, needs %5x%6")
            .arg(window->x())
            .arg(window->y())
            .arg(window->width())
            .arg(window->height())
            .arg(window->minimumSizeHint().width())
            .arg(window->minimumSizeHint().height());
    }
    const QSize least = window->minimumSizeHint();
    if (least.width() > available.width() || least.height() > available.height()) {
        return QStringLiteral("needs %1x%2").arg(least.width()).arg(least.height());
    }
    return QString();
}

} // namespace

class WindowFitTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        applyApplicationLook();
        QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry().size(), kScreen);
    }

    void fittedWindowGeometry_staysInTheArea_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QSize>("preferred");
        QTest::addColumn<QSize>("minimum");
        QTest::addColumn<QMargins>("frame");
        QTest::addColumn<QRect>("geometry");
        const QRect panelAbove(0, 27, 1366, 741);
        QTest::newRow("fits: centred") << panelAbove << QSize(1000, 600) << QSize(100, 100) << QMargins()
                                       << QRect(183, 97, 1000, 600);
        QTest::newRow("the whole area, frame inside it")
            << panelAbove << QSize(1366, 741) << QSize(100, 100) << QMargins(1, 29, 1, 1)
            << QRect(1, 56, 1364, 711);
        QTest::newRow("too large: shrunk to the area")
            << QRect(0, 0, 1280, 720) << QSize(1400, 900) << QSize(600, 400) << QMargins(4, 30, 4, 4)
            << QRect(4, 30, 1272, 686);
        QTest::newRow("minimum larger than the area: kept, at the corner")
            << QRect(0, 0, 800, 600) << QSize(1400, 900) << QSize(900, 500) << QMargins() << QRect(0, 0, 900, 600);
    }
    void fittedWindowGeometry_staysInTheArea()
    {
        QFETCH(QRect, available);
        QFETCH(QSize, preferred);
        QFETCH(QSize, minimum);
        QFETCH(QMargins, frame);
        QFETCH(QRect, geometry);
        QCOMPARE(fittedWindowGeometry(available, preferred, minimum, frame), geometry);
    }

    void everyWindow_fitsTheScreen_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("version");
        QTest::addColumn<bool>("chinese");
        for (const bool chinese : {false, true}) {
            const char* language = chinese ? ", Chinese" : ", English";
            QTest::newRow(qPrintable(QStringLiteral("TX310 haze meter%1").arg(language))) << "TX310" << 0 << chinese;
            QTest::newRow(qPrintable(QStringLiteral("TX420 3.00, six buttons%1").arg(language)))
                << "TX420" << 300 << chinese;
            QTest::newRow(qPrintable(QStringLiteral("TX420 2.99, legacy layout%1").arg(language)))
                << "TX420" << 299 << chinese;
            QTest::newRow(qPrintable(QStringLiteral("TX460%1").arg(language))) << "TX460" << 0 << chinese;
        }
    }
    void everyWindow_fitsTheScreen()
    {
        QFETCH(QString, model);
        QFETCH(int, version);
        QFETCH(bool, chinese);
        AnsweringDialogs dialogs;
        SimulatedWindow simulated(model, version, chinese, dialogs);
        MainWindow& window = *simulated.window;
        QVERIFY(simulated.showConnected());
        FirstPageFor310& page = *window.workspace();
        QCOMPARE(page.state().isFirstGeneration(), version == 299);

        // The workspace, as large as the screen; no longer maximised it
        // keeps within the screen too (its default 1333 by 712 would not).
        QCOMPARE(openedOutside(&window), QString());
        QVERIFY(window.isMaximized());
        window.setWindowState(Qt::WindowNoState);
        settle();
        QCOMPARE(openedOutside(&window), QString());
        window.resize(kScreen);
        settle();
        QCOMPARE(window.size(), kScreen);
        QCOMPARE(clippedControls(&window).join(QStringLiteral(", ")), QString());

        // The statistics window.
        page.form().pushButton_statistics->click();
        settle();
        auto* statistics = window.findChild<QWidget*>(QStringLiteral("StatisticsWindow"));
        QVERIFY(statistics && statistics->isVisible());
        QCOMPARE(openedOutside(statistics), QString());
        QCOMPARE(clippedControls(statistics).join(QStringLiteral(", ")), QString());
        // At its least size (every quantity's row) the table scrolls, three
        // rows still in sight, and the charts keep their room.
        statistics->resize(statistics->minimumSizeHint());
        settle();
        QCOMPARE(clippedControls(statistics).join(QStringLiteral(", ")), QString());
        const auto* table = statistics->findChild<QTableWidget*>(QStringLiteral("tableWidget_statistics"));
        QVERIFY(table->rowCount() > 3);
        QVERIFY2(table->viewport()->height() >= 3 * table->verticalHeader()->defaultSectionSize(),
                 qPrintable(QString::number(table->viewport()->height())));
        statistics->close();

        // The spectral dialog, modal, as the page's button opens it.
        if (!page.form().pushButton_spectralTransmittance->isVisible()) {
            return;
        }
        QString spectraOutside = QStringLiteral("not opened");
        QStringList spectraClipped;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<MeterPageFor310*>(QApplication::activeModalWidget());
            if (!dialog) {
                return;
            }
            settle();
            spectraOutside = openedOutside(dialog);
            spectraClipped = clippedControls(dialog);
            dialog->reject();
        });
        page.form().pushButton_spectralTransmittance->click();
        QCOMPARE(spectraOutside, QString());
        QCOMPARE(spectraClipped.join(QStringLiteral(", ")), QString());
    }
};

// The offscreen screen is 1280 x 720 here (its default is 800 x 600).
int main(int argc, char* argv[])
{
    const QString config = QDir::temp().filePath(QStringLiteral("tst_window_fit_screen.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(QStringLiteral(R"({"screens":[{"name":"small","x":0,"y":0,"width":%1,"height":%2,)"
                                     R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})")
                          .arg(kScreen.width())
                          .arg(kScreen.height())
                          .toUtf8())
               < 0) {
        return 2;
    }
    file.close();
    qputenv("QT_QPA_PLATFORM", QStringLiteral("offscreen:configfile=%1").arg(config).toLocal8Bit());
    QApplication app(argc, argv);
    WindowFitTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_window_fit.moc"
