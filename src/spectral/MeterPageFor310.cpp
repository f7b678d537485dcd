#include "MeterPageFor310.h"

#include "ui_MeterPageFor310.h"

#include "Dialogs.h"
#include "Frames.h"
#include "LinkAccess.h"
#include "SpectralChartView.h"
#include "SpectralLog.h"
#include "WindowFit.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>

namespace {

const int kColumnWidths[] = {35, 100, 53, 60, 100}; // number, name, each value, curve, operation

QTableWidgetItem* centredItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

} // namespace

MeterPageFor310::MeterPageFor310(LinkAccess& link, Dialogs& dialogs, const Context& context, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::MeterPageFor310>()), m_link(link), m_dialogs(dialogs), m_context(context)
{
    ui->setupUi(this);
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // The desktop's available area, its frame included.
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        fitWindowToScreen(this, screen->availableGeometry().size(), parent);
    }
    ui->widget_chart->setRecords(&m_records, m_context.layoutIndex);
    setUpTable();
    connect(ui->tableWidget_data, &QTableWidget::cellDoubleClicked, this,
            &MeterPageFor310::slot_cellDoubleClicked);
}

MeterPageFor310::~MeterPageFor310() = default;

QTableWidget* MeterPageFor310::table() const
{
    return ui->tableWidget_data;
}

QRect MeterPageFor310::chartArea() const
{
    return ui->widget_chart->geometry();
}

void MeterPageFor310::setUpTable()
{
    QTableWidget* t = ui->tableWidget_data;
    t->setFont(QFont(QStringLiteral("Microsoft Yahei"), 10));
    t->horizontalHeader()->hide();
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setColumnCount(kColumnCount);
    t->setColumnWidth(kColumnNumber, kColumnWidths[0]);
    t->setColumnWidth(kColumnName, kColumnWidths[1]);
    for (int k = 0; k < kSpectralPointCount; ++k) {
        t->setColumnWidth(kColumnFirstValue + k, kColumnWidths[2]);
    }
    t->setColumnWidth(kColumnCurve, kColumnWidths[3]);
    t->setColumnWidth(kColumnOperation, kColumnWidths[4]);

    t->setRowCount(1);
    t->setItem(0, kColumnNumber, centredItem(tr("No")));
    t->setItem(0, kColumnName, centredItem(tr("Name")));
    for (int k = 0; k < kSpectralPointCount; ++k) {
        t->setItem(0, kColumnFirstValue + k,
                   centredItem(QStringLiteral("%1nm").arg(kFirstWavelengthNm + kWavelengthStepNm * k)));
    }
    auto* heading = new QCheckBox(tr("Curve"));
    heading->setChecked(true);
    connect(heading, &QCheckBox::clicked, this, &MeterPageFor310::slot_updateChart);
    t->setCellWidget(0, kColumnCurve, heading);
    t->setItem(0, kColumnOperation, centredItem(tr("Operation")));
}

QCheckBox* MeterPageFor310::headingCheckBox() const
{
    return qobject_cast<QCheckBox*>(ui->tableWidget_data->cellWidget(0, kColumnCurve));
}

QString MeterPageFor310::recordName(int index) const
{
    const QTableWidgetItem* item = ui->tableWidget_data->item(index + 1, kColumnName);
    return item ? item->text() : QString();
}

void MeterPageFor310::addSpectralRow(const SpectralRecord& record, const QString& name)
{
    QTableWidget* t = ui->tableWidget_data;
    const int r = t->rowCount();
    t->insertRow(r);
    t->setItem(r, kColumnNumber, centredItem(QString::number(r)));

    QString shownName = name;
    if (shownName.isEmpty()) {
        shownName = QStringLiteral("spec%1").arg(m_unnamedCounter++);
    }
    auto* nameItem = new QTableWidgetItem(shownName);
    nameItem->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    t->setItem(r, kColumnName, nameItem);

    for (int k = 0; k < kSpectralPointCount; ++k) {
        t->setItem(r, kColumnFirstValue + k,
                   centredItem(QString::number(record.values[static_cast<size_t>(k)], 'g', 6)));
    }

    auto* shown = new QCheckBox;
    shown->setChecked(record.shown);
    connect(shown, &QCheckBox::clicked, this, &MeterPageFor310::slot_updateChart);
    t->setCellWidget(r, kColumnCurve, shown);

    auto* remove = new QPushButton(tr("Delete"));
    remove->setStyleSheet(QStringLiteral("min-height:12px;padding:0px;"));
    connect(remove, &QPushButton::clicked, this, &MeterPageFor310::slot_updateTable);
    t->setCellWidget(r, kColumnOperation, remove);
    refreshChart();
}

void MeterPageFor310::appendRecord(const SpectralRecord& record, const QString& name)
{
    m_records.append(record);
    addSpectralRow(record, name);
}

void MeterPageFor310::setCommandButtonsEnabled(bool enabled)
{
    m_commandDepth = enabled ? std::max(0, m_commandDepth - 1) : m_commandDepth + 1;
    const bool on = m_commandDepth == 0;
    ui->pushButton_spectralHistory->setEnabled(on);
    ui->pushButton_spectralMeasurement->setEnabled(on);
    ui->pushButton_clearData->setEnabled(on);
    ui->pushButton_exportExcel->setEnabled(on);
}

void MeterPageFor310::showError(const QString& text)
{
    dialogs().information(this, tr("Error"), text);
}

