#include "FirstPageFor310.h"
#include "StartupTrace.h"

#include "ComparisonDisplay.h"
#include "ComparisonHeader.h"
#include "ComparisonJudging.h"
#include "ComparisonRecordList.h"
#include "ComparisonTableModel.h"
#include "DataFiles.h"
#include "FirstPageForm.h"
#include "FirstPageReport.h"
#include "JournalKeeper.h"
#include "RbTableHeaderView.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDoubleValidator>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTableWidget>

#include <algorithm>
#include <numeric>

using namespace ComparisonDisplay;

namespace {

// The live display's last row: delta-E (its standard cell stays empty).
constexpr int kDeltaERow = 12;

QString colorimeter(const char* text)
{
    return QCoreApplication::translate("Colorimeter", text);
}

} // namespace

FirstPageFor310::FirstPageFor310(LinkAccess& link, Dialogs& dialogs, QWidget* parent, HiddenParts hiddenParts)
    : QWidget(parent), ui(std::make_unique<FirstPageForm>()), m_link(link), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("FirstPageFor310"));
    startupTrace::mark("page: begin");
    ui->setupUi(this);
    startupTrace::mark("page: form");
    ui->label_eThresholds->hide();
    ui->lineEdit_eThresholds->hide();

    m_state.displayFlags = displayFlagsFor(0);
    displayModeGroup = new QButtonGroup(this);
    for (int mode = 0; mode < 7; ++mode) {
        displayModeGroup->addButton(ui->radioButton(mode), mode);
    }
    connect(displayModeGroup, &QButtonGroup::idClicked, this, &FirstPageFor310::onButtonClicked);

    // The live display.
    QTableWidget* display = ui->tableWidget_colorDiff;
    const char* const rowNames[12] = {"Haze", "Transmittance", "L*", "a*", "b*", "L*",
                                      "C*",   "h",             "Y",  "x",  "y"};
    for (int row = 1; row <= 11; ++row) {
        display->setItem(row, 0, centredItem(tr(rowNames[row - 1])));
    }
    display->setItem(12, 0, centredItem(colorimeter("\u25B3E")));
    setDisplayHeadings(display);
    // Only the rows the display mode shows get their standard's edit now; the
    // others come with the hidden parts.
    resetColorDiffItems();
    completeStandardEdits(displayModeView(m_state.displayFlags).displayRows);

    // The comparison tables.
    startupTrace::mark("page: displays");
    // The records behind them: the tables are views of the records.
    m_records = new ComparisonRecordList(this);
    m_legacyRecords = new ComparisonRecordList(this);
    m_recordModel = new RecordTableModel(*m_records, ComparisonColumns::Layout::Current, this);
    m_legacyRecordModel = new RecordTableModel(*m_legacyRecords, ComparisonColumns::Layout::Legacy, this);
    // The header first: the view's default header would lay out every column
    // of the model only to be replaced.
    dataHeader = ComparisonHeader::install(ui->tableWidget_data);
    ui->tableWidget_data->setRecordModel(m_recordModel);
    connect(m_records, &ComparisonRecordList::appended, this,
            [this](int first, int last) { rowsShown(ui->tableWidget_data, first, last); });
    connect(m_legacyRecords, &ComparisonRecordList::appended, this, [this](int first, int last) {
        if (ui->tbData) {
            rowsShown(ui->tbData, first, last);
        }
    });
    for (ComparisonRecordList* list : {m_records, m_legacyRecords}) {
        connect(list, &ComparisonRecordList::countsChanged, this, &FirstPageFor310::showCounters);
    }
    connect(m_records, &ComparisonRecordList::countsChanged, this, &FirstPageFor310::applyTableColumns);
    // The counters are the shown table's.
    connect(ui->stackedWidget_data, &QStackedWidget::currentChanged, this, &FirstPageFor310::showCounters);
    for (int column = ComparisonColumns::kCurrentFirstHidden; column < ComparisonColumns::kCurrentColumns; ++column) {
        ui->tableWidget_data->setColumnHidden(column, true);
    }
    startupTrace::mark("page: tables");
    applyDisplayMode();
    startupTrace::mark("page: display mode");

    // Beside the executable, or in ../share/tintwell of an installed copy.
    m_modelTable = ::loadModelTable(dataFilePath(QStringLiteral("meterno")));
    startupTrace::mark("page: model table");
    m_reports = new FirstPageReport(m_dialogs, this);
    startupTrace::mark("page: reports");
    setUpStatistics();
    startupTrace::mark("page: statistics");

    auto* toleranceValidator = new QDoubleValidator(0, 100, 2, this);
    toleranceValidator->setNotation(QDoubleValidator::StandardNotation);
    ui->lineEdit_hazeTolerance->setValidator(toleranceValidator);
    ui->lineEdit_tTolerance->setValidator(toleranceValidator);
    auto* thresholdValidator = new QDoubleValidator(0, 50, 1, this);
    thresholdValidator->setNotation(QDoubleValidator::StandardNotation);
    ui->lineEdit_eThresholds->setValidator(thresholdValidator);
    setUpTableView(ui->tableWidget_data, false);
    setSpectralButtonText();
    QMetaObject::connectSlotsByName(this);
    if (hiddenParts == HiddenParts::Now) {
        buildHiddenParts();
    }
}

