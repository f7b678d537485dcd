#pragma once
// The "Statistics" window of the workspace: the statistics of the current
// work per standard and over all rows, the control chart of a chosen
// difference with limits from a chosen baseline, the a*b* plane and the
// histogram. It follows a record list: a new record is added to the kept
// statistics; any other change (a deletion, a rename, judging again, a
// clear, another display mode) takes every record again. Hovering a point
// shows its row; clicking it asks for the row to be selected in the table.

#include "StatisticsScene.h"
#include "WorkStatistics.h"

#include <QWidget>

#include <memory>

class ComparisonRecordList;
namespace Ui {
class StatisticsWindow;
}

class StatisticsWindow : public QWidget
{
    Q_OBJECT
public:
    explicit StatisticsWindow(QWidget* parent = nullptr);
    ~StatisticsWindow() override;

    // The list followed; nullptr: none (empty statistics).
    void setRecordList(const ComparisonRecordList* list);
    // Chosen group (-1: all rows), charted difference and baseline, as the
    // controls set them.
    void setChoice(const ChartChoice& choice);
    ChartChoice choice() const;

    const WorkStatistics& statistics() const { return m_work; }
    const StatisticsScene& scene() const { return m_scene; }
    // The text the hover shows for a record row.
    QString rowText(int row) const;
    // Brings statistics, table and charts up to date now (otherwise this
    // happens once the event loop runs after a change).
    void refresh();

Q_SIGNALS:
    void rowActivated(int row);

protected:
    void changeEvent(QEvent* event) override;

private:
    void rebuild();
    void appendRows(int first, int last);
    void scheduleRefresh();
    void fillChoices();
    void fillTable();
    void showHover(int rowOrBin, const QPoint& globalPosition);
    QList<StatQuantity> quantitiesOfList() const;

    std::unique_ptr<Ui::StatisticsWindow> ui;
    const ComparisonRecordList* m_list = nullptr;
    WorkStatistics m_work;
    StatisticsScene m_scene;
    bool m_refreshPending = false;
    bool m_filling = false;
};
