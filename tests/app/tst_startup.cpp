#include "AppInit.h"
#include "AppStartup.h"
#include "ComparisonHeader.h"
#include "DataFiles.h"
#include "FontConfigWarmUp.h"
#include "RbTableHeaderView.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <QWidget>

#include <algorithm>
#include <cmath>

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

// WCAG relative luminance and contrast ratio of two colours.
double relativeLuminance(const QColor& c)
{
    auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The most frequent colour inside `area` (the cell's fill), and the pixel that
// stands out most against it (the core of the label's glyphs).
struct CellColours
{
    QColor fill;
    QColor strongest;
};

CellColours sampleCell(const QImage& image, const QRect& area)
{
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            ++counts[image.pixel(x, y) | 0xFF000000u];
        }
    }
    CellColours result;
    int best = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > best) {
            best = it.value();
            result.fill = QColor::fromRgb(it.key());
        }
    }
    double strongestRatio = 0.0;
    result.strongest = result.fill;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const double ratio = contrastRatio(QColor::fromRgb(it.key()), result.fill);
        if (ratio > strongestRatio) {
            strongestRatio = ratio;
            result.strongest = QColor::fromRgb(it.key());
        }
    }
    return result;
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
        applyWindowIcon(*qApp);
        QVERIFY(!QApplication::windowIcon().isNull());
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("tintwell")); // tintwell.desktop
    }

    void paletteFromStyleSheet_takesCharacters20To26()
    {
        const QPalette p = paletteFromStyleSheet(QStringLiteral("QPalette{background:#3366CC;}"));
        QCOMPARE(p.color(QPalette::Button), QColor(QStringLiteral("#3366CC")));
    }

    // The comparison table's header as the page builds it, under the
    // application's sheet: every kind of label cell is painted readably.
    void comparisonHeader_labelsContrastWithTheirBackground_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("sections"); // how many sections the cell spans
        QTest::addColumn<int>("levels");
        QTest::newRow("both levels (NO)") << 0 << 0 << 1 << 2;
        QTest::newRow("group (Standard)") << 0 << ComparisonHeader::kStandardFirst
                                          << ComparisonHeader::kGroupSize << 1;
        QTest::newRow("value (Sample Haze)") << 1 << ComparisonHeader::kSampleFirst << 1 << 1;
        QTest::newRow("both levels (Pass or not)") << 0 << 28 << 1 << 2;
    }

    void comparisonHeader_labelsContrastWithTheirBackground()
    {
        QFETCH(int, level);
        QFETCH(int, column);
        QFETCH(int, sections);
        QFETCH(int, levels);
        applyLookAndFeel(*qApp);
        QTableWidget table;
        RbTableHeaderView* header = ComparisonHeader::install(&table);
        for (int c = 0; c < ComparisonHeader::kColumnCount; ++c) {
            table.setColumnWidth(c, 120);
        }
        table.resize(ComparisonHeader::kColumnCount * 120 + 80, 300);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        const QImage image = header->grab().toImage();

        int width = 0;
        for (int c = column; c < column + sections; ++c) {
            width += header->sectionSize(c);
        }
        const int margin = 3; // clear of the cell's shaded frame
        const QRect area(header->sectionViewportPosition(column) + margin,
                         level * ComparisonHeader::kLevelHeight + margin, width - 2 * margin,
                         levels * ComparisonHeader::kLevelHeight - 2 * margin);
        QVERIFY(image.rect().contains(area));
        const CellColours colours = sampleCell(image, area);
        QCOMPARE(colours.fill, QColor(0x44, 0x44, 0x44));
        const double ratio = contrastRatio(colours.strongest, colours.fill);
        if (ratio < 4.5) {
            QFAIL(qPrintable(QStringLiteral("label %1 on %2: contrast %3:1")
                                 .arg(colours.strongest.name(), colours.fill.name())
                                 .arg(ratio, 0, 'f', 2)));
        }
    }

    void commandLine_helpAndVersionAnswerAlone_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("handled");
        QTest::addColumn<QString>("printed"); // a pattern one whole line of the output matches
        QTest::newRow("help") << QStringList{QStringLiteral("--help")} << true
                              << QStringLiteral("Usage: tintwell \\[--simulate \\[MODEL\\[:VERSION\\]\\]\\] \\[--lang zh\\|en\\]");
        QTest::newRow("-h after --simulate")
            << QStringList{QStringLiteral("--simulate"), QStringLiteral("TX430"), QStringLiteral("-h")}
            << true << QStringLiteral(" +-v, --version +show the version and exit");
        QTest::newRow("version") << QStringList{QStringLiteral("--version")} << true
                                 << QStringLiteral("Tintwell \\d+\\.\\d+(\\.\\d+)*");
        QTest::newRow("-v") << QStringList{QStringLiteral("-v")} << true << QStringLiteral("Tintwell \\d+\\.\\d+(\\.\\d+)*");
        QTest::newRow("simulate starts") << QStringList{QStringLiteral("--simulate"), QStringLiteral("TX470")}
                                         << false << QString();
        QTest::newRow("nothing starts") << QStringList{} << false << QString();
    }

    void commandLine_helpAndVersionAnswerAlone()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, handled);
        QFETCH(QString, printed);
        const CommandLineInfo info = commandLineInfo(QStringList{QStringLiteral("tintwell")} + arguments);
        QCOMPARE(info.handled, handled);
        QCOMPARE(info.exitCode, 0);
        if (handled) {
            const QRegularExpression line(QRegularExpression::anchoredPattern(printed));
            QVERIFY2(!info.text.split(QLatin1Char('\n')).filter(line).isEmpty(), qPrintable(info.text));
        } else {
            QVERIFY(info.text.isEmpty());
        }
    }

    // A line the window cannot follow is named on standard error, in the
    // language the line chose wherever --lang stands (Chinese by default).
    void commandLine_refusedInTheLanguageChosen_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("said"); // empty: the window starts
        QTest::newRow("unknown option, Chinese") << "--bogus" << "未知的选项“--bogus”";
        QTest::newRow("unknown option, English") << "--lang en --bogus" << "tintwell: Unknown option \"--bogus\".";
        QTest::newRow("English named after") << "--bogus --lang=en" << "Unknown option \"--bogus\"";
        QTest::newRow("unknown model, Chinese") << "--simulate TX999" << "未知的仪器型号“TX999”";
        QTest::newRow("unknown model, English") << "--lang en --simulate TX999" << "Unknown instrument model \"TX999\"";
        QTest::newRow("stray word") << "--lang en TX430" << "Unexpected argument \"TX430\"";
        QTest::newRow("help named") << "--lang en -x" << "Try \"tintwell --help\".";
        QTest::newRow("good line") << "--simulate TX470:3.50 --lang en" << "";
    }

    void commandLine_refusedInTheLanguageChosen()
    {
        QFETCH(QString, line);
        QFETCH(QString, said);
        const QString text =
            startOptionsRefusal(QStringList{QStringLiteral("tintwell")} + line.split(QLatin1Char(' ')));
        if (said.isEmpty()) {
            QVERIFY2(text.isEmpty(), qPrintable(text));
        } else {
            QVERIFY2(text.contains(said), qPrintable(text));
        }
        // The catalogue it loaded for the message is gone again.
        QCOMPARE(QCoreApplication::translate("DeviceSetup", "--lang takes zh or en."), QStringLiteral("--lang takes zh or en."));
    }

    // The build tree: data beside the executable; a missing file is named
    // where it was expected first.
    void dataFiles_foundBesideTheExecutable()
    {
        const QString beside = QCoreApplication::applicationDirPath();
        QCOMPARE(dataFilePath(QStringLiteral("meterno")), QDir(beside).filePath(QStringLiteral("meterno")));
        QVERIFY(dataFileExists(QStringLiteral("Tintwell_zh.qm")));
        QVERIFY(!dataFileExists(QStringLiteral("no-such-file")));
        QCOMPARE(dataFilePath(QStringLiteral("no-such-file")), QDir(beside).filePath(QStringLiteral("no-such-file")));
        QCOMPARE(dataDirectories().value(1), QDir::cleanPath(beside + QStringLiteral("/../share/tintwell")));
    }

    // Fontconfig read on a thread of its own, or (without the library or
    // its FcInit) not warmed up at all: either way the fonts load afterwards.
    void fontWarmUp_readsConfigurationOrStandsAside_data()
    {
        QTest::addColumn<QByteArray>("library");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<QString>("error");
        QTest::newRow("fontconfig") << QByteArray() << true << QString();
        QTest::newRow("missing library") << QByteArray("libtintwell-no-such-fontconfig.so.1") << false
                                         << QStringLiteral("fontconfig cannot be loaded");
        QTest::newRow("library without FcInit") << QByteArray("libz.so.1") << false
                                                << QStringLiteral("fontconfig has no FcInit");
    }

    void fontWarmUp_readsConfigurationOrStandsAside()
    {
        QFETCH(QByteArray, library);
        QFETCH(bool, loaded);
        QFETCH(QString, error);
        qputenv("TINTWELL_FONTCONFIG_LIBRARY", library);
        FontConfigWarmUp warmUp;
        warmUp.wait();
        warmUp.wait(); // a second wait returns at once
        qunsetenv("TINTWELL_FONTCONFIG_LIBRARY");
        QCOMPARE(warmUp.loaded(), loaded);
        QVERIFY2(warmUp.errorText().startsWith(error), qPrintable(warmUp.errorText()));
        QVERIFY(!QFontDatabase::families().isEmpty());
    }

    void ledPictures_areCompiledIn()
    {
        QVERIFY(!QPixmap(QStringLiteral(":/image/led_on.png")).isNull());
        QVERIFY(!QPixmap(QStringLiteral(":/image/led_off.png")).isNull());
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