void FirstPageFor310::buildHiddenParts()
{
    // By hand: the page's slots are connected by name before these exist.
    if (!ui->tbData) {
        setUpLegacyLayout();
        connect(ui->stdmeasurementBtn, &QPushButton::clicked, this, &FirstPageFor310::on_stdmeasurementBtn_clicked);
        connect(ui->loadstdBtn, &QPushButton::clicked, this, &FirstPageFor310::on_loadstdBtn_clicked);
        connect(ui->samplemeasurementBtn, &QPushButton::clicked, this,
                &FirstPageFor310::on_samplemeasurementBtn_clicked);
    }
    if (!ui->page_eParameter) {
        ui->setupParameterUi();
        connect(ui->pushButton_setParameter, &QPushButton::clicked, this,
                &FirstPageFor310::on_pushButton_setParameter_clicked);
        connect(ui->pushButton_readParameter, &QPushButton::clicked, this,
                &FirstPageFor310::on_pushButton_readParameter_clicked);
    }
    QList<int> everyRow(kDeltaERow);
    std::iota(everyRow.begin(), everyRow.end(), 1);
    completeStandardEdits(everyRow);
}

void FirstPageFor310::completeStandardEdits(const QList<int>& rows)
{
    QTableWidget* display = ui->tableWidget_colorDiff;
    for (int row : rows) {
        if (!display->cellWidget(row, kStandardColumn)) {
            setEdit(display, row, kStandardColumn, row == kDeltaERow ? QString() : dashes(), Qt::blue);
        }
    }
    // Keyboard order: row after row, wherever an edit was made.
    QWidget* previous = nullptr;
    for (int row = 1; row <= kDeltaERow; ++row) {
        QWidget* edit = display->cellWidget(row, kStandardColumn);
        if (previous && edit) {
            QWidget::setTabOrder(previous, edit);
        }
        previous = edit ? edit : previous;
    }
}

void FirstPageFor310::setUpLegacyLayout()
{
    ui->setupLegacyUi();
    QTableWidget* legacy = ui->tbColorDiff;
    const char* const legacyNames[5] = {"L*", "a*", "b*", "C*", "h"};
    for (int row = 1; row <= 5; ++row) {
        legacy->setItem(row, 0, centredItem(tr(legacyNames[row - 1])));
    }
    legacy->setItem(6, 0, centredItem(colorimeter("\u25B3E")));
    setDisplayHeadings(legacy);
    resetColorDiff_old();

    legacyDataHeader = ComparisonHeader::installLegacy(ui->tbData);
    ui->tbData->setRecordModel(m_legacyRecordModel);
    for (int column = ComparisonColumns::kLegacyFirstHidden; column < ComparisonColumns::kLegacyColumns; ++column) {
        ui->tbData->setColumnHidden(column, true);
    }
    applyLegacyColumnWidths();
    setUpTableView(ui->tbData, true);
}

void FirstPageFor310::setDisplayHeadings(QTableWidget* display)
{
    display->setItem(0, 1, centredItem(tr("Standard"), Qt::blue));
    display->setItem(0, 2, centredItem(tr("Sample")));
    display->setItem(0, 3, centredItem(colorimeter("\u25B3")));
}

