#include "MeterPageFor310.h"
#include "ReadingsSettings.h"

#include "ui_MeterPageFor310.h"

#include "Dialogs.h"
#include "Frames.h"
#include "LinkAccess.h"
#include "SpectralChartView.h"
#include "SpectralColourTables.h"
#include "SpectralLog.h"
#include "SpectrumStandards.h"
#include "WindowFit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QListWidget>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTableWidget>

using colorimetry::Illuminant;
using colorimetry::Observer;

namespace {

const char* const kValueChoices[] = {QT_TRANSLATE_NOOP("MeterPageFor310", "L*a*b*"),
                                     QT_TRANSLATE_NOOP("MeterPageFor310", "L*C*h"),
                                     QT_TRANSLATE_NOOP("MeterPageFor310", "Yxy")};

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
    setUpColourViews();
}

MeterPageFor310::~MeterPageFor310() = default;

QTableWidget* MeterPageFor310::table() const
{
    return ui->tableWidget_data;
}

QTableView* MeterPageFor310::colourTable() const
{
    return ui->tableView_colour;
}

QTableView* MeterPageFor310::comparisonTable() const
{
    return ui->tableView_compare;
}

void MeterPageFor310::setUpColourViews()
{
    // The records' table and the chart keep most of the height.
    ui->gridLayout_meterPage->setRowStretch(1, 1);
    ui->gridLayout_meterPage->setRowStretch(2, 1);
    ui->gridLayout_meterPage->setColumnStretch(0, 1);

    m_colourTable = new CurveColourTable(m_colour, this);
    m_comparisonTable = new ComparisonTable(m_colour, this);
    for (QTableView* view : {ui->tableView_colour, ui->tableView_compare}) {
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->verticalHeader()->setDefaultSectionSize(22);
        view->horizontalHeader()->setMinimumSectionSize(40);
    }
    ui->tableView_colour->setModel(m_colourTable);
    ui->tableView_compare->setModel(m_comparisonTable);
    ui->tableView_colour->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui->tableView_colour->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(ui->tableView_colour->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { updateTakeStandard(); });
    connect(m_colourTable, &QAbstractItemModel::modelReset, this, [this] { updateTakeStandard(); });
    updateTakeStandard();
    ui->tableView_colour->horizontalHeader()->setDefaultSectionSize(76); // "(-161.04)" whole
    ui->tableView_colour->setColumnWidth(CurveColourTable::Name, 110);
    ui->tableView_compare->horizontalHeader()->setDefaultSectionSize(58);
    ui->tableView_compare->verticalHeader()->hide();
    ui->tableView_compare->setColumnWidth(ComparisonTable::Illuminant, 100);
    ui->tableView_compare->setColumnWidth(ComparisonTable::Metamerism, 80);

    for (const Illuminant illuminant : colorimetry::kAllIlluminants) {
        ui->comboBox_illuminant->addItem(colorimetry::illuminantName(illuminant), int(illuminant));
        auto* item = new QListWidgetItem(colorimetry::illuminantName(illuminant), ui->listWidget_illuminants);
        item->setData(Qt::UserRole, int(illuminant));
        const auto& tests = m_colour.settings().tests;
        const bool reference = illuminant == SpectralComparisonSettings::kReference;
        item->setCheckState(reference || std::find(tests.begin(), tests.end(), illuminant) != tests.end()
                                ? Qt::Checked
                                : Qt::Unchecked);
        if (reference) {
            item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable); // always evaluated
        }
    }
    ui->comboBox_illuminant->setCurrentIndex(ui->comboBox_illuminant->findData(int(m_colour.illuminant())));
    for (const Observer observer : colorimetry::kAllObservers) {
        ui->comboBox_observer->addItem(colorimetry::observerName(observer), int(observer));
    }
    ui->comboBox_observer->setCurrentIndex(ui->comboBox_observer->findData(int(m_colour.observer())));
    for (const char* text : kValueChoices) {
        ui->comboBox_values->addItem(tr(text));
    }
    for (const DeltaEFormula formula : comparisonFormulas()) {
        ui->comboBox_formula->addItem(formulaText(formula), int(formula));
    }
    ui->doubleSpinBox_limit->setValue(m_colour.settings().limit);

    connect(ui->comboBox_illuminant, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int index) {
        m_colour.setIlluminant(Illuminant(ui->comboBox_illuminant->itemData(index).toInt()));
        refreshColour(false);
    });
    connect(ui->comboBox_observer, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int index) {
        m_colour.setObserver(Observer(ui->comboBox_observer->itemData(index).toInt()));
        refreshColour(false);
        refreshComparison();
    });
    connect(ui->comboBox_values, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int index) {
        m_colour.setCurveValues(CurveValues(index));
        refreshColour(false);
    });
    connect(ui->comboBox_standard, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int index) {
        m_colour.setStandard(index);
        refreshComparison();
    });
    connect(ui->comboBox_sample, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int index) {
        m_colour.setSample(index);
        refreshComparison();
    });
    connect(ui->comboBox_formula, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int index) {
        m_colour.setFormula(DeltaEFormula(ui->comboBox_formula->itemData(index).toInt()));
        refreshComparison();
    });
    connect(ui->doubleSpinBox_limit, qOverload<double>(&QDoubleSpinBox::valueChanged), this, [this](double limit) {
        m_colour.setLimit(limit);
        refreshComparison();
    });
    connect(ui->listWidget_illuminants, &QListWidget::itemChanged, this, [this] { applyTestIlluminants(); });
    connect(ui->tableWidget_data, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        const int index = item->row() - 1;
        if (item->column() == kColumnName && index >= 0 && index < m_colour.curveCount()) {
            m_colour.setName(index, item->text());
            ui->comboBox_standard->setItemText(index, item->text());
            ui->comboBox_sample->setItemText(index, item->text());
            refreshColour(false);
        }
    });
    refreshComparison();
}

