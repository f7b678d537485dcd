#include "ComparisonHeader.h"
#include "RbTableHeaderModel.h"
#include "RbTableHeaderView.h"

#include <QImage>
#include <QPaintEvent>
#include <QSignalSpy>
#include <QTableWidget>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

#include <cmath>

namespace {

// Opens the protected helpers to the tests.
class ProbeHeader : public RbTableHeaderView
{
public:
    using RbTableHeaderView::RbTableHeaderView;
    using RbTableHeaderView::sectionRange;
    using RbTableHeaderView::sectionSizeFromContents;
    using RbTableHeaderView::spanHeight;
    using RbTableHeaderView::spanWidth;
};

// Records the regions the header's viewport is asked to paint.
class PaintRecorder : public QObject
{
public:
    QRegion painted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
        }
        return QObject::eventFilter(watched, event);
    }
};

const QColor kCellColour(0x44, 0x44, 0x44);

// A text pixel: the labels are drawn white on the dark cells, anti-aliased
// edges included once they are clearly lighter than the cell.
bool isTextPixel(QRgb pixel)
{
    return qGray(pixel) > 140;
}

bool isCellColour(QRgb pixel)
{
    return std::abs(qRed(pixel) - kCellColour.red()) <= 3
           && std::abs(qGreen(pixel) - kCellColour.green()) <= 3
           && std::abs(qBlue(pixel) - kCellColour.blue()) <= 3;
}

struct TextPixels
{
    int count = 0;
    double meanX = 0;
    double meanY = 0;
    int minX = INT_MAX;
    int maxX = INT_MIN;
};

TextPixels textPixelsIn(const QImage& image, const QRect& area)
{
    TextPixels found;
    double sumX = 0;
    double sumY = 0;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            if (isTextPixel(image.pixel(x, y))) {
                ++found.count;
                sumX += x;
                sumY += y;
                found.minX = std::min(found.minX, x);
                found.maxX = std::max(found.maxX, x);
            }
        }
    }
    if (found.count > 0) {
        found.meanX = sumX / found.count;
        found.meanY = sumY / found.count;
    }
    return found;
}

} // namespace

class RbTableHeaderViewTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void setLevelHeight_keepsWidthsAndResizesVerticalSection();
    void sectionSize_coversEveryLevel_data();
    void sectionSize_coversEveryLevel();
    void shownHeader_isTwoLevelsHigh();
    void installedBeforeTheViewsModel_keepsItsLevels();
    void press_onGroupCell_emitsGroupRange_data();
    void press_onGroupCell_emitsGroupRange();
    void press_onCellOutsideGroups_emitsNothing_data();
    void press_onCellOutsideGroups_emitsNothing();
    void press_underGroupSpanningLevels_emitsGroupRange();
    void resize_changesEveryLevelAndRepaintsFromGroupEdge();
    void rendering_drawsGroupLabelOnceAcrossItsSpan_data();
    void rendering_drawsGroupLabelOnceAcrossItsSpan();
    void rendering_drawsBothLevelLabelAcrossBothLevels();
    void rendering_fillsCellsWithBackground();
    void verticalHeader_groupsRows();

private:
    QPoint cellCentre(int level, int column) const;
    QImage grabHeader() const;
    QRect groupRect(int first, int last, int level) const;

    QTableWidget* m_table = nullptr;
    RbTableHeaderView* m_header = nullptr;
};

void RbTableHeaderViewTest::init()
{
    m_table = new QTableWidget(3, ComparisonHeader::kColumnCount);
    m_header = ComparisonHeader::install(m_table);
    QAbstractItemModel* model = m_header->model();
    for (int row = 0; row < ComparisonHeader::kLevelCount; ++row) {
        for (int column = 0; column < ComparisonHeader::kColumnCount; ++column) {
            model->setData(model->index(row, column), QColor(Qt::white), Qt::ForegroundRole);
        }
    }
    for (int column = 0; column < ComparisonHeader::kColumnCount; ++column) {
        m_header->resizeSection(column, column < 3 ? 90 : 40);
    }
    m_table->resize(1700, 240);
    m_table->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_table));
}

