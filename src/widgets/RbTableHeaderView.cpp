#include "RbTableHeaderView.h"

#include "RbTableHeaderModel.h"

#include <QBrush>
#include <QColor>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>
#include <qdrawutil.h>

#include <algorithm>

namespace {

int spanOf(const QModelIndex& anchor, int role)
{
    return anchor.data(role).toInt();
}

} // namespace

RbTableHeaderView::RbTableHeaderView(Qt::Orientation orientation, int rowCount,
                                     int columnCount, QWidget* parent)
    : QHeaderView(orientation, parent),
      m_headerModel(new RbTableHeaderModel(rowCount, columnCount, this))
{
    const QSize initialSize = orientation == Qt::Horizontal
                                  ? QSize(defaultSectionSize(), 20)
                                  : QSize(50, defaultSectionSize());
    for (int row = 0; row < rowCount; ++row) {
        for (int column = 0; column < columnCount; ++column) {
            m_headerModel->setData(m_headerModel->index(row, column), initialSize,
                                   Qt::SizeHintRole);
        }
    }
    setModel(m_headerModel);
    connect(this, &QHeaderView::sectionResized, this, &RbTableHeaderView::onSectionResized);
}

RbTableHeaderView::~RbTableHeaderView() = default;

void RbTableHeaderView::setModel(QAbstractItemModel* model)
{
    if (model == m_headerModel) {
        QHeaderView::setModel(model);
    }
}

void RbTableHeaderView::setSelectionModel(QItemSelectionModel* selectionModel)
{
    // Nor its selection: that of the table's rows is of another model.
    if (selectionModel && selectionModel->model() == m_headerModel) {
        QHeaderView::setSelectionModel(selectionModel);
    }
}

void RbTableHeaderView::setCellSpan(int row, int column, int rowSpanCount, int columnSpanCount)
{
    const QModelIndex cell = m_headerModel->index(row, column);
    if (rowSpanCount > 0) {
        m_headerModel->setData(cell, rowSpanCount, RbTableHeaderModel::RowSpanRole);
    }
    if (columnSpanCount != 0) {
        m_headerModel->setData(cell, columnSpanCount, RbTableHeaderModel::ColumnSpanRole);
    }
}

void RbTableHeaderView::setLevelHeight(int level, int height)
{
    for (int column = 0; column < m_headerModel->columnCount(); ++column) {
        const QModelIndex cell = m_headerModel->index(level, column);
        QSize size = cellSize(cell);
        size.setHeight(height);
        m_headerModel->setData(cell, size, Qt::SizeHintRole);
    }
    if (orientation() == Qt::Vertical) {
        resizeSection(level, height);
    }
}

void RbTableHeaderView::setCellBackground(const QModelIndex& index, const QColor& colour)
{
    m_headerModel->setData(index, colour, Qt::BackgroundRole);
}

int RbTableHeaderView::levelCount() const
{
    return orientation() == Qt::Horizontal ? m_headerModel->rowCount()
                                           : m_headerModel->columnCount();
}

QModelIndex RbTableHeaderView::levelCell(int level, int section) const
{
    return orientation() == Qt::Horizontal ? m_headerModel->index(level, section)
                                           : m_headerModel->index(section, level);
}

QSize RbTableHeaderView::cellSize(const QModelIndex& cell) const
{
    const QVariant size = cell.data(Qt::SizeHintRole);
    return size.isValid() ? size.toSize() : QSize(0, 0);
}

int RbTableHeaderView::spanWidth(int row, int from, int count) const
{
    int width = 0;
    for (int column = from; column < from + count; ++column) {
        width += cellSize(m_headerModel->index(row, column)).width();
    }
    return width;
}

int RbTableHeaderView::spanHeight(int column, int from, int count) const
{
    int height = 0;
    for (int row = from; row < from + count; ++row) {
        height += cellSize(m_headerModel->index(row, column)).height();
    }
    return height;
}