void FirstPageFor310::setUpTableView(RecordTableView* table, bool legacy)
{
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->viewport()->installEventFilter(this);
    // The pressed button's cell is current: the slots find their row there.
    connect(table, &RecordTableView::rowButtonClicked, this, [this, legacy, table](const QModelIndex& index) {
        if (table->recordModel()->isDeleteColumn(index.column())) {
            legacy ? on_DeleteBtn_clicked_old() : on_DeleteBtn_clicked();
        } else {
            legacy ? on_ReportBtn_clicked_old() : on_ReportBtn_clicked();
        }
    });
    connect(table, &QAbstractItemView::doubleClicked, this, [this, legacy](const QModelIndex& index) {
        legacy ? doubleClickedSlot_old(index.row(), index.column()) : doubleClickedSlot(index.row(), index.column());
    });
}

FirstPageFor310::~FirstPageFor310() = default;

bool FirstPageFor310::isLinkOpen() const
{
    return m_link.transport().isLinkOpen();
}

void FirstPageFor310::loadModelTable(const QString& path)
{
    m_modelTable = ::loadModelTable(path);
}

void FirstPageFor310::setJournal(JournalKeeper* keeper)
{
    m_journal = keeper;
    if (m_journal) {
        m_journal->watch(m_records, false);
        m_journal->watch(m_legacyRecords, true);
        m_journal->setCounter([this] { return std::max(m_records->nameSequence(), m_legacyRecords->nameSequence()); });
    }
}

void FirstPageFor310::resetColorDiff()
{
    QTableWidget* display = ui->tableWidget_colorDiff;
    setEdits(display, kStandardColumn, repeated(dashes(), kDeltaERow), Qt::blue); // the standard's edits are reused
    static_cast<QLineEdit*>(display->cellWidget(kDeltaERow, kStandardColumn))->clear();
    resetColorDiffItems();
}

void FirstPageFor310::resetColorDiffItems()
{
    QTableWidget* display = ui->tableWidget_colorDiff;
    const QStringList dashed = repeated(dashes(), kDeltaERow);
    for (int column = kSampleColumn; column <= kWordColumn; ++column) {
        setItems(display, column, dashed, Qt::black);
    }
    for (const auto& cell : {std::pair{7, 4}, {8, 4}, {12, 2}, {12, 4}}) {
        display->item(cell.first, cell.second)->setText(QString());
    }
}

void FirstPageFor310::resetColorDiff_old()
{
    QTableWidget* legacy = ui->tbColorDiff;
    for (int row = 1; row <= 6; ++row) {
        for (int column = 1; column <= 4; ++column) {
            legacy->setItem(row, column, centredItem(dashes(), column == 1 ? Qt::blue : Qt::black));
        }
    }
    for (const auto& cell : {std::pair{4, 4}, {5, 4}, {6, 1}, {6, 2}, {6, 4}}) {
        legacy->item(cell.first, cell.second)->setText(QString());
    }
}

void FirstPageFor310::resetMeasurementStyles()
{
    ui->groupBox_sampleMeasurement->setStyleSheet(QStringLiteral(" background-color: rgb(180, 180, 180);"));
    ui->groupBox_standardMeasurement->setStyleSheet(QStringLiteral("background-color: rgb(180, 180, 180);"));
    ui->pushButton_sampleMeasurement->setStyleSheet(
        QStringLiteral("color: rgb(0, 0, 0);background-color: rgb(255, 255, 255);"));
    ui->pushButton_standardMeasurement->setStyleSheet(
        QStringLiteral("color: rgb(0, 0, 255); background-color: rgb(255, 255, 255);"));
    ui->label_result->clear();
    ui->label_result->setStyleSheet(QStringLiteral("QLabel{background-color: rgb(0, 255, 0);}"));
}