void RbTableHeaderViewTest::cleanup()
{
    delete m_table;
    m_table = nullptr;
    m_header = nullptr;
}

QPoint RbTableHeaderViewTest::cellCentre(int level, int column) const
{
    return QPoint(m_header->sectionViewportPosition(column) + m_header->sectionSize(column) / 2,
                  level * ComparisonHeader::kLevelHeight + ComparisonHeader::kLevelHeight / 2);
}

QImage RbTableHeaderViewTest::grabHeader() const
{
    // Rendered at one image pixel per logical pixel, whatever the screen's scale.
    QImage image(m_header->viewport()->size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    m_header->viewport()->render(&image);
    return image;
}

QRect RbTableHeaderViewTest::groupRect(int first, int last, int level) const
{
    const int left = m_header->sectionViewportPosition(first);
    const int right = m_header->sectionViewportPosition(last) + m_header->sectionSize(last) - 1;
    const int top = level * ComparisonHeader::kLevelHeight;
    return QRect(QPoint(left, top), QPoint(right, top + ComparisonHeader::kLevelHeight - 1));
}

// The cells start at the default section size by 20 (horizontal) or 50 by
// the default size (vertical); a level's height changes all its cells alone.
void RbTableHeaderViewTest::setLevelHeight_keepsWidthsAndResizesVerticalSection()
{
    RbTableHeaderView horizontal(Qt::Horizontal, 2, 4);
    horizontal.setLevelHeight(1, 33);
    for (int column = 0; column < 4; ++column) {
        QCOMPARE(horizontal.model()->index(1, column).data(Qt::SizeHintRole).toSize(),
                 QSize(horizontal.defaultSectionSize(), 33));
        QCOMPARE(horizontal.model()->index(0, column).data(Qt::SizeHintRole).toSize(),
                 QSize(horizontal.defaultSectionSize(), 20));
    }

    RbTableHeaderView vertical(Qt::Vertical, 4, 2);
    vertical.setLevelHeight(2, 41);
    QCOMPARE(vertical.sectionSize(2), 41);
    QCOMPARE(vertical.model()->index(2, 0).data(Qt::SizeHintRole).toSize(), QSize(50, 41));
    QCOMPARE(vertical.model()->index(2, 1).data(Qt::SizeHintRole).toSize(), QSize(50, 41));
    for (const QModelIndex& untouched : {vertical.model()->index(1, 0), vertical.model()->index(3, 1)}) {
        QCOMPARE(untouched.data(Qt::SizeHintRole).toSize(), QSize(50, vertical.defaultSectionSize()));
    }
}

void RbTableHeaderViewTest::sectionSize_coversEveryLevel_data()
{
    QTest::addColumn<int>("section");
    QTest::addColumn<int>("width");
    QTest::newRow("NO, both levels") << 0 << 90;
    QTest::newRow("Pass or not, both levels") << 28 << 40;
    QTest::newRow("under Standard, no cell spans the levels") << 5 << 40;
    QTest::newRow("last column, no cell spans the levels") << 35 << 40;
}

void RbTableHeaderViewTest::sectionSize_coversEveryLevel()
{
    QFETCH(int, section);
    QFETCH(int, width);
    ProbeHeader header(Qt::Horizontal, ComparisonHeader::kLevelCount,
                       ComparisonHeader::kColumnCount);
    ComparisonHeader::configure(&header);
    for (int column = 0; column < ComparisonHeader::kColumnCount; ++column) {
        header.resizeSection(column, column < 3 ? 90 : 40);
    }
    QCOMPARE(header.sectionSizeFromContents(section), QSize(width, 60));
}

// A view hands its model to its headers: the installed header keeps its own.
void RbTableHeaderViewTest::installedBeforeTheViewsModel_keepsItsLevels()
{
    QStandardItemModel rows(5, ComparisonHeader::kColumnCount);
    QTableView view;
    RbTableHeaderView* header = ComparisonHeader::install(&view);
    QAbstractItemModel* own = header->model();
    view.setModel(&rows);
    QCOMPARE(header->model(), own);
    QCOMPARE(header->selectionModel()->model(), own);
}

void RbTableHeaderViewTest::shownHeader_isTwoLevelsHigh()
{
    QCOMPARE(m_header->height(), 60);

    // A header without any cell that spans the levels still shows them all.
    ProbeHeader plain(Qt::Horizontal, 2, 6);
    plain.setLevelHeight(0, 25);
    plain.setLevelHeight(1, 35);
    QCOMPARE(plain.sectionSizeFromContents(3).height(), 60);
    QCOMPARE(plain.sizeHint().height(), 60);
}

void RbTableHeaderViewTest::press_onGroupCell_emitsGroupRange_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    for (int column = 3; column <= 13; ++column) {
        QTest::addRow("Standard at %d", column) << column << 3 << 13;
    }
    for (int column = 14; column <= 24; ++column) {
        QTest::addRow("Sample at %d", column) << column << 14 << 24;
    }
}

