#pragma once
// The chart area of the spectral dialog: a widget that paints the chart of
// the records it is shown over its own rectangle. It paints in its own paint
// event, after its background, so a style sheet that gives widgets a
// background (the application's does) cannot cover the curves.

#include "SpectralData.h"

#include <QList>
#include <QWidget>

class SpectralChartView : public QWidget
{
    Q_OBJECT

public:
    explicit SpectralChartView(QWidget* parent = nullptr);

    // The records charted (their order, values and shown flags) and the
    // layout that names the y axis. records must outlive the view; a change
    // of them shows at the next update().
    void setRecords(const QList<SpectralRecord>* records, int layout);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QList<SpectralRecord>* m_records = nullptr;
    int m_layout = 0;
};
