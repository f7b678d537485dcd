#include "StatisticsWindow.h"

#include "ComparisonRecordList.h"
#include "StatisticsTable.h"
#include "ui_StatisticsWindow.h"
#include "WindowFit.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>

#include <cmath>

namespace {

// The statistics rows the table keeps in sight however small the window.
constexpr int kLeastTableRows = 3;

} // namespace

StatisticsWindow::StatisticsWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::StatisticsWindow>())
{
    ui->setupUi(this);
    ui->chart_control->setScene(&m_scene, StatisticsChartView::Control);
    ui->chart_plane->setScene(&m_scene, StatisticsChartView::Plane);
    ui->chart_histogram->setScene(&m_scene, StatisticsChartView::Histogram);
    ui->tableWidget_statistics->verticalHeader()->hide();
    // Extra height goes to the charts; the table has its rows' height at most.
    ui->splitter_tableCharts->setStretchFactor(0, 0);
    ui->splitter_tableCharts->setStretchFactor(1, 1);
    for (StatisticsChartView* view : {ui->chart_control, ui->chart_plane, ui->chart_histogram}) {
        connect(view, &StatisticsChartView::hovered, this, &StatisticsWindow::showHover);
        connect(view, &StatisticsChartView::rowClicked, this, &StatisticsWindow::rowActivated);
        connect(view, &StatisticsChartView::resized, this, &StatisticsWindow::scheduleRefresh);
    }
    const auto changed = [this] {
        if (!m_filling) {
            refresh();
        }
    };
    connect(ui->comboBox_group, &QComboBox::currentIndexChanged, this, changed);
    connect(ui->comboBox_quantity, &QComboBox::currentIndexChanged, this, changed);
    connect(ui->comboBox_baseline, &QComboBox::currentIndexChanged, this, changed);
    connect(ui->spinBox_from, &QSpinBox::valueChanged, this, changed);
    connect(ui->spinBox_to, &QSpinBox::valueChanged, this, changed);
    m_work.setQuantities(quantitiesOfList());
    refresh();
    // The size the form gives, within the screen's available area.
    fitWindowToScreen(this, size(), parent);
}

StatisticsWindow::~StatisticsWindow() = default;

void StatisticsWindow::setRecordList(const ComparisonRecordList* list)
{
    if (m_list) {
        disconnect(m_list, nullptr, this, nullptr);
    }
    m_list = list;
    if (m_list) {
        connect(m_list, &ComparisonRecordList::appended, this, &StatisticsWindow::appendRows);
        connect(m_list, &ComparisonRecordList::removed, this, &StatisticsWindow::rebuild);
        connect(m_list, &ComparisonRecordList::changed, this, &StatisticsWindow::rebuild);
        connect(m_list, &ComparisonRecordList::cleared, this, &StatisticsWindow::rebuild);
        connect(m_list, &QObject::destroyed, this, [this] {
            m_list = nullptr;
            rebuild();
        });
    }
    rebuild();
}

QList<StatQuantity> StatisticsWindow::quantitiesOfList() const
{
    return shownQuantities(m_list ? m_list->records() : QList<ComparisonRecord>());
}

void StatisticsWindow::rebuild()
{
    m_work.setQuantities(quantitiesOfList());
    if (m_list) {
        m_work.rebuild(m_list->records());
    }
    scheduleRefresh();
}

void StatisticsWindow::appendRows(int first, int last)
{
    // Another display mode shows other differences: take everything again.
    if (!m_list || quantitiesOfList() != m_work.quantities() || first != m_work.rowCount()) {
        rebuild();
        return;
    }
    for (int row = first; row <= last; ++row) {
        m_work.add(m_list->at(row));
    }
    scheduleRefresh();
}

void StatisticsWindow::scheduleRefresh()
{
    if (m_refreshPending) {
        return;
    }
    m_refreshPending = true;
    QTimer::singleShot(0, this, [this] {
        if (m_refreshPending) {
            refresh();
        }
    });
}

ChartChoice StatisticsWindow::choice() const
{
    ChartChoice c;
    c.group = ui->comboBox_group->currentIndex() - 1;
    const QVariant quantity = ui->comboBox_quantity->currentData();
    c.quantity = quantity.isValid() ? static_cast<StatQuantity>(quantity.toInt()) : StatQuantity::DeltaE;
    const int from = ui->spinBox_from->value();
    const int to = ui->spinBox_to->value();
    switch (ui->comboBox_baseline->currentIndex()) {
    case 1:
        c.baseline = ChartChoice::FirstRows;
        c.count = to;
        break;
    case 2:
        c.baseline = ChartChoice::RowRange;
        c.first = from - 1;
        c.count = std::max(0, to - from + 1);
        break;
    default:
        c.baseline = ChartChoice::AllRows;
        break;
    }
    return c;
}