void MeterPageFor310::on_pushButton_spectralMeasurement_clicked()
{
    if (m_records.size() >= kMaxMeasuredRecords) {
        showError(tr("Measurement exceeds the maximum quantity, please save the excel file before measuring!"));
        return;
    }
    setCommandButtonsEnabled(false);
    SpectralRecord record;
    int result = ProtocolResult::SendFailed;
    {
        // The link of this moment and its lock, for this exchange only.
        LinkLock lock(m_link);
        result = measureSpectrum(m_link.transport(), record);
    }
    if (result == ProtocolResult::Success) {
        appendRecord(record, QString());
    } else {
        qCDebug(lcSpectral) << "spectral measurement failed:" << result;
        showError(tr("Failed to read data information!"));
    }
    setCommandButtonsEnabled(true);
}

void MeterPageFor310::on_pushButton_spectralHistory_clicked()
{
    if (!m_link.transport().isLinkOpen()) {
        showError(tr("Please connect the device first!"));
        return;
    }
    setCommandButtonsEnabled(false);
    if (ui->tableWidget_data->rowCount() >= 2) {
        const bool saveFirst = dialogs().question(this, tr("Colorimeter"),
                                                  tr("Data import willempty the list, to save data first?"));
        if (!saveFirst) {
            clearAfterQuestion();
        } else if (!on_pushButton_exportExcel_clicked()) {
            setCommandButtonsEnabled(true);
            return;
        }
    }

    std::unique_ptr<ProgressDialog> progress;
    SpectralImportResult result;
    {
        LinkLock lock(m_link);
        result = importSpectralHistory(
            m_link.transport(), m_context.layoutIndex,
            [this, &progress](int blocks) {
                progress = dialogs().progress(this, tr("Storing data,please wait..."), tr("cancel"), 0, blocks);
            },
            [&progress](int position) {
                progress->setValue(position);
                return !progress->wasCanceled();
            });
    }
    if (progress) {
        progress->close();
        progress.reset();
    }

    qCDebug(lcSpectral) << "spectral history:" << static_cast<int>(result.status) << "records"
                        << result.records.size();
    switch (result.status) {
    case SpectralImportStatus::Done:
        for (const NamedSpectrum& entry : std::as_const(result.records)) {
            appendRecord(entry.record, entry.name);
        }
        break;
    case SpectralImportStatus::CountChecksumBad:
        showError(tr("Spectral history data error, unable to export!"));
        break;
    case SpectralImportStatus::CountFailed:
        showError(tr("Failed to read the number of spectral records!"));
        break;
    case SpectralImportStatus::NoRecords:
        dialogs().information(this, tr("Info"), tr("No spectral history!"));
        break;
    case SpectralImportStatus::ValueBlockFailed:
        showError(tr("Reading spectral recording data failed!"));
        break;
    case SpectralImportStatus::NameBlockFailed:
        showError(tr("Failed to read spectral record name data!"));
        break;
    case SpectralImportStatus::Canceled:
        break; // the operator stopped it: nothing is added
    }
    setCommandButtonsEnabled(true);
}

bool MeterPageFor310::clearAfterQuestion()
{
    if (!dialogs().question(this, tr("Tip"),
                            tr("Clearing data will clear all spectral records. Are you sure you want to clear it?"))) {
        return false;
    }
    ui->tableWidget_data->setRowCount(1);
    m_records.clear();
    refreshChart();
    return true;
}

void MeterPageFor310::on_pushButton_clearData_clicked()
{
    setCommandButtonsEnabled(false);
    clearAfterQuestion();
    setCommandButtonsEnabled(true);
}

bool MeterPageFor310::on_pushButton_exportExcel_clicked()
{
    if (!m_exportHandler) {
        return false;
    }
    setCommandButtonsEnabled(false);
    const bool written = m_exportHandler(*this);
    setCommandButtonsEnabled(true);
    return written;
}

void MeterPageFor310::slot_cellDoubleClicked(int row, int column)
{
    if (row > 0 && column == kColumnName) {
        ui->tableWidget_data->editItem(ui->tableWidget_data->item(row, column));
    }
}

int MeterPageFor310::rowOfCellWidget(const QObject* widget, int column) const
{
    const QTableWidget* t = ui->tableWidget_data;
    for (int r = 0; r < t->rowCount(); ++r) {
        if (t->cellWidget(r, column) == widget) {
            return r;
        }
    }
    return -1;
}

void MeterPageFor310::slot_updateChart(bool checked)
{
    const int r = rowOfCellWidget(sender(), kColumnCurve);
    if (r == 0) {
        for (int i = 0; i < m_records.size(); ++i) {
            m_records[i].shown = checked;
            if (auto* box = qobject_cast<QCheckBox*>(ui->tableWidget_data->cellWidget(i + 1, kColumnCurve))) {
                box->setChecked(checked);
            }
        }
    } else if (r > 0 && r <= m_records.size()) {
        m_records[r - 1].shown = checked;
        if (!checked) {
            headingCheckBox()->setChecked(false);
        }
    }
    refreshChart();
}

void MeterPageFor310::slot_updateTable()
{
    const int r = rowOfCellWidget(sender(), kColumnOperation);
    if (r > 0 && r <= m_records.size()) {
        m_records.removeAt(r - 1);
        ui->tableWidget_data->removeRow(r);
    }
    refreshChart();
}

void MeterPageFor310::refreshChart()
{
    ui->widget_chart->update();
}