void MeterPageFor310::applyTestIlluminants()
{
    std::vector<Illuminant> tests;
    for (int i = 0; i < ui->listWidget_illuminants->count(); ++i) {
        const QListWidgetItem* item = ui->listWidget_illuminants->item(i);
        if (item->checkState() == Qt::Checked) {
            tests.push_back(Illuminant(item->data(Qt::UserRole).toInt()));
        }
    }
    m_colour.setTestIlluminants(tests);
    refreshComparison();
}

void MeterPageFor310::setStandardLimits(const QList<ToleranceLimit>& limits)
{
    m_colour.setSetLimits(limits);
    refreshComparison();
}

void MeterPageFor310::setSpectrumStandards(SpectrumStandards* standards)
{
    m_standards = standards;
    updateTakeStandard();
}

void MeterPageFor310::updateTakeStandard()
{
    const int row = ui->tableView_colour->currentIndex().row();
    ui->pushButton_takeStandard->setVisible(m_standards != nullptr);
    ui->pushButton_takeStandard->setEnabled(row >= 0 && row < m_colour.curveCount());
}

void MeterPageFor310::on_pushButton_takeStandard_clicked()
{
    const int row = ui->tableView_colour->currentIndex().row();
    if (!m_standards || row < 0 || row >= m_colour.curveCount()) {
        return;
    }
    SpectrumStandards::Offer offer;
    offer.name = m_colour.name(row);
    offer.spectrum = m_colour.curve(row);
    // A standard's L*a*b* is the instrument's: D65 and the 10° observer.
    offer.labD65TenDegree = colorimetry::curveColour(offer.spectrum, {}).lab;
    offer.transmittance = m_context.layoutIndex == 0 || m_context.layoutIndex == 3;
    QString error;
    if (m_standards->takeAsStandard(offer, this, error)) {
        dialogs().information(this, tr("Take as standard"), tr("\"%1\" is now a standard of the library.").arg(offer.name));
    } else if (!error.isEmpty()) {
        showError(tr("\"%1\" was not taken as a standard: %2").arg(offer.name, error));
    }
}

void MeterPageFor310::refreshColour(bool rowsChanged)
{
    if (rowsChanged) {
        m_colourTable->reset();
    } else {
        m_colourTable->refresh();
    }
}

void MeterPageFor310::refreshComparison()
{
    m_comparisonTable->reset();
    const QString formula = formulaText(m_colour.settings().formula);
    ui->label_compareNote->setText(
        tr("%1 and %2 under each illuminant; metamerism index (MI) against %3 by %1 with the additive correction "
           "(the differences under %3 taken off). A row passes when %1 and MI are within the limit.")
            .arg(formula, formulaText(DeltaEFormula::CieAb),
                 colorimetry::illuminantName(SpectralComparisonSettings::kReference)));
    ui->label_verdict->setText(m_colour.comparison().empty()
                                   ? tr("Choose a standard and a sample.")
                                   : tr("Result: %1").arg(verdictText(m_colour.comparisonPassed())));
}

void MeterPageFor310::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
    }
    QDialog::changeEvent(event);
}

void MeterPageFor310::retranslate()
{
    ui->retranslateUi(this);
    QTableWidget* t = ui->tableWidget_data;
    t->item(0, kColumnNumber)->setText(tr("No"));
    t->item(0, kColumnName)->setText(tr("Name"));
    t->item(0, kColumnOperation)->setText(tr("Operation"));
    headingCheckBox()->setText(tr("Curve"));
    for (int r = 1; r < t->rowCount(); ++r) {
        if (auto* remove = qobject_cast<QPushButton*>(t->cellWidget(r, kColumnOperation))) {
            remove->setText(tr("Delete"));
        }
    }
    for (int i = 0; i < ui->comboBox_values->count(); ++i) {
        ui->comboBox_values->setItemText(i, tr(kValueChoices[i]));
    }
    for (int i = 0; i < ui->comboBox_formula->count(); ++i) {
        ui->comboBox_formula->setItemText(i, formulaText(DeltaEFormula(ui->comboBox_formula->itemData(i).toInt())));
    }
    refreshColour(false);
    refreshComparison();
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
    const QString shownName = recordName(int(m_records.size()) - 1);
    m_colour.appendCurve(record.values, shownName);
    refreshColour(true);
    ui->comboBox_standard->addItem(shownName); // the first record becomes the standard
    ui->comboBox_sample->addItem(shownName);
    if (ui->comboBox_sample->count() == 2) {
        ui->comboBox_sample->setCurrentIndex(1); // the second record, the first sample
    }
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
        // Several readings per sample: their curves averaged band by band.
        const ReadingsSettings readings = ReadingsSettings::loadUser();
        result = measureSpectrumReadings(m_link.transport(), readings.plan.perSample, readings.plan.median, record);
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
    m_colour.clear();
    ui->comboBox_standard->clear();
    ui->comboBox_sample->clear();
    refreshColour(true);
    refreshComparison();
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
        // The model drops the curve first, so the combos' index changes
        // below name curves that still exist.
        m_colour.removeCurve(r - 1);
        const QSignalBlocker standard(ui->comboBox_standard);
        const QSignalBlocker sample(ui->comboBox_sample);
        ui->comboBox_standard->removeItem(r - 1);
        ui->comboBox_sample->removeItem(r - 1);
        ui->comboBox_standard->setCurrentIndex(m_colour.standard());
        ui->comboBox_sample->setCurrentIndex(m_colour.sample());
        refreshColour(true);
        refreshComparison();
    }
    refreshChart();
}

void MeterPageFor310::refreshChart()
{
    ui->widget_chart->update();
}
