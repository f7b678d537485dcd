#pragma once
// A header view with several stacked levels of cells, where a cell may span
// several sections and/or several levels (for example a group label over
// eleven column labels, beside labels that cover both levels).
//
// For a horizontal header a section is a column of the header model and a
// level is a row; for a vertical header a section is a row and a level is a
// column. Every cell keeps its own width and height under the size-hint role;
// the widths (heights) follow the table's section sizes through
// onSectionResized, the other extent is set per level with setLevelHeight.
//
// Labels and text colours are set by the owner directly on the header model
// (display and foreground roles); the model emits no change notification, so
// an owner that changes labels on a visible header repaints its viewport.

#include <QHeaderView>
#include <QItemSelectionModel>

class QColor;
class RbTableHeaderModel;

class RbTableHeaderView : public QHeaderView
{
    Q_OBJECT

public:
    RbTableHeaderView(Qt::Orientation orientation, int rowCount, int columnCount,
                      QWidget* parent = nullptr);
    ~RbTableHeaderView() override;

    // The header shows its own model of levels and spans: the view it is
    // installed on cannot hand it the table's model (a view hands its model
    // to its headers whenever it is given one).
    void setModel(QAbstractItemModel* model) override;
    void setSelectionModel(QItemSelectionModel* selectionModel) override;

    // Stores a row span when rowSpanCount > 0 and a column span when
    // columnSpanCount != 0 (the model drops non-positive spans); a span that
    // is not stored leaves an earlier one of that kind in place.
    void setCellSpan(int row, int column, int rowSpanCount, int columnSpanCount);
    // Sets the height of every cell in model row `level`; a vertical header
    // also resizes section `level`.
    void setLevelHeight(int level, int height);
    void setCellBackground(const QModelIndex& index, const QColor& colour);

    // The header cell under a point of the viewport, or an invalid index.
    // A point on the boundary between two levels belongs to the upper (left) one.
    virtual QModelIndex cellAt(const QPoint& point) const;

Q_SIGNALS:
    // A press on a cell of a span group: the group's first and last section.
    void sectionPressed(int first, int last);

public Q_SLOTS:
    void onSectionResized(int section, int oldSize, int newSize);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    QSize sectionSizeFromContents(int logicalIndex) const override;

    // Sum of the widths of cells (row, from) ... (row, from + count - 1).
    int spanWidth(int row, int from, int count) const;
    // Sum of the heights of cells (from, column) ... (from + count - 1, column).
    int spanHeight(int column, int from, int count) const;
    // The cell of the same row (column) whose column (row) span covers `cell`,
    // searching from the cell itself towards column (row) 0.
    QModelIndex columnSpanAnchor(const QModelIndex& cell) const;
    QModelIndex rowSpanAnchor(const QModelIndex& cell) const;
    // The span group of `cell` along the header's direction: sets first and
    // last to its sections, replaces cell by the group's anchor and returns
    // the number of sections; returns 0 and leaves everything unchanged when
    // the cell belongs to no such group.
    int sectionRange(QModelIndex& cell, int& first, int& last) const;

private:
    int levelCount() const;
    QModelIndex levelCell(int level, int section) const;
    QSize cellSize(const QModelIndex& cell) const;

    RbTableHeaderModel* m_headerModel; // owned through Qt parenting
};