void StatisticsWindow::setChoice(const ChartChoice& c)
{
    m_filling = true;
    fillChoices();
    ui->comboBox_group->setCurrentIndex(std::clamp(c.group + 1, 0, ui->comboBox_group->count() - 1));
    const int quantity = ui->comboBox_quantity->findData(static_cast<int>(c.quantity));
    if (quantity >= 0) {
        ui->comboBox_quantity->setCurrentIndex(quantity);
    }
    ui->comboBox_baseline->setCurrentIndex(c.baseline == ChartChoice::AllRows ? 0
                                           : c.baseline == ChartChoice::FirstRows ? 1 : 2);
    ui->spinBox_from->setValue(c.baseline == ChartChoice::RowRange ? c.first + 1 : 1);
    ui->spinBox_to->setValue(c.baseline == ChartChoice::RowRange ? c.first + c.count : std::max(2, c.count));
    m_filling = false;
    refresh();
}

void StatisticsWindow::fillChoices()
{
    const bool wasFilling = m_filling;
    m_filling = true;
    // Standards: all rows first, then one entry per standard in order of first
    // use. The lists are filled again only when they change, so an open list
    // stays open while rows arrive.
    QStringList groupNames{statisticsGroupName(m_work.overall(), -1)};
    const int groupCount = static_cast<int>(m_work.groups().size());
    if (groupCount > 1) {
        for (int g = 0; g < groupCount; ++g) {
            groupNames << statisticsGroupName(m_work.groups()[g], g);
        }
    }
    QComboBox* groups = ui->comboBox_group;
    QStringList shownGroups;
    for (int i = 0; i < groups->count(); ++i) {
        shownGroups << groups->itemText(i);
    }
    if (shownGroups != groupNames) {
        const int currentGroup = groups->currentIndex();
        groups->clear();
        groups->addItems(groupNames);
        groups->setCurrentIndex(currentGroup >= 0 && currentGroup < groupNames.size() ? currentGroup : 0);
    }

    QComboBox* quantities = ui->comboBox_quantity;
    bool sameQuantities = quantities->count() == m_work.quantities().size();
    for (int i = 0; sameQuantities && i < quantities->count(); ++i) {
        sameQuantities = quantities->itemData(i).toInt() == static_cast<int>(m_work.quantities().at(i));
    }
    if (!sameQuantities) {
        const QVariant currentQuantity = quantities->currentData();
        quantities->clear();
        for (const StatQuantity q : m_work.quantities()) {
            quantities->addItem(quantitySymbol(q), static_cast<int>(q));
        }
        int index = currentQuantity.isValid() ? quantities->findData(currentQuantity) : -1;
        if (index < 0) {
            index = std::max(0, quantities->findData(static_cast<int>(defaultChartChoice(m_work).quantity)));
        }
        quantities->setCurrentIndex(index);
    }

    const bool range = ui->comboBox_baseline->currentIndex() == 2;
    const bool frozen = ui->comboBox_baseline->currentIndex() != 0;
    ui->label_from->setVisible(range);
    ui->spinBox_from->setVisible(range);
    ui->label_to->setText(range ? tr("to") : tr("Samples"));
    ui->label_to->setVisible(frozen);
    ui->spinBox_to->setVisible(frozen);
    m_filling = wasFilling;
}