QModelIndex RbTableHeaderView::columnSpanAnchor(const QModelIndex& cell) const
{
    if (!cell.isValid()) {
        return QModelIndex();
    }
    for (int column = cell.column(); column >= 0; --column) {
        const QModelIndex candidate = m_headerModel->index(cell.row(), column);
        const QVariant span = candidate.data(RbTableHeaderModel::ColumnSpanRole);
        if (span.isValid() && column + span.toInt() - 1 >= cell.column()) {
            return candidate;
        }
    }
    return QModelIndex();
}

QModelIndex RbTableHeaderView::rowSpanAnchor(const QModelIndex& cell) const
{
    if (!cell.isValid()) {
        return QModelIndex();
    }
    for (int row = cell.row(); row >= 0; --row) {
        const QModelIndex candidate = m_headerModel->index(row, cell.column());
        const QVariant span = candidate.data(RbTableHeaderModel::RowSpanRole);
        if (span.isValid() && row + span.toInt() - 1 >= cell.row()) {
            return candidate;
        }
    }
    return QModelIndex();
}

int RbTableHeaderView::sectionRange(QModelIndex& cell, int& first, int& last) const
{
    const bool horizontal = orientation() == Qt::Horizontal;
    const QModelIndex columnAnchor = columnSpanAnchor(cell);
    const QModelIndex rowAnchor = rowSpanAnchor(cell);

    if (columnAnchor.isValid()) {
        const int columnSpan = spanOf(columnAnchor, RbTableHeaderModel::ColumnSpanRole);
        if (horizontal) {
            first = columnAnchor.column();
            last = columnAnchor.column() + columnSpan - 1;
            cell = columnAnchor;
            return columnSpan;
        }
        const QVariant rowSpan = columnAnchor.data(RbTableHeaderModel::RowSpanRole);
        if (rowSpan.isValid()) {
            first = columnAnchor.row();
            last = columnAnchor.row() + rowSpan.toInt() - 1;
            cell = columnAnchor;
            return rowSpan.toInt();
        }
    }
    if (rowAnchor.isValid()) {
        const int rowSpan = spanOf(rowAnchor, RbTableHeaderModel::RowSpanRole);
        if (!horizontal) {
            first = rowAnchor.row();
            last = rowAnchor.row() + rowSpan - 1;
            cell = rowAnchor;
            return rowSpan;
        }
        const QVariant columnSpan = rowAnchor.data(RbTableHeaderModel::ColumnSpanRole);
        if (columnSpan.isValid()) {
            first = rowAnchor.column();
            last = rowAnchor.column() + columnSpan.toInt() - 1;
            cell = rowAnchor;
            return columnSpan.toInt();
        }
    }
    return 0;
}

QModelIndex RbTableHeaderView::cellAt(const QPoint& point) const
{
    const int section = logicalIndexAt(point);
    if (section < 0) {
        return QModelIndex();
    }
    const bool horizontal = orientation() == Qt::Horizontal;
    const int along = horizontal ? point.y() : point.x();
    int reached = 0;
    for (int level = 0; level < levelCount(); ++level) {
        const QModelIndex cell = levelCell(level, section);
        const QSize size = cellSize(cell);
        reached += horizontal ? size.height() : size.width();
        if (reached >= along) {
            return cell;
        }
    }
    return QModelIndex();
}

