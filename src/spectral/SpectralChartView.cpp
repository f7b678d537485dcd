#include "SpectralChartView.h"

#include "SpectralChart.h"

#include <QPainter>

SpectralChartView::SpectralChartView(QWidget* parent) : QWidget(parent) {}

void SpectralChartView::setRecords(const QList<SpectralRecord>* records, int layout)
{
    m_records = records;
    m_layout = layout;
    update();
}

void SpectralChartView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    paintSpectralChart(painter, spectralChartGeometry(QRectF(rect()), m_records ? *m_records : QList<SpectralRecord>(),
                                                      m_layout));
}
