#pragma once
// One chart of the statistics window: paints its part of the scene and says
// which record row lies under the mouse (hover) or was clicked.

#include <QWidget>

class StatisticsScene;

class StatisticsChartView : public QWidget
{
    Q_OBJECT
public:
    enum Kind { Control, Plane, Histogram };

    explicit StatisticsChartView(QWidget* parent = nullptr);
    void setScene(const StatisticsScene* scene, Kind kind);
    Kind kind() const { return m_kind; }

Q_SIGNALS:
    // row: the record row under the mouse, or -1; for the histogram the bin.
    void hovered(int rowOrBin, const QPoint& globalPosition);
    void rowClicked(int row);
    void resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int itemAt(const QPointF& position) const;

    const StatisticsScene* m_scene = nullptr;
    Kind m_kind = Control;
};
