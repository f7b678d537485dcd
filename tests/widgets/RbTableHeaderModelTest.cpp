#include "RbTableHeaderModel.h"

#include <QSize>
#include <QTest>

#include <climits>

namespace {

// Reaches the protected createIndex to build indexes the model itself would
// never hand out.
class ProbeModel : public RbTableHeaderModel
{
public:
    using RbTableHeaderModel::RbTableHeaderModel;
    QModelIndex rawIndex(int row, int column, void* pointer) const
    {
        return createIndex(row, column, pointer);
    }
};

} // namespace

class RbTableHeaderModelTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void span_isClippedAtTheLastRowOrColumn_data();
    void span_isClippedAtTheLastRowOrColumn();
    void nonPositiveSpan_isIgnoredButAccepted_data();
    void nonPositiveSpan_isIgnoredButAccepted();
    void invalidIndex_hasNoDataAndOnlyEnabledFlag();
    void cells_areCreatedOnceAndKeepTheirOwnValues();
};

void RbTableHeaderModelTest::span_isClippedAtTheLastRowOrColumn_data()
{
    QTest::addColumn<int>("role");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("span");
    QTest::addColumn<int>("stored");

    const int columnRole = RbTableHeaderModel::ColumnSpanRole;
    const int rowRole = RbTableHeaderModel::RowSpanRole;
    QTest::newRow("group fits") << columnRole << 0 << 3 << 11 << 11;
    QTest::newRow("group ends on the last column") << columnRole << 0 << 25 << 11 << 11;
    QTest::newRow("group past the end is clipped") << columnRole << 0 << 30 << 11 << 6;
    QTest::newRow("last column, span 2") << columnRole << 1 << 35 << 2 << 1;
    QTest::newRow("huge span does not overflow") << columnRole << 0 << 30 << INT_MAX << 6;
    QTest::newRow("both levels") << rowRole << 0 << 0 << 2 << 2;
    QTest::newRow("rows past the end are clipped") << rowRole << 0 << 7 << 5 << 2;
    QTest::newRow("row span from the last level") << rowRole << 1 << 7 << 2 << 1;
}

void RbTableHeaderModelTest::span_isClippedAtTheLastRowOrColumn()
{
    QFETCH(int, role);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(int, span);
    QFETCH(int, stored);

    RbTableHeaderModel model(2, 36);
    const QModelIndex cell = model.index(row, column);
    QVERIFY(model.setData(cell, span, role));
    QCOMPARE(model.data(cell, role).toInt(), stored);
}

void RbTableHeaderModelTest::nonPositiveSpan_isIgnoredButAccepted_data()
{
    QTest::addColumn<int>("role");
    QTest::addColumn<QVariant>("value");

    for (const int role : {int(RbTableHeaderModel::ColumnSpanRole),
                           int(RbTableHeaderModel::RowSpanRole)}) {
        const QByteArray name = role == RbTableHeaderModel::ColumnSpanRole ? "column " : "row ";
        QTest::newRow(name + "zero") << role << QVariant(0);
        QTest::newRow(name + "negative") << role << QVariant(-3);
        QTest::newRow(name + "not a number") << role << QVariant(QStringLiteral("wide"));
    }
}

void RbTableHeaderModelTest::nonPositiveSpan_isIgnoredButAccepted()
{
    QFETCH(int, role);
    QFETCH(QVariant, value);

    RbTableHeaderModel model(2, 36);
    const QModelIndex fresh = model.index(0, 4);
    QVERIFY(model.setData(fresh, value, role));
    QVERIFY(!model.data(fresh, role).isValid());

    // An earlier span stays in place.
    const QModelIndex spanned = model.index(0, 0);
    QVERIFY(model.setData(spanned, 2, role));
    QVERIFY(model.setData(spanned, value, role));
    QCOMPARE(model.data(spanned, role).toInt(), 2);
}

void RbTableHeaderModelTest::invalidIndex_hasNoDataAndOnlyEnabledFlag()
{
    ProbeModel model(2, 36);
    model.setData(model.index(0, 0), QStringLiteral("NO"), Qt::DisplayRole);

    QVERIFY(!model.data(QModelIndex(), Qt::DisplayRole).isValid());
    QVERIFY(!model.setData(QModelIndex(), QStringLiteral("x"), Qt::DisplayRole));
    QCOMPARE(model.flags(QModelIndex()), Qt::ItemFlags(Qt::ItemIsEnabled));

    const Qt::ItemFlags cellFlags = model.flags(model.index(1, 35));
    QVERIFY(cellFlags.testFlag(Qt::ItemIsEditable));
    QVERIFY(cellFlags.testFlag(Qt::ItemIsEnabled));
    QVERIFY(cellFlags.testFlag(Qt::ItemIsSelectable));

    // No index outside the counts; one made beyond them anyway yields
    // nothing, without reaching its pointer.
    for (const QPoint& outside : {QPoint(2, 0), QPoint(0, 36), QPoint(-1, 0), QPoint(0, -1)}) {
        QVERIFY(!model.index(outside.x(), outside.y()).isValid());
    }
    QVERIFY(!model.data(model.rawIndex(2, 0, nullptr), Qt::DisplayRole).isValid());
    QVERIFY(!model.data(model.rawIndex(0, 36, nullptr), Qt::DisplayRole).isValid());
}

void RbTableHeaderModelTest::cells_areCreatedOnceAndKeepTheirOwnValues()
{
    RbTableHeaderModel model(3, 40);
    const QModelIndex first = model.index(1, 5);
    const QModelIndex again = model.index(1, 5);
    QVERIFY(first.isValid());
    QCOMPARE(first.row(), 1);
    QCOMPARE(first.column(), 5);
    QCOMPARE(again.internalPointer(), first.internalPointer());
    QVERIFY(model.index(5, 1).internalPointer() != first.internalPointer());

    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 40; ++column) {
            model.setData(model.index(row, column), QStringLiteral("%1,%2").arg(row).arg(column),
                          Qt::DisplayRole);
        }
    }
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 40; ++column) {
            QCOMPARE(model.data(model.index(row, column), Qt::DisplayRole).toString(),
                     QStringLiteral("%1,%2").arg(row).arg(column));
        }
    }
    // A label set again (a change of language) replaces the first.
    QVERIFY(model.setData(first, QStringLiteral("T"), Qt::DisplayRole));
    QCOMPARE(model.data(first, Qt::DisplayRole).toString(), QStringLiteral("T"));
    const auto* item = static_cast<const HeaderCellItem*>(first.internalPointer());
    QCOMPARE(item->row(), 1);
    QCOMPARE(item->column(), 5);
    QVERIFY(item->parent() != nullptr);
    QCOMPARE(item->parent()->childCount(), 3 * 40);
}

QTEST_GUILESS_MAIN(RbTableHeaderModelTest)
#include "RbTableHeaderModelTest.moc"