void RbTableHeaderViewTest::press_onGroupCell_emitsGroupRange()
{
    QFETCH(int, column);
    QFETCH(int, first);
    QFETCH(int, last);
    QSignalSpy spy(m_header, &RbTableHeaderView::sectionPressed);
    QTest::mousePress(m_header->viewport(), Qt::LeftButton, Qt::NoModifier,
                      cellCentre(0, column));
    QTest::mouseRelease(m_header->viewport(), Qt::LeftButton, Qt::NoModifier,
                        cellCentre(0, column));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), first);
    QCOMPARE(spy.at(0).at(1).toInt(), last);
}

void RbTableHeaderViewTest::press_onCellOutsideGroups_emitsNothing_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("column");
    for (const int column : {0, 1, 2, 25, 28, 30}) {
        QTest::addRow("both-level %d, top", column) << 0 << column;
        QTest::addRow("both-level %d, bottom", column) << 1 << column;
    }
    for (const int column : {3, 8, 13, 14, 24}) {
        QTest::addRow("value label %d", column) << 1 << column;
    }
    QTest::addRow("hidden-data column 33") << 0 << 33;
}

void RbTableHeaderViewTest::press_onCellOutsideGroups_emitsNothing()
{
    QFETCH(int, level);
    QFETCH(int, column);
    QSignalSpy spy(m_header, &RbTableHeaderView::sectionPressed);
    QSignalSpy basePressed(m_header, qOverload<int>(&QHeaderView::sectionPressed));
    QTest::mousePress(m_header->viewport(), Qt::LeftButton, Qt::NoModifier,
                      cellCentre(level, column));
    QTest::mouseRelease(m_header->viewport(), Qt::LeftButton, Qt::NoModifier,
                        cellCentre(level, column));
    QCOMPARE(basePressed.count(), 1); // the press did reach the header
    QCOMPARE(spy.count(), 0);
}

void RbTableHeaderViewTest::press_underGroupSpanningLevels_emitsGroupRange()
{
    // A group label covering both levels over columns 2..4: a press on any of
    // its pixels, also on the lower level, names the group.
    RbTableHeaderView header(Qt::Horizontal, 2, 8);
    header.setCellSpan(0, 2, 2, 3);
    header.setLevelHeight(0, 30);
    header.setLevelHeight(1, 30);
    header.setSectionsClickable(true);
    header.resize(8 * header.defaultSectionSize(), 60);
    header.show();
    QVERIFY(QTest::qWaitForWindowExposed(&header));

    QSignalSpy spy(&header, &RbTableHeaderView::sectionPressed);
    for (const int column : {2, 3, 4}) {
        for (const int y : {10, 45}) {
            const QPoint at(header.sectionViewportPosition(column) + 20, y);
            QTest::mousePress(header.viewport(), Qt::LeftButton, Qt::NoModifier, at);
            QTest::mouseRelease(header.viewport(), Qt::LeftButton, Qt::NoModifier, at);
        }
    }
    QCOMPARE(spy.count(), 6);
    for (const auto& arguments : spy) {
        QCOMPARE(arguments.at(0).toInt(), 2);
        QCOMPARE(arguments.at(1).toInt(), 4);
    }
    spy.clear();
    const QPoint outside(header.sectionViewportPosition(5) + 20, 45);
    QTest::mousePress(header.viewport(), Qt::LeftButton, Qt::NoModifier, outside);
    QCOMPARE(spy.count(), 0);
}

