#include "StatisticsChartView.h"

#include "StatisticsScene.h"

#include <QMouseEvent>
#include <QPainter>

StatisticsChartView::StatisticsChartView(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    // Two stacked in the window's right column still fit a 720-pixel-high screen.
    setMinimumSize(240, 150);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void StatisticsChartView::setScene(const StatisticsScene* scene, Kind kind)
{
    m_scene = scene;
    m_kind = kind;
    update();
}

void StatisticsChartView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_scene) {
        return;
    }
    switch (m_kind) {
    case Control:
        paintControlChart(painter, m_scene->control());
        break;
    case Plane:
        if (m_scene->hasPlane()) {
            paintAbPlane(painter, m_scene->plane());
        }
        break;
    case Histogram:
        paintHistogram(painter, m_scene->histogram());
        break;
    }
}

int StatisticsChartView::itemAt(const QPointF& position) const
{
    if (!m_scene) {
        return -1;
    }
    switch (m_kind) {
    case Control:
        return m_scene->controlRowAt(position);
    case Plane:
        return m_scene->planeRowAt(position);
    case Histogram:
        return m_scene->histogramBinAt(position);
    }
    return -1;
}

void StatisticsChartView::mouseMoveEvent(QMouseEvent* event)
{
    Q_EMIT hovered(itemAt(event->position()), event->globalPosition().toPoint());
}

void StatisticsChartView::mousePressEvent(QMouseEvent* event)
{
    if (m_kind == Histogram || event->button() != Qt::LeftButton) {
        return;
    }
    const int row = itemAt(event->position());
    if (row >= 0) {
        Q_EMIT rowClicked(row);
    }
}

void StatisticsChartView::resizeEvent(QResizeEvent*)
{
    Q_EMIT resized();
}
