#include "ComparisonDisplay.h"

#include "ComparisonColumns.h"

#include <QLineEdit>
#include <QPalette>
#include <QTableWidget>

namespace ComparisonDisplay {

namespace {

void colourEdit(QLineEdit* edit, const QColor& colour)
{
    edit->setStyleSheet(QStringLiteral("color: %1").arg(colour.name()));
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Text, colour);
    edit->setPalette(palette);
}

} // namespace

QString dashes()
{
    return ComparisonColumns::kUnknownText;
}

QTableWidgetItem* centredItem(const QString& text, const QColor& colour)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    item->setForeground(colour);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

void setEdit(QTableWidget* table, int row, int column, const QString& text, const QColor& colour)
{
    // The cell's line edit is reused: a new one per value would leave the
    // old one on screen until the event loop deletes it.
    auto* edit = qobject_cast<QLineEdit*>(table->cellWidget(row, column));
    if (!edit) {
        edit = new QLineEdit;
        edit->setAlignment(Qt::AlignCenter);
        edit->setFrame(false);
        table->setCellWidget(row, column, edit);
    }
    edit->setText(text);
    colourEdit(edit, colour);
}

void setEdits(QTableWidget* table, int column, const QStringList& texts, const QColor& colour)
{
    for (int i = 0; i < texts.size(); ++i) {
        setEdit(table, i + 1, column, texts.at(i), colour);
    }
}

void setItems(QTableWidget* table, int column, const QStringList& texts, const QColor& colour)
{
    for (int i = 0; i < texts.size(); ++i) {
        table->setItem(i + 1, column, centredItem(texts.at(i), colour));
    }
}

QStringList repeated(const QString& text, int lastRow)
{
    QStringList texts;
    for (int row = 1; row <= lastRow; ++row) {
        texts.append(text);
    }
    return texts;
}

void setColumnColour(QTableWidget* table, int column, int lastRow, const QColor& colour)
{
    for (int row = 1; row <= lastRow; ++row) {
        if (auto* edit = qobject_cast<QLineEdit*>(table->cellWidget(row, column))) {
            colourEdit(edit, colour);
        }
        if (QTableWidgetItem* item = table->item(row, column)) {
            item->setForeground(colour);
        }
    }
}

void markActiveColumn(QTableWidget* table, int activeColumn)
{
    for (int column : {kStandardColumn, kSampleColumn}) {
        if (QTableWidgetItem* item = table->item(0, column)) {
            item->setForeground(column == activeColumn ? QColor(Qt::blue) : QColor(Qt::black));
        }
    }
}

QString cellText(const QTableWidget* table, int row, int column)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(table->cellWidget(row, column))) {
        return edit->text();
    }
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QString();
}

QStringList columnTexts(const QTableWidget* table, int column, int lastRow)
{
    QStringList texts;
    for (int row = 1; row <= lastRow; ++row) {
        texts.append(cellText(table, row, column));
    }
    return texts;
}

void setCellText(QTableWidget* table, int row, int column, const QString& text)
{
    QTableWidgetItem* item = table->item(row, column);
    if (!item) {
        table->setItem(row, column, centredItem(text, Qt::black));
        return;
    }
    item->setText(text);
    item->setTextAlignment(Qt::AlignCenter);
    item->setForeground(QColor(Qt::black));
}

} // namespace ComparisonDisplay