void RbTableHeaderViewTest::resize_changesEveryLevelAndRepaintsFromGroupEdge()
{
    QCoreApplication::processEvents();
    PaintRecorder recorder;
    m_header->viewport()->installEventFilter(&recorder);

    m_header->resizeSection(7, 77);
    const QAbstractItemModel* model = m_header->model();
    QCOMPARE(model->index(0, 7).data(Qt::SizeHintRole).toSize(), QSize(77, 30));
    QCOMPARE(model->index(1, 7).data(Qt::SizeHintRole).toSize(), QSize(77, 30));
    QCOMPARE(model->index(0, 6).data(Qt::SizeHintRole).toSize(), QSize(40, 30));
    QCOMPARE(model->index(1, 8).data(Qt::SizeHintRole).toSize(), QSize(40, 30));

    QTRY_VERIFY(!recorder.painted.isEmpty());
    // The group's label moves, so its left edge (column 3) is repainted too.
    const int groupLeft = m_header->sectionViewportPosition(3);
    QVERIFY(recorder.painted.contains(QPoint(groupLeft + 1, 5)));
    // ... and nothing left of the group needs it: the repaint is a partial one.
    QVERIFY(!recorder.painted.contains(QPoint(m_header->sectionViewportPosition(2) + 5, 5)));
    QVERIFY(recorder.painted.contains(QPoint(m_header->viewport()->width() - 1, 55)));
    m_header->viewport()->removeEventFilter(&recorder);
}

void RbTableHeaderViewTest::rendering_drawsGroupLabelOnceAcrossItsSpan_data()
{
    QTest::addColumn<int>("resized"); // width of section 4; 0: as set up
    QTest::newRow("as set up") << 0;
    QTest::newRow("a section of the group resized") << 160;
}

void RbTableHeaderViewTest::rendering_drawsGroupLabelOnceAcrossItsSpan()
{
    QFETCH(int, resized);
    if (resized > 0) {
        m_header->resizeSection(4, resized);
        QCoreApplication::processEvents();
        QCOMPARE(groupRect(3, 13, 0).width(), 10 * 40 + resized);
    }
    const QImage image = grabHeader();
    const int labelWidth = m_header->fontMetrics().horizontalAdvance(QStringLiteral("Standard"));
    for (const int first : {3, 14}) {
        const QRect group = groupRect(first, first + 10, 0);
        // Inside the panel's 1-pixel frame, away from its light edge.
        const TextPixels text = textPixelsIn(image, group.adjusted(3, 3, -3, -3));
        QVERIFY2(text.count > 20, qPrintable(QStringLiteral("no label in group %1").arg(first)));
        const double centre = group.center().x();
        QVERIFY2(std::abs(text.meanX - centre) <= 6,
                 qPrintable(QStringLiteral("label centre %1, group centre %2")
                                .arg(text.meanX).arg(centre)));
        // Only the one label around the centre: no copy centred on a section.
        QVERIFY(text.minX >= centre - labelWidth / 2.0 - 6);
        QVERIFY(text.maxX <= centre + labelWidth / 2.0 + 6);
        QVERIFY(std::abs(text.meanY - group.center().y()) <= 4);
    }
}