void FirstPageFor310::resetMeasurementStyles_old()
{
    ui->sampBtnGroubox->setStyleSheet(QStringLiteral(" background-color: rgb(180, 180, 180);"));
    ui->stdBtnGroubox->setStyleSheet(QStringLiteral("background-color: rgb(180, 180, 180);"));
    ui->samplemeasurementBtn->setStyleSheet(QStringLiteral("color: rgb(0, 0, 0);background-color: rgb(255, 255, 255);"));
    ui->stdmeasurementBtn->setStyleSheet(QStringLiteral("color: rgb(0, 0, 255); background-color: rgb(255, 255, 255);"));
    ui->resultlab->clear();
    ui->resultlab->setStyleSheet(QStringLiteral("QLabel{background-color: rgb(0, 255, 0);}"));
}

void FirstPageFor310::setToleranceInputs(const ToleranceInputs& inputs)
{
    for (QWidget* w : {static_cast<QWidget*>(ui->label_hazeTolerance), static_cast<QWidget*>(ui->lineEdit_hazeTolerance),
                       static_cast<QWidget*>(ui->label_hazeTolerancePercentage)}) {
        w->setVisible(inputs.haze);
    }
    for (QWidget* w : {static_cast<QWidget*>(ui->label_tTolerance), static_cast<QWidget*>(ui->lineEdit_tTolerance),
                       static_cast<QWidget*>(ui->label_tTolerancePercentage)}) {
        w->setVisible(inputs.transmittance);
    }
    ui->label_eThresholds->setVisible(inputs.deltaE);
    ui->lineEdit_eThresholds->setVisible(inputs.deltaE);
}

void FirstPageFor310::onButtonClicked(int id)
{
    if (const auto inputs = toleranceInputsFor(id)) {
        setToleranceInputs(*inputs);
    }
}

void FirstPageFor310::applyDisplayMode()
{
    QTableWidget* display = ui->tableWidget_colorDiff;
    const DisplayModeView view = displayModeView(m_state.displayFlags);
    for (int row = 1; row <= 12; ++row) {
        display->setRowHidden(row, !view.displayRows.contains(row));
    }
    // The headings and the rows shown must stay readable; the hidden rows
    // need no room (the window then fits a smaller screen).
    display->setMinimumHeight(FirstPageForm::kDisplayRowHeight * (1 + static_cast<int>(view.displayRows.size())));
    m_tableDisplayMode = -2; // the columns again
    applyTableColumns();
    applyLoadStandardState();
}

int FirstPageFor310::tableDisplayMode() const
{
    const int taken = takenInDisplayMode(m_records->records());
    return taken >= 0 ? taken : m_state.displayMode();
}

void FirstPageFor310::applyTableColumns()
{
    // The table shows its rows in the mode they were taken in (rows restored
    // from another instrument's session), until they are exported or cleared.
    const int mode = tableDisplayMode();
    if (mode == m_tableDisplayMode) {
        return;
    }
    m_tableDisplayMode = mode;
    const DisplayModeView view = displayModeView(mode >= 0 ? displayFlagsFor(mode) : m_state.displayFlags);
    for (int column = 3; column <= 27; ++column) {
        ui->tableWidget_data->setColumnHidden(column, !view.dataColumns.contains(column));
    }
    applyColumnWidths(view.n);
}

void FirstPageFor310::applyLoadStandardState()
{
    // A file standard has no haze or transmittance: every sample would be
    // refused in the modes that judge them.
    const bool judged = judgesByDeltaEOnly(m_state.displayMode());
    QPushButton* load = ui->pushButton_loadStandard;
    load->setEnabled(judged);
    load->setToolTip(judged ? FirstPageForm::tr("Load the standard from a CGATS (.ti3, .txt) or CxF3 (.cxf) file")
                            : tr("A standard from a file has no haze or transmittance: it can be judged only in "
                                 "the Lab, LCh and Yxy modes."));
}

// The columns share the width the table has inside its window (not the
// desktop's), so the verdict and the buttons stay in view; again at each resize.
void FirstPageFor310::applyColumnWidths(int n)
{
    m_widthCount = n;
    const QList<int> widths = currentColumnWidths(n, ui->tableWidget_data->viewport()->width());
    for (int column = 0; column < widths.size(); ++column) {
        ui->tableWidget_data->setColumnWidth(column, widths.at(column));
    }
}

void FirstPageFor310::applyLegacyColumnWidths()
{
    const QList<int> widths = legacyColumnWidths(ui->tbData->viewport()->width());
    for (int column = 0; column < widths.size(); ++column) {
        ui->tbData->setColumnWidth(column, widths.at(column));
    }
}

