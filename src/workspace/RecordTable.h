#pragma once
// The page's two comparison tables (tableWidget_data, tbData) as views of
// their record lists: nothing per row but the record itself.
//
// RecordTableModel adds to the column mapping what only a screen needs: the
// verdict cell's colours and tooltip (the limit that decided or warned), the row buttons' texts and the names assistive
// technology reads for them ("Delete row N", "Report for <test name>", in the
// language in force). RecordTableView paints each row's Delete and Report
// buttons with the look of the application's table buttons and presses them
// from the mouse and from the keyboard (the button cell is current: Space or
// Enter), and through assistive technology (RecordTableAccessible).

#include "ComparisonTableModel.h"

#include <QPersistentModelIndex>
#include <QTableView>

class QPushButton;

class RecordTableModel : public ComparisonTableModel
{
    Q_OBJECT
public:
    // The text a row button shows.
    static constexpr int kButtonTextRole = Qt::UserRole + 2;

    RecordTableModel(ComparisonRecordList& records, ComparisonColumns::Layout layout, QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    bool isDeleteColumn(int column) const { return column == ComparisonColumns::deleteColumn(layout()); }
    bool isReportColumn(int column) const { return column == ComparisonColumns::deleteColumn(layout()) + 1; }
    bool isButtonColumn(int column) const { return isDeleteColumn(column) || isReportColumn(column); }

    // Every cell again (texts, verdicts, the buttons and their names), after
    // a change of language.
    void relabel();

private:
    ComparisonRecordList& m_list;
};

class RecordTableView : public QTableView
{
    Q_OBJECT
public:
    explicit RecordTableView(QWidget* parent = nullptr);

    // Shows model (set once, before the header is installed).
    void setRecordModel(RecordTableModel* model);
    RecordTableModel* recordModel() const { return m_model; }

    // The button cell held down by the mouse (shown pressed), or none.
    QModelIndex pressedIndex() const { return m_pressedInside ? QModelIndex(m_pressed) : QModelIndex(); }
    // A never shown button, child of the viewport: the painted buttons take
    // its style, font and palette, so the application's style sheet applies to
    // them as to a button in a table.
    const QPushButton* buttonLook() const { return m_look; }
    // Presses a row button as a click does (assistive technology's press action).
    void pressRowButton(const QModelIndex& index);

Q_SIGNALS:
    // A row button was pressed (clicked, or Space/Enter on its cell); it is
    // the current index.
    void rowButtonClicked(const QModelIndex& index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool isButton(const QModelIndex& index) const;
    void press(const QModelIndex& index);

    RecordTableModel* m_model = nullptr;
    QPushButton* m_look = nullptr;
    QPersistentModelIndex m_pressed;
    bool m_pressedInside = false;
};
