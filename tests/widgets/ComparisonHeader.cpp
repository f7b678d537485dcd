#include "ComparisonHeader.h"

#include "RbTableHeaderModel.h"
#include "RbTableHeaderView.h"

#include <QColor>
#include <QStringList>
#include <QTableWidget>

namespace ComparisonHeader {

void configure(RbTableHeaderView* header)
{
    QAbstractItemModel* model = header->model();

    // Spans: the two groups on level 0, and the single columns that cover both
    // levels (row span only, so a press on them names no group).
    header->setCellSpan(0, kStandardFirst, 1, kGroupSize);
    header->setCellSpan(0, kSampleFirst, 1, kGroupSize);
    for (int column = 0; column < kStandardFirst; ++column) {
        header->setCellSpan(0, column, 2, 0);
    }
    for (int column = kBothLevelsFirst; column <= kBothLevelsLast; ++column) {
        header->setCellSpan(0, column, 2, 0);
    }

    // Labels. The workspace passes each through its translation contexts.
    const QList<QPair<int, QString>> topLabels = {
        {0, QStringLiteral("NO")},
        {1, QStringLiteral("Test Name")},
        {2, QStringLiteral("DateTime")},
        {kStandardFirst, QStringLiteral("Standard")},
        {kSampleFirst, QStringLiteral("Sample")},
        {25, QStringLiteral("\u25B3Haze")},
        {26, QStringLiteral("\u25B3Transmittance")},
        {27, QStringLiteral("\u25B3E")},
        {28, QStringLiteral("Pass or not")},
    };
    for (const auto& label : topLabels) {
        model->setData(model->index(0, label.first), label.second, Qt::DisplayRole);
    }
    const QStringList valueLabels = {
        QStringLiteral("Haze"), QStringLiteral("Transmittance"), QStringLiteral("L*"),
        QStringLiteral("a*"),   QStringLiteral("b*"),            QStringLiteral("L*"),
        QStringLiteral("C*"),   QStringLiteral("h"),             QStringLiteral("Y"),
        QStringLiteral("x"),    QStringLiteral("y"),
    };
    for (int i = 0; i < valueLabels.size(); ++i) {
        model->setData(model->index(1, kStandardFirst + i), valueLabels.at(i), Qt::DisplayRole);
        model->setData(model->index(1, kSampleFirst + i), valueLabels.at(i), Qt::DisplayRole);
    }

    header->setLevelHeight(0, kLevelHeight);
    header->setLevelHeight(1, kLevelHeight);
    header->setSectionsClickable(true);
    for (int row = 0; row < kLevelCount; ++row) {
        for (int column = 0; column < kColumnCount; ++column) {
            header->setCellBackground(model->index(row, column), QColor(0x44, 0x44, 0x44));
        }
    }
}

RbTableHeaderView* install(QTableWidget* table)
{
    if (table->columnCount() < kColumnCount) {
        table->setColumnCount(kColumnCount);
    }
    auto* header = new RbTableHeaderView(Qt::Horizontal, kLevelCount, kColumnCount, table);
    configure(header);
    table->setHorizontalHeader(header);
    return header;
}

} // namespace ComparisonHeader