void RbTableHeaderView::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    const bool horizontal = orientation() == Qt::Horizontal;
    for (int i = 0; i < levelCount(); ++i) {
        const QModelIndex cell = levelCell(i, logicalIndex);
        const QSize size = cellSize(cell);

        QRect cellRect = rect;
        if (horizontal) {
            cellRect.moveTop(spanHeight(logicalIndex, 0, i));
        } else {
            cellRect.moveLeft(spanWidth(logicalIndex, 0, i));
        }
        cellRect.setSize(size);

        // A cell covered by a span is drawn with its anchor's whole rectangle;
        // every section of the group paints the same pixels, and the header's
        // clip region keeps partial repaints right. A level covered by a span
        // is skipped so it does not paint over the anchor.
        QModelIndex drawn = cell;
        int nextLevel = i;
        const QModelIndex columnAnchor = columnSpanAnchor(cell);
        if (columnAnchor.isValid()) {
            const int columnSpan = spanOf(columnAnchor, RbTableHeaderModel::ColumnSpanRole);
            const int width = spanWidth(columnAnchor.row(), columnAnchor.column(), columnSpan);
            int left = 0;
            if (horizontal) {
                left = sectionViewportPosition(columnAnchor.column());
            } else {
                left = spanWidth(logicalIndex, 0, columnAnchor.column());
                nextLevel = std::max(nextLevel, columnAnchor.column() + columnSpan - 1);
            }
            cellRect.setLeft(left);
            cellRect.setRight(left + width - 1);

            const QVariant rowSpanValue = columnAnchor.data(RbTableHeaderModel::RowSpanRole);
            if (rowSpanValue.isValid()) {
                const int rowSpan = rowSpanValue.toInt();
                const int height = spanHeight(columnAnchor.column(), columnAnchor.row(), rowSpan);
                int top = 0;
                if (horizontal) {
                    top = spanHeight(columnAnchor.column(), 0, columnAnchor.row());
                    nextLevel = std::max(nextLevel, columnAnchor.row() + rowSpan - 1);
                } else {
                    top = sectionViewportPosition(columnAnchor.row());
                }
                cellRect.setTop(top);
                cellRect.setBottom(top + height - 1);
            }
            drawn = columnAnchor;
        }

        const QModelIndex rowAnchor = rowSpanAnchor(cell);
        if (rowAnchor.isValid()) {
            const int rowSpan = spanOf(rowAnchor, RbTableHeaderModel::RowSpanRole);
            const int height = spanHeight(drawn.column(), rowAnchor.row(), rowSpan);
            int top = 0;
            if (horizontal) {
                top = spanHeight(logicalIndex, 0, rowAnchor.row());
                nextLevel = std::max(nextLevel, rowAnchor.row() + rowSpan - 1);
            } else {
                top = sectionViewportPosition(rowAnchor.row());
            }
            cellRect.setTop(top);
            cellRect.setBottom(top + height - 1);

            const QVariant columnSpanValue = rowAnchor.data(RbTableHeaderModel::ColumnSpanRole);
            if (columnSpanValue.isValid()) {
                const int columnSpan = columnSpanValue.toInt();
                const int width = spanWidth(rowAnchor.row(), rowAnchor.column(), columnSpan);
                int left = 0;
                if (horizontal) {
                    left = sectionViewportPosition(rowAnchor.column());
                } else {
                    left = spanWidth(logicalIndex, 0, rowAnchor.column());
                    nextLevel = std::max(nextLevel, rowAnchor.column() + columnSpan - 1);
                }
                cellRect.setLeft(left);
                cellRect.setRight(left + width - 1);
            }
            drawn = rowAnchor;
        }

        QStyleOptionHeader option;
        initStyleOption(&option);
        option.textAlignment = Qt::AlignCenter;
        option.iconAlignment = Qt::AlignVCenter;
        option.section = logicalIndex;
        option.text = drawn.data(Qt::DisplayRole).toString();
        option.rect = cellRect;

        const QVariant background = drawn.data(Qt::BackgroundRole);
        if (background.isValid() && background.canConvert<QBrush>()) {
            const QBrush brush = qvariant_cast<QBrush>(background);
            option.palette.setBrush(QPalette::Button, brush);
            option.palette.setBrush(QPalette::Window, brush);
        }
        const QVariant foreground = drawn.data(Qt::ForegroundRole);
        if (foreground.isValid() && foreground.canConvert<QBrush>()) {
            option.palette.setBrush(QPalette::ButtonText, qvariant_cast<QBrush>(foreground));
        }

        painter->save();
        const QBrush fill = option.palette.brush(QPalette::Button);
        qDrawShadePanel(painter, option.rect, option.palette, false, 1, &fill);
        style()->drawControl(QStyle::CE_HeaderLabel, &option, painter, nullptr);
        painter->restore();

        i = nextLevel;
    }
}

