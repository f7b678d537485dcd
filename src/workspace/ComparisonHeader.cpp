#include "ComparisonHeader.h"

#include "RbTableHeaderModel.h"
#include "RbTableHeaderView.h"

#include <QColor>
#include <QCoreApplication>
#include <QStringList>
#include <QTableView>

namespace ComparisonHeader {

namespace {

QString page(const char* text)
{
    return QCoreApplication::translate("FirstPageFor310", text);
}

QString colorimeter(const char* text)
{
    return QCoreApplication::translate("Colorimeter", text);
}

void setLabel(RbTableHeaderView* header, int level, int column, const QString& text)
{
    QAbstractItemModel* model = header->model();
    model->setData(model->index(level, column), text, Qt::DisplayRole);
}

void styleCells(RbTableHeaderView* header, int columnCount)
{
    header->setLevelHeight(0, kLevelHeight);
    header->setLevelHeight(1, kLevelHeight);
    header->setSectionsClickable(true);
    QAbstractItemModel* model = header->model();
    for (int row = 0; row < kLevelCount; ++row) {
        for (int column = 0; column < columnCount; ++column) {
            header->setCellBackground(model->index(row, column), QColor(0x44, 0x44, 0x44));
        }
    }
}

// Labels common to both tables' first three columns and groups.
void setFixedLabels(RbTableHeaderView* header, const char* context, int standardFirst, int sampleFirst)
{
    const auto tr = [context](const char* text) { return QCoreApplication::translate(context, text); };
    setLabel(header, 0, 0, tr("NO"));
    setLabel(header, 0, 1, tr("Test Name"));
    setLabel(header, 0, 2, tr("DateTime"));
    setLabel(header, 0, standardFirst, tr("Standard"));
    setLabel(header, 0, sampleFirst, tr("Sample"));
}

} // namespace

void configure(RbTableHeaderView* header)
{
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

    setFixedLabels(header, "FirstPageFor310", kStandardFirst, kSampleFirst);
    setLabel(header, 0, 25, page("\u25B3Haze"));
    setLabel(header, 0, 26, colorimeter("\u25B3Transmittance"));
    setLabel(header, 0, 27, colorimeter("\u25B3E"));
    setLabel(header, 0, 28, page("Pass or not"));
    const char* const valueLabels[kGroupSize] = {"Haze", "Transmittance", "L*", "a*", "b*", "L*",
                                                 "C*",   "h",             "Y",  "x",  "y"};
    for (int i = 0; i < kGroupSize; ++i) {
        setLabel(header, 1, kStandardFirst + i, page(valueLabels[i]));
        setLabel(header, 1, kSampleFirst + i, page(valueLabels[i]));
    }
    styleCells(header, kColumnCount);
}

RbTableHeaderView* install(QTableView* table)
{
    auto* header = new RbTableHeaderView(Qt::Horizontal, kLevelCount, kColumnCount, table);
    configure(header);
    table->setHorizontalHeader(header);
    return header;
}

void retranslate(RbTableHeaderView* header)
{
    setFixedLabels(header, "FirstPageFor310", kStandardFirst, kSampleFirst);
    setLabel(header, 0, 25, page("\u25B3Haze"));
    setLabel(header, 0, 26, page("\u25B3T"));
    setLabel(header, 0, 27, page("\u25B3E"));
    setLabel(header, 0, 28, page("Pass or not"));
    for (int first : {kStandardFirst, kSampleFirst}) {
        setLabel(header, 1, first, page("Haze"));
        setLabel(header, 1, first + 1, page("T"));
    }
}

void configureLegacy(RbTableHeaderView* header)
{
    header->setCellSpan(0, kLegacyStandardFirst, 1, kLegacyGroupSize);
    header->setCellSpan(0, kLegacySampleFirst, 1, kLegacyGroupSize);
    for (int column = 0; column < kLegacyStandardFirst; ++column) {
        header->setCellSpan(0, column, 2, 0);
    }
    for (int column = 13; column <= 16; ++column) {
        header->setCellSpan(0, column, 2, 0);
    }
    retranslateLegacy(header);
    const char* const valueLabels[kLegacyGroupSize] = {"L*", "a*", "b*", "C*", "h"};
    for (int i = 0; i < kLegacyGroupSize; ++i) {
        setLabel(header, 1, kLegacyStandardFirst + i, page(valueLabels[i]));
        setLabel(header, 1, kLegacySampleFirst + i, page(valueLabels[i]));
    }
    styleCells(header, kLegacyColumnCount);
}

RbTableHeaderView* installLegacy(QTableView* table)
{
    auto* header = new RbTableHeaderView(Qt::Horizontal, kLevelCount, kLegacyColumnCount, table);
    configureLegacy(header);
    table->setHorizontalHeader(header);
    return header;
}

void retranslateLegacy(RbTableHeaderView* header)
{
    setFixedLabels(header, "FirstPageFor420", kLegacyStandardFirst, kLegacySampleFirst);
    setLabel(header, 0, 13, colorimeter("\u25B3E"));
    setLabel(header, 0, 14, QCoreApplication::translate("FirstPageFor420", "Pass or not"));
}

} // namespace ComparisonHeader
