#include "AppInit.h"
#include "AppStartup.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

void tintwellInitResources();

namespace {

// Counts the mouse events that reach it.
class MouseCounter : public QWidget
{
public:
    int presses = 0;
    int releases = 0;
    int moves = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
    void mouseReleaseEvent(QMouseEvent*) override { ++releases; }
    void mouseMoveEvent(QMouseEvent*) override { ++moves; }
};

void sendMouse(QWidget* w, QEvent::Type type, QPoint global, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(w->mapFromGlobal(global)), QPointF(global), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        tintwellInitResources();
        qApp->installEventFilter(AppInit::Instance());
    }

    void init() { AppInit::mousePressed = false; }

    void appInit_isOneObject() { QCOMPARE(AppInit::Instance(), AppInit::Instance()); }

    void dragFilter_withoutCanMove_passesEventsOn()
    {
        MouseCounter w;
        w.move(100, 100);
        const QPoint g(150, 150);
        sendMouse(&w, QEvent::MouseButtonPress, g, Qt::LeftButton, Qt::LeftButton);
        sendMouse(&w, QEvent::MouseMove, g + QPoint(30, 20), Qt::NoButton, Qt::LeftButton);
        sendMouse(&w, QEvent::MouseButtonRelease, g + QPoint(30, 20), Qt::LeftButton, Qt::NoButton);
        QCOMPARE(w.presses, 1);
        QCOMPARE(w.moves, 1);
        QCOMPARE(w.releases, 1);
        QCOMPARE(w.pos(), QPoint(100, 100));
        QVERIFY(!AppInit::mousePressed);
    }

    void dragFilter_withCanMove_followsLeftButtonAndSwallowsEvents()
    {
        MouseCounter w;
        w.setMouseTracking(true); // so a buttonless move reaches the widget at all
        w.setProperty("canMove", true);
        w.move(100, 100);
        const QPoint g(150, 160);
        sendMouse(&w, QEvent::MouseButtonPress, g, Qt::LeftButton, Qt::LeftButton);
        QVERIFY(AppInit::mousePressed);
        QCOMPARE(AppInit::mousePoint, g - QPoint(100, 100));

        sendMouse(&w, QEvent::MouseMove, g + QPoint(30, -20), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(w.pos(), QPoint(130, 80));

        // A move with no button held (the release went elsewhere) does not drag.
        sendMouse(&w, QEvent::MouseMove, g + QPoint(90, 90), Qt::NoButton, Qt::NoButton);
        QCOMPARE(w.pos(), QPoint(130, 80));

        sendMouse(&w, QEvent::MouseButtonRelease, g, Qt::LeftButton, Qt::NoButton);
        QVERIFY(!AppInit::mousePressed);
        QCOMPARE(w.presses, 0);
        QCOMPARE(w.releases, 0);
        QCOMPARE(w.moves, 1); // only the buttonless move reached the widget
    }

    void dragFilter_otherButtonPressPassesOn_anyReleaseEndsDrag()
    {
        MouseCounter w;
        w.setProperty("canMove", true);
        w.move(10, 10);
        sendMouse(&w, QEvent::MouseButtonPress, QPoint(20, 20), Qt::RightButton, Qt::RightButton);
        QCOMPARE(w.presses, 1);
        QVERIFY(!AppInit::mousePressed);

        sendMouse(&w, QEvent::MouseButtonPress, QPoint(20, 20), Qt::LeftButton, Qt::LeftButton);
        QVERIFY(AppInit::mousePressed);
        sendMouse(&w, QEvent::MouseButtonRelease, QPoint(20, 20), Qt::RightButton, Qt::LeftButton);
        QVERIFY(!AppInit::mousePressed);
        QCOMPARE(w.releases, 0);
        sendMouse(&w, QEvent::MouseMove, QPoint(60, 60), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(w.pos(), QPoint(10, 10));
    }

    void shippedSheet_givesWhitePaletteAndStyleSheet()
    {
        QFile file(QStringLiteral(":/qss/psblue.css"));
        QVERIFY(file.open(QFile::ReadOnly));
        const QString sheet = QString::fromLatin1(file.readAll());
        QVERIFY(sheet.startsWith(QStringLiteral("QPalette{background:#FFFFFF;}")));
        QCOMPARE(sheet.mid(20, 7), QStringLiteral("#FFFFFF"));

        applyLookAndFeel(*qApp);
        QCOMPARE(QApplication::palette().color(QPalette::Button), QColor(QStringLiteral("#FFFFFF")));
        QCOMPARE(QApplication::palette().color(QPalette::Window), QColor(QStringLiteral("#FFFFFF")));
        QCOMPARE(qApp->styleSheet(), sheet);
        QCOMPARE(QApplication::font().family(), QStringLiteral("Microsoft Yahei"));
        QCOMPARE(QApplication::font().pointSize(), 12);
    }

    void paletteFromStyleSheet_takesCharacters20To26()
    {
        const QPalette p = paletteFromStyleSheet(QStringLiteral("QPalette{background:#3366CC;}"));
        QCOMPARE(p.color(QPalette::Button), QColor(QStringLiteral("#3366CC")));
    }

    void ledPictures_areCompiledIn()
    {
        QVERIFY(!QPixmap(QStringLiteral(":/image/led_on.png")).isNull());
        QVERIFY(!QPixmap(QStringLiteral(":/image/led_off.png")).isNull());
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
