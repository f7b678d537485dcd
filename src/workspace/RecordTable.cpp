#include "RecordTable.h"

#include "ComparisonRecordList.h"
#include "Judgement.h"

#include <QColor>
#include <QTableWidget>

using namespace ComparisonColumns;

namespace {

// Sets m_filling for a scope: the table's own changes are not renames.
class Filling
{
public:
    explicit Filling(bool& flag) : m_flag(flag), m_was(flag) { m_flag = true; }
    ~Filling() { m_flag = m_was; }
    Filling(const Filling&) = delete;
    Filling& operator=(const Filling&) = delete;

private:
    bool& m_flag;
    bool m_was;
};

bool isButtonColumn(Layout layout, int column)
{
    return column == deleteColumn(layout) || column == deleteColumn(layout) + 1;
}

} // namespace

RecordTable::RecordTable(QTableWidget* table, ComparisonRecordList* records, Layout layout, QObject* parent)
    : QObject(parent), m_table(table), m_records(records), m_layout(layout)
{
    connect(records, &ComparisonRecordList::appended, this, [this](int first, int last) {
        Filling filling(m_filling);
        m_table->setRowCount(last + 1);
        for (int row = first; row <= last; ++row) {
            fillRow(row);
        }
        emit rowsShown(first, last);
    });
    connect(records, &ComparisonRecordList::removed, this, [this](int row) {
        Filling filling(m_filling);
        m_table->removeRow(row);
    });
    connect(records, &ComparisonRecordList::cleared, this, [this] {
        Filling filling(m_filling);
        m_table->setRowCount(0);
    });
    connect(records, &ComparisonRecordList::changed, this, &RecordTable::refresh);
    connect(table, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!m_filling && item->column() == kTestNameColumn) {
            m_records->rename(item->row(), item->text());
        }
    });
}

void RecordTable::showVerdict(QTableWidgetItem* item, bool pass)
{
    item->setData(kPassRole, pass);
    item->setBackground(QColor(verdictCellColor(pass ? Verdict::Pass : Verdict::Ng)));
    item->setForeground(QColor(Qt::white)); // readable on both
}

void RecordTable::fillRow(int row)
{
    const ComparisonRecord& record = m_records->at(row);
    const int columns = columnCount(m_layout);
    const int verdict = verdictColumn(m_layout);
    for (int column = 0; column < columns; ++column) {
        if (isButtonColumn(m_layout, column)) {
            continue;
        }
        auto* item = new QTableWidgetItem(cellText(m_layout, record, column));
        if (column <= centredLast(m_layout)) {
            item->setTextAlignment(Qt::AlignCenter);
        }
        if (column == verdict) {
            showVerdict(item, record.pass);
        }
        m_table->setItem(row, column, item);
    }
}

void RecordTable::refresh(const QList<int>& rows)
{
    Filling filling(m_filling);
    const bool updates = m_table->updatesEnabled();
    m_table->setUpdatesEnabled(false);
    const int columns = columnCount(m_layout);
    const int verdict = verdictColumn(m_layout);
    for (int row : rows) {
        if (row >= m_table->rowCount()) {
            continue;
        }
        const ComparisonRecord& record = m_records->at(row);
        for (int column = 0; column < columns; ++column) {
            QTableWidgetItem* item = m_table->item(row, column);
            if (!item || isButtonColumn(m_layout, column)) {
                continue;
            }
            const QString text = cellText(m_layout, record, column);
            if (item->text() != text) {
                item->setText(text);
            }
            if (column == verdict && item->data(kPassRole) != QVariant(record.pass)) {
                showVerdict(item, record.pass);
            }
        }
    }
    m_table->setUpdatesEnabled(updates);
}

void RecordTable::relabel()
{
    QList<int> rows;
    for (int row = 0; row < m_records->size(); ++row) {
        rows.append(row);
    }
    refresh(rows);
}