void StatisticsWindow::fillTable()
{
    const ChartChoice c = choice();
    const StatisticsGroup& group = StatisticsScene::groupOf(m_work, c);
    const QStringList titles = statisticsColumnTitles();
    QTableWidget* table = ui->tableWidget_statistics;
    const QList<int> columns{StatQuantityColumn, StatN,   StatMean,     StatSd,       StatMin,
                             StatMax,            StatMedian, StatP95,   StatCp,       StatCpk,
                             StatPp,             StatPpk, StatCpkLower, StatPpkLower, StatPercentileIndex,
                             StatFit};
    table->setColumnCount(static_cast<int>(columns.size()));
    QStringList headers;
    for (const int column : columns) {
        headers << titles.at(column);
    }
    table->setHorizontalHeaderLabels(headers);
    table->setRowCount(static_cast<int>(m_work.quantities().size()));
    int row = 0;
    for (const StatQuantity q : m_work.quantities()) {
        const QStringList texts = statisticsRow(group, c.group, q);
        for (int k = 0; k < columns.size(); ++k) {
            QTableWidgetItem* item = table->item(row, k);
            if (!item) {
                item = new QTableWidgetItem;
                item->setTextAlignment(Qt::AlignCenter);
                table->setItem(row, k, item);
            }
            item->setText(texts.at(columns.at(k)));
        }
        ++row;
    }
    table->resizeColumnsToContents();
    // As high as its rows (eleven at most) where the window has room, so the
    // charts get the rest; on a small screen it gives way down to three rows
    // and scrolls, and the splitter lets the user trade rows for charts.
    const int rowHeight = table->verticalHeader()->defaultSectionSize();
    const int chrome = table->horizontalHeader()->sizeHint().height() + 2 * table->frameWidth() + 2;
    const int full = std::min(chrome + table->rowCount() * rowHeight, 12 * rowHeight);
    // The least height keeps its rows in sight above a horizontal scroll bar.
    table->setMinimumHeight(
        std::min(full, chrome + table->horizontalScrollBar()->sizeHint().height() + kLeastTableRows * rowHeight));
    if (table->maximumHeight() != full) {
        table->setMaximumHeight(full);
        // The splitter keeps its panes' sizes when a pane's limits change:
        // the table's pane takes its new height, the charts the rest.
        const QList<int> sizes = ui->splitter_tableCharts->sizes();
        const int both = sizes.value(0) + sizes.value(1);
        if (sizes.size() == 2 && both > 0) {
            ui->splitter_tableCharts->setSizes({full, both - full});
        }
    }
    ui->label_counts->setText(tr("Rows: %1    PASS: %2    NG: %3    Warnings: %5    Pass rate: %4")
                                  .arg(group.records)
                                  .arg(group.passed)
                                  .arg(group.failed())
                                  .arg(group.records ? QStringLiteral("%1%").arg(statisticText(100.0 * group.passRate(), 1))
                                                     : statisticsDash())
                                  .arg(group.warnings));
}

void StatisticsWindow::refresh()
{
    m_refreshPending = false;
    fillChoices();
    fillTable();
    const auto areaOf = [](const QWidget* w) { return QRectF(QPointF(0, 0), QSizeF(w->size())); };
    m_scene.build(m_work, choice(),
                  ChartAreas{areaOf(ui->chart_control), areaOf(ui->chart_plane), areaOf(ui->chart_histogram)});
    ui->chart_plane->setVisible(m_work.quantities().contains(StatQuantity::A)
                                && m_work.quantities().contains(StatQuantity::B));
    ui->chart_control->update();
    ui->chart_plane->update();
    ui->chart_histogram->update();
}

QString StatisticsWindow::rowText(int row) const
{
    if (!m_list || row < 0 || row >= m_list->size()) {
        return QString();
    }
    const ComparisonRecord& r = m_list->at(row);
    QStringList values;
    for (const StatQuantity q : m_work.quantities()) {
        const double v = quantityValue(r, q);
        values << QStringLiteral("%1 %2").arg(quantitySymbol(q), statisticText(v, 2));
    }
    return QStringLiteral("%1  %2\n%3\n%4")
        .arg(r.testName, r.time.toString(QString::fromLatin1(kComparisonTimeFormat)), values.join(QStringLiteral("  ")),
             r.pass ? tr("PASS") : tr("NG"));
}

void StatisticsWindow::showHover(int rowOrBin, const QPoint& globalPosition)
{
    const auto* view = qobject_cast<const StatisticsChartView*>(sender());
    if (rowOrBin < 0 || !view) {
        QToolTip::hideText();
        return;
    }
    if (view->kind() == StatisticsChartView::Histogram) {
        const HistogramGeometry& h = m_scene.histogram();
        const double from = h.first + rowOrBin * h.binWidth;
        QToolTip::showText(globalPosition, tr("%1 to %2: %3 samples")
                                               .arg(statisticText(from, 3), statisticText(from + h.binWidth, 3))
                                               .arg(h.counts[rowOrBin]));
        return;
    }
    QToolTip::showText(globalPosition, rowText(rowOrBin));
}

void StatisticsWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_filling = true;
        const int baseline = ui->comboBox_baseline->currentIndex();
        ui->retranslateUi(this);
        ui->comboBox_baseline->setCurrentIndex(baseline);
        m_filling = false;
        refresh();
    }
    QWidget::changeEvent(event);
}