void FirstPageFor310::setChineseUi(bool chinese)
{
    m_state.chineseUi = chinese;
    setSpectralButtonText();
}

void FirstPageFor310::setSpectralButtonText()
{
    const bool reflectance = layoutUsesParameterPage(m_state.layoutIndex);
    QString text;
    if (m_state.chineseUi) {
        text = reflectance ? QStringLiteral("光谱反射率") : QStringLiteral("光谱透过率");
    } else {
        text = reflectance ? QStringLiteral("Spectral reflectance") : QStringLiteral("Spectral transmittance");
    }
    ui->pushButton_spectralTransmittance->setText(text);
}

bool FirstPageFor310::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        const auto* resize = static_cast<QResizeEvent*>(event);
        if (resize->size().width() != resize->oldSize().width()) {
            if (watched == ui->tableWidget_data->viewport()) {
                applyColumnWidths(m_widthCount);
            } else if (ui->tbData && watched == ui->tbData->viewport()) {
                applyLegacyColumnWidths();
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FirstPageFor310::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        languageChange();
    }
    QWidget::changeEvent(event);
}

void FirstPageFor310::languageChange()
{
    const QString serial = ui->lineEdit_serialNo->text();
    const QString version = ui->lineEdit_firmwareVersion->text();
    const QString result = ui->label_result->text();
    const QString legacyResult = ui->resultlab ? ui->resultlab->text() : QString();
    retranslate();
    ui->lineEdit_serialNo->setText(serial);
    ui->lineEdit_firmwareVersion->setText(version);
    const auto verdictAgain = [](QLabel* label, const QString& shown) {
        if (shown == QStringLiteral("合格") || shown == QLatin1String("PASS")) {
            label->setText(verdictText(Verdict::Pass));
        } else if (shown == QStringLiteral("不合格") || shown == QLatin1String("NG")) {
            label->setText(verdictText(Verdict::Ng));
        }
    };
    verdictAgain(ui->label_result, result);
    if (ui->resultlab) {
        verdictAgain(ui->resultlab, legacyResult);
    }

    // The fixed items of the live displays, and the deviation words from the
    // differences shown.
    QTableWidget* display = ui->tableWidget_colorDiff;
    display->item(0, 1)->setText(tr("Standard"));
    display->item(0, 2)->setText(tr("Sample"));
    display->item(1, 0)->setText(tr("Haze"));
    display->item(2, 0)->setText(tr("Transmittance"));
    const auto wordsAgain = [](QTableWidget* table, int firstRow) {
        const DeviationAxis axes[3] = {DeviationAxis::L, DeviationAxis::A, DeviationAxis::B};
        for (int i = 0; i < 3; ++i) {
            const QTableWidgetItem* difference = table->item(firstRow + i, 3);
            QTableWidgetItem* word = table->item(firstRow + i, 4);
            bool ok = false;
            const double value = difference ? difference->text().remove(QLatin1Char('%')).toDouble(&ok) : 0.0;
            if (word && ok) {
                word->setText(deviationWord(axes[i], value));
            }
        }
    };
    wordsAgain(display, 3);
    if (QTableWidget* legacy = ui->tbColorDiff) { // once the legacy layout is built
        legacy->item(0, 1)->setText(tr("Standard"));
        legacy->item(0, 2)->setText(tr("Sample"));
        wordsAgain(legacy, 1);
    }

    relabelRows();
}

// The verdict cells, from the verdict kept as data, and the rows' buttons and
// their names, in the language in force.
void FirstPageFor310::relabelRows()
{
    m_recordModel->relabel();
    m_legacyRecordModel->relabel();
}

void FirstPageFor310::retranslate()
{
    ui->retranslateUi();
    applyLoadStandardState(); // its tooltip says why when it is off
    ComparisonHeader::retranslate(dataHeader);
    if (legacyDataHeader) {
        ComparisonHeader::retranslateLegacy(legacyDataHeader);
    }
    setSpectralButtonText();
    for (RecordTableView* table : {ui->tableWidget_data, ui->tbData}) {
        if (table) {
            table->horizontalHeader()->viewport()->update();
        }
    }
}