QSize RbTableHeaderView::sectionSizeFromContents(int logicalIndex) const
{
    const bool horizontal = orientation() == Qt::Horizontal;
    QSize result = QHeaderView::sectionSizeFromContents(logicalIndex);
    for (int i = 0; i < levelCount(); ++i) {
        const QModelIndex cell = levelCell(i, logicalIndex);
        int nextLevel = i;
        result = cellSize(cell);
        const QModelIndex columnAnchor = columnSpanAnchor(cell);
        if (columnAnchor.isValid()) {
            const int columnSpan = spanOf(columnAnchor, RbTableHeaderModel::ColumnSpanRole);
            result.setWidth(spanWidth(columnAnchor.row(), columnAnchor.column(), columnSpan));
            if (!horizontal) {
                nextLevel = std::max(nextLevel, columnAnchor.column() + columnSpan - 1);
            }
        }
        const QModelIndex rowAnchor = rowSpanAnchor(cell);
        if (rowAnchor.isValid()) {
            const int rowSpan = spanOf(rowAnchor, RbTableHeaderModel::RowSpanRole);
            result.setHeight(spanHeight(rowAnchor.column(), rowAnchor.row(), rowSpan));
            if (horizontal) {
                nextLevel = std::max(nextLevel, rowAnchor.row() + rowSpan - 1);
            }
        }
        i = nextLevel;
    }
    // Across the levels the section needs room for all of them stacked, also
    // when no cell of this section spans every level; otherwise a header
    // without such a cell would be sized to its last level and cut off.
    if (horizontal) {
        result.setHeight(std::max(result.height(),
                                  spanHeight(logicalIndex, 0, levelCount())));
    } else {
        result.setWidth(std::max(result.width(), spanWidth(logicalIndex, 0, levelCount())));
    }
    return result;
}

void RbTableHeaderView::mousePressEvent(QMouseEvent* event)
{
    QHeaderView::mousePressEvent(event);

    QModelIndex cell = cellAt(event->position().toPoint());
    if (!cell.isValid()) {
        return;
    }
    int first = -1;
    int last = -1;
    if (sectionRange(cell, first, last) >= 1) {
        Q_EMIT sectionPressed(first, last);
        return;
    }

    // The pressed cell may lie under a group anchored at another level of
    // the same section (a group label that also spans levels downwards).
    const bool horizontal = orientation() == Qt::Horizontal;
    const int section = horizontal ? cell.column() : cell.row();
    const int level = horizontal ? cell.row() : cell.column();
    for (int k = 0; k < levelCount(); ++k) {
        QModelIndex candidate = levelCell(k, section);
        if (sectionRange(candidate, first, last) > 0 && first <= section && section <= last) {
            const QVariant levelSpan = candidate.data(horizontal
                                                          ? RbTableHeaderModel::RowSpanRole
                                                          : RbTableHeaderModel::ColumnSpanRole);
            const int anchorLevel = horizontal ? candidate.row() : candidate.column();
            if (levelSpan.isValid() && anchorLevel <= level
                && level <= anchorLevel + levelSpan.toInt() - 1) {
                Q_EMIT sectionPressed(first, last);
                return;
            }
        }
    }
}

void RbTableHeaderView::onSectionResized(int section, int /*oldSize*/, int newSize)
{
    const bool horizontal = orientation() == Qt::Horizontal;
    const int position = sectionViewportPosition(section);
    int left = horizontal ? position : 0;
    int top = horizontal ? 0 : position;
    for (int i = 0; i < levelCount(); ++i) {
        const QModelIndex cell = levelCell(i, section);
        QSize size = cellSize(cell);
        if (horizontal) {
            top = spanHeight(section, 0, i);
            size.setWidth(newSize);
        } else {
            left = spanWidth(section, 0, i);
            size.setHeight(newSize);
        }
        m_headerModel->setData(cell, size, Qt::SizeHintRole);

        // Repaint from the left (top) edge of the group the cell belongs to,
        // whose label moves with the new size.
        const QModelIndex columnAnchor = columnSpanAnchor(cell);
        if (columnAnchor.isValid()) {
            left = horizontal ? sectionViewportPosition(columnAnchor.column())
                              : spanWidth(section, 0, columnAnchor.column());
        }
        const QModelIndex rowAnchor = rowSpanAnchor(cell);
        if (rowAnchor.isValid()) {
            top = horizontal ? spanHeight(section, 0, rowAnchor.row())
                             : sectionViewportPosition(rowAnchor.row());
        }
        viewport()->update(
            QRect(QPoint(left, top), viewport()->rect().bottomRight()).normalized());
    }
}