void RbTableHeaderViewTest::rendering_drawsBothLevelLabelAcrossBothLevels()
{
    const QImage image = grabHeader();
    for (const int column : {1, 2, 28}) {
        const QRect cell(QPoint(m_header->sectionViewportPosition(column), 0),
                         QSize(m_header->sectionSize(column), 60));
        const TextPixels text = textPixelsIn(image, cell.adjusted(3, 3, -3, -3));
        QVERIFY(text.count > 10);
        // Centred on the boundary of the two levels, not inside level 0 alone.
        QVERIFY2(std::abs(text.meanY - 30) <= 4,
                 qPrintable(QStringLiteral("column %1 label at y %2").arg(column).arg(text.meanY)));
    }
    // The level boundary is not drawn through a both-level cell.
    const int x = m_header->sectionViewportPosition(2) + 4;
    for (int y = 26; y <= 34; ++y) {
        QVERIFY2(isCellColour(image.pixel(x, y)),
                 qPrintable(QStringLiteral("border at (%1, %2)").arg(x).arg(y)));
    }
}

void RbTableHeaderViewTest::rendering_fillsCellsWithBackground()
{
    const QImage image = grabHeader();
    struct Sample
    {
        int column;
        int level;
    };
    for (const Sample& sample : {Sample{0, 0}, Sample{0, 1}, Sample{3, 0}, Sample{5, 1},
                                 Sample{13, 0}, Sample{20, 1}, Sample{29, 0}, Sample{30, 1}}) {
        const int left = m_header->sectionViewportPosition(sample.column);
        const int right = left + m_header->sectionSize(sample.column) - 1;
        const int top = sample.level * 30;
        for (const QPoint& point : {QPoint(left + 3, top + 3), QPoint(right - 3, top + 26)}) {
            QVERIFY2(isCellColour(image.pixel(point)),
                     qPrintable(QStringLiteral("pixel %1 at (%2, %3)")
                                    .arg(QColor(image.pixel(point)).name())
                                    .arg(point.x())
                                    .arg(point.y())));
        }
    }
}

void RbTableHeaderViewTest::verticalHeader_groupsRows()
{
    // Six rows, two levels (header columns): a group over rows 1..3 in level 0.
    ProbeHeader header(Qt::Vertical, 6, 2);
    header.setCellSpan(1, 0, 3, 1);
    header.setCellSpan(5, 0, 0, 2); // row 5: one cell across both levels
    for (int row = 0; row < 6; ++row) {
        header.setLevelHeight(row, 25);
    }
    header.setSectionsClickable(true);
    header.resize(100, 150);
    header.show();
    QVERIFY(QTest::qWaitForWindowExposed(&header));

    QCOMPARE(header.spanWidth(2, 0, 2), 100);
    QCOMPARE(header.spanHeight(0, 1, 3), 75);
    QCOMPARE(header.sectionSizeFromContents(5), QSize(100, 25));

    QModelIndex cell = header.model()->index(3, 0);
    int first = -1;
    int last = -1;
    QCOMPARE(header.sectionRange(cell, first, last), 3);
    QCOMPARE(first, 1);
    QCOMPARE(last, 3);
    QCOMPARE(cell, header.model()->index(1, 0));

    QCOMPARE(header.cellAt(QPoint(50, 60)), header.model()->index(2, 0));
    QCOMPARE(header.cellAt(QPoint(51, 60)), header.model()->index(2, 1));

    QSignalSpy spy(&header, &RbTableHeaderView::sectionPressed);
    QTest::mousePress(header.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 60));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), 1);
    QCOMPARE(spy.at(0).at(1).toInt(), 3);
    QTest::mousePress(header.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(80, 60));
    QCOMPARE(spy.count(), 1);
    QTest::mousePress(header.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(80, 135));
    QCOMPARE(spy.count(), 1);

    header.resizeSection(2, 40);
    QCOMPARE(header.model()->index(2, 0).data(Qt::SizeHintRole).toSize(), QSize(50, 40));
    QCOMPARE(header.model()->index(2, 1).data(Qt::SizeHintRole).toSize(), QSize(50, 40));
}

QTEST_MAIN(RbTableHeaderViewTest)
#include "RbTableHeaderViewTest.moc"
