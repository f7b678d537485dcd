#pragma once
// Cells of the live comparison displays (tableWidget_colorDiff of the current
// layout, tbColorDiff of the legacy one): columns 1 standard, 2 sample,
// 3 difference, 4 deviation word; row 0 the headers, the last row delta-E.
// The current layout's standard cells are line edits, so the operator can
// type over a measured standard; every other cell is an item.

#include <QColor>
#include <QString>
#include <QStringList>

class QTableWidget;
class QTableWidgetItem;

namespace ComparisonDisplay {

constexpr int kStandardColumn = 1;
constexpr int kSampleColumn = 2;
constexpr int kDifferenceColumn = 3;
constexpr int kWordColumn = 4;

// "-----": a value not measured (yet).
QString dashes();

// A read-only item holding text, centred, in colour.
QTableWidgetItem* centredItem(const QString& text, const QColor& colour = Qt::black);

// Rows 1 .. texts.size() of column get line edits (the current standard)
// or items holding texts, centred, in colour.
void setEdits(QTableWidget* table, int column, const QStringList& texts, const QColor& colour);
// One cell's line edit (made if the cell has none) holding text, in colour.
void setEdit(QTableWidget* table, int row, int column, const QString& text, const QColor& colour);
void setItems(QTableWidget* table, int column, const QStringList& texts, const QColor& colour);
// The same texts, lastRow times.
QStringList repeated(const QString& text, int lastRow);

// Recolours rows 1 .. lastRow of column (line edits or items alike).
void setColumnColour(QTableWidget* table, int column, int lastRow, const QColor& colour);
// The header cells: the active column blue, the other black.
void markActiveColumn(QTableWidget* table, int activeColumn);

// Text of a cell, from its line edit or its item; empty when there is neither.
QString cellText(const QTableWidget* table, int row, int column);
// Texts of rows 1 .. lastRow of column.
QStringList columnTexts(const QTableWidget* table, int column, int lastRow);

// Sets the text of an existing item or creates one, centred and black.
void setCellText(QTableWidget* table, int row, int column, const QString& text);

} // namespace ComparisonDisplay
