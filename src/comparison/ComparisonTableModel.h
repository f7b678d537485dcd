#pragma once
// A record list seen through one column mapping: the model the spreadsheet
// export and any view read. Display texts, alignment and the verdict as data
// (kPassRole) come from ComparisonColumns; colours are the screens' business
// (this library has no GUI types). The test name is editable and a new name
// renames the record.

#include "ComparisonColumns.h"

#include <QAbstractTableModel>

class ComparisonRecordList;

class ComparisonTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    ComparisonTableModel(ComparisonRecordList& records, ComparisonColumns::Layout layout, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    ComparisonColumns::Layout layout() const { return m_layout; }
    const ComparisonRecordList& records() const { return m_records; }

private:
    ComparisonRecordList& m_records;
    ComparisonColumns::Layout m_layout;
};
