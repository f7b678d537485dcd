#include "FirstPageForm.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSpacerItem>
#include <QStackedWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

template <typename T>
T* make(QWidget* parent, const char* name)
{
    auto* widget = new T(parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

const QString kGrey = QStringLiteral("background-color: rgb(180, 180, 180);");
const QString kGreen = QStringLiteral("background-color: rgb(0, 255, 0);");

// A live display: as high as all its rows where the window has room, and
// down to the rows shown (FirstPageForm::kDisplayRowHeight each; the page sets
// the minimum as its display mode hides rows) where it has not, so that the
// window fits a small screen.
class LiveDisplayTable final : public QTableWidget
{
public:
    LiveDisplayTable(QWidget* parent, int rows)
        : QTableWidget(parent), m_preferredHeight(rows * FirstPageForm::kDisplayRowHeight)
    {
    }
    QSize sizeHint() const override { return {QTableWidget::sizeHint().width(), m_preferredHeight}; }

private:
    int m_preferredHeight;
};

// A button of the buttons row: 200 pixels wide where the row has room, and
// down to its text where it has not, so that the window fits a small screen.
class RowButton final : public QPushButton
{
public:
    using QPushButton::QPushButton;
    QSize sizeHint() const override { return QPushButton::sizeHint().expandedTo(QSize(200, 35)); }
    QSize minimumSizeHint() const override { return QPushButton::sizeHint().expandedTo(QSize(0, 35)); }
};

QTableWidget* makeDisplayTable(QWidget* parent, const char* name, int rows)
{
    auto* table = new LiveDisplayTable(parent, rows);
    table->setObjectName(QLatin1String(name));
    // Headers hidden and stretching before the rows and columns exist: each
    // row or column added to a shown header measures every section's label.
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setRowCount(rows);
    table->setColumnCount(5);
    table->setStyleSheet(QStringLiteral("background:#ffffff;"));
    table->setMinimumHeight(rows * FirstPageForm::kDisplayRowHeight);
    return table;
}

// "Load standard…" beside a "Scan Standard" button.
QPushButton* addLoadButton(QGroupBox* group, const char* name)
{
    auto* button = make<QPushButton>(group, name);
    button->setStyleSheet(QStringLiteral("color: rgb(0, 0, 0);background-color: rgb(255, 255, 255);"));
    button->setMinimumHeight(40);
    button->setFocusPolicy(Qt::StrongFocus);
    group->layout()->addWidget(button);
    return button;
}

QGroupBox* makeButtonGroup(QWidget* parent, const char* groupName, const char* buttonName,
                           QPushButton*& button, const QString& buttonStyle)
{
    auto* group = make<QGroupBox>(parent, groupName);
    group->setStyleSheet(kGrey);
    auto* layout = new QHBoxLayout(group);
    button = make<QPushButton>(group, buttonName);
    button->setStyleSheet(buttonStyle);
    button->setMinimumHeight(40);
    layout->addWidget(button);
    return group;
}

QLabel* makeResultLabel(QWidget* parent, const char* name)
{
    auto* label = make<QLabel>(parent, name);
    label->setStyleSheet(kGreen);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumSize(160, 60);
    QFont font = label->font();
    font.setPointSize(24);
    font.setBold(true);
    label->setFont(font);
    return label;
}

// The texts of one live comparison display (current or legacy).
void retranslateMeasurement(QGroupBox* group, QPushButton* standard, QPushButton* load, QPushButton* sample)
{
    group->setTitle(FirstPageForm::tr(" Comparison measurement"));
    standard->setText(FirstPageForm::tr("Scan Standard"));
    load->setText(FirstPageForm::tr("Load standard\u2026"));
    load->setAccessibleName(FirstPageForm::tr("Load the standard from a CGATS or CxF3 file"));
    load->setToolTip(FirstPageForm::tr("Load the standard from a CGATS (.ti3, .txt) or CxF3 (.cxf) file"));
    sample->setText(FirstPageForm::tr("Scan Sample"));
}

QLineEdit* makeReadOnlyEdit(QWidget* parent, const char* name)
{
    auto* edit = make<QLineEdit>(parent, name);
    edit->setReadOnly(true);
    return edit;
}

// A page of a stack holding one group box, edge to edge. The page joins its
// stack once filled: a page that joins empty is laid out again as it fills.
QGroupBox* makeGroupPage(QStackedWidget* stack, const char* pageName, const char* groupName, QWidget*& page)
{
    page = make<QWidget>(stack, pageName);
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* group = make<QGroupBox>(page, groupName);
    layout->addWidget(group);
    return group;
}

// Widgets into a grid, row after row, each in the next column; returns the
// first row left free.
int addRows(QGridLayout* layout, std::initializer_list<std::initializer_list<QWidget*>> rows)
{
    int row = 0;
    for (const auto& widgets : rows) {
        int column = 0;
        for (QWidget* widget : widgets) {
            layout->addWidget(widget, row, column++);
        }
        ++row;
    }
    return row;
}

// A settings panel's "Set …" and "Read …" buttons, side by side.
QHBoxLayout* makeSetAndRead(QPushButton* set, QPushButton* read)
{
    auto* row = new QHBoxLayout;
    for (QPushButton* button : {set, read}) {
        button->setMinimumHeight(35);
        row->addWidget(button);
    }
    return row;
}

// One layout's live comparison display, in its group: the display (rows
// high), the verdict beside it, and under them the standard's buttons (scan,
// load from a file) and the sample's.
struct LiveDisplayNames
{
    const char* display;
    int rows;
    const char* result;
    const char* standardGroup;
    const char* standard;
    const char* load;
    const char* sampleGroup;
    const char* sample;
};

struct LiveDisplay
{
    QTableWidget* display = nullptr;
    QLabel* result = nullptr;
    QGroupBox* standardGroup = nullptr;
    QPushButton* standard = nullptr;
    QPushButton* load = nullptr;
    QGroupBox* sampleGroup = nullptr;
    QPushButton* sample = nullptr;
};

LiveDisplay makeLiveDisplay(QGroupBox* group, const LiveDisplayNames& names)
{
    LiveDisplay live;
    auto* layout = new QGridLayout(group);
    live.display = makeDisplayTable(group, names.display, names.rows);
    live.result = makeResultLabel(group, names.result);
    live.standardGroup =
        makeButtonGroup(group, names.standardGroup, names.standard, live.standard,
                        QStringLiteral("background-color: rgb(255, 255, 255); color: rgb(0, 0, 255);"));
    live.load = addLoadButton(live.standardGroup, names.load);
    live.sampleGroup = makeButtonGroup(group, names.sampleGroup, names.sample, live.sample,
                                       QStringLiteral("color: rgb(0, 0, 0);background-color: rgb(255, 255, 255);"));
    layout->addWidget(live.display, 0, 0, 1, 2);
    layout->addWidget(live.result, 0, 2);
    layout->addWidget(live.standardGroup, 1, 0);
    layout->addWidget(live.sampleGroup, 1, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    return live;
}

// One layout's comparison table, alone on its page of the tables' stack.
RecordTableView* makeRecordPage(QStackedWidget* stack, const char* pageName, const char* layoutName,
                                const char* tableName, QWidget*& page, QHBoxLayout*& layout)
{
    page = make<QWidget>(stack, pageName);
    layout = new QHBoxLayout(page);
    layout->setObjectName(QLatin1String(layoutName));
    layout->setContentsMargins(0, 0, 0, 0);
    auto* table = make<RecordTableView>(page, tableName);
    layout->addWidget(table);
    stack->addWidget(page);
    table->verticalHeader()->hide();
    table->setMinimumHeight(180);
    return table;
}

} // namespace

void FirstPageForm::setupUi(QWidget* page)
{
    gridLayout_firstPageFor310 = new QGridLayout(page);
    gridLayout_firstPageFor310->setObjectName(QStringLiteral("gridLayout_firstPageFor310"));
    gridLayout_firstPageFor310->setSpacing(10);

    // Device information and counts, over the live display.
    groupBox_deviceInformation = make<QGroupBox>(page, "groupBox_deviceInformation");
    auto* deviceLayout = new QGridLayout(groupBox_deviceInformation);
    label_serialNo = make<QLabel>(groupBox_deviceInformation, "label_serialNo");
    lineEdit_serialNo = makeReadOnlyEdit(groupBox_deviceInformation, "lineEdit_serialNo");
    // The whole serial number stays readable in a window narrower than the screen.
    lineEdit_serialNo->setMinimumWidth(lineEdit_serialNo->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
    label_firmwareVersion = make<QLabel>(groupBox_deviceInformation, "label_firmwareVersion");
    lineEdit_firmwareVersion = makeReadOnlyEdit(groupBox_deviceInformation, "lineEdit_firmwareVersion");
    addRows(deviceLayout, {{label_serialNo, lineEdit_serialNo, label_firmwareVersion, lineEdit_firmwareVersion}});

    groupBox_count = make<QGroupBox>(page, "groupBox_count");
    auto* countLayout = new QHBoxLayout(groupBox_count);
    label_unqualNum = make<QLabel>(groupBox_count, "label_unqualNum");
    label_unqualNum->setStyleSheet(QStringLiteral("background-color: rgb(255, 0, 0);"));
    lineEdit_unqualNum = makeReadOnlyEdit(groupBox_count, "lineEdit_unqualNum");
    label_qualNum = make<QLabel>(groupBox_count, "label_qualNum");
    label_qualNum->setStyleSheet(kGreen);
    lineEdit_qualNum = makeReadOnlyEdit(groupBox_count, "lineEdit_qualNum");
    label_totalNum = make<QLabel>(groupBox_count, "label_totalNum");
    label_totalNum->setStyleSheet(kGreen);
    lineEdit_totalNum = makeReadOnlyEdit(groupBox_count, "lineEdit_totalNum");
    label_warningNum = make<QLabel>(groupBox_count, "label_warningNum");
    label_warningNum->setStyleSheet(QStringLiteral("background-color: rgb(255, 176, 0);"));
    lineEdit_warningNum = makeReadOnlyEdit(groupBox_count, "lineEdit_warningNum");
    for (QLineEdit* edit : {lineEdit_unqualNum, lineEdit_qualNum, lineEdit_warningNum, lineEdit_totalNum}) {
        edit->setText(QStringLiteral("0"));
        edit->setAlignment(Qt::AlignCenter);
    }
    for (QLabel* label : {label_unqualNum, label_qualNum, label_warningNum, label_totalNum}) {
        label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        label->setAlignment(Qt::AlignCenter);
    }
    countLayout->addWidget(label_unqualNum);
    countLayout->addWidget(lineEdit_unqualNum);
    countLayout->addWidget(label_qualNum);
    countLayout->addWidget(lineEdit_qualNum);
    countLayout->addWidget(label_warningNum);
    countLayout->addWidget(lineEdit_warningNum);
    countLayout->addWidget(label_totalNum);
    countLayout->addWidget(lineEdit_totalNum);

    // The live comparison display, current and legacy.
    stackedWidget_comparisonMeasurement = make<QStackedWidget>(page, "stackedWidget_comparisonMeasurement");
    groupBox_newComparisonMeasurement = makeGroupPage(stackedWidget_comparisonMeasurement,
                                                      "page_newComparisonMeasurement",
                                                      "groupBox_newComparisonMeasurement", page_newComparisonMeasurement);
    const LiveDisplay current = makeLiveDisplay(
        groupBox_newComparisonMeasurement,
        {"tableWidget_colorDiff", 13, "label_result", "groupBox_standardMeasurement", "pushButton_standardMeasurement",
         "pushButton_loadStandard", "groupBox_sampleMeasurement", "pushButton_sampleMeasurement"});
    tableWidget_colorDiff = current.display;
    label_result = current.result;
    groupBox_standardMeasurement = current.standardGroup;
    pushButton_standardMeasurement = current.standard;
    pushButton_loadStandard = current.load;
    groupBox_sampleMeasurement = current.sampleGroup;
    pushButton_sampleMeasurement = current.sample;
    stackedWidget_comparisonMeasurement->addWidget(page_newComparisonMeasurement);

    // Display parameter.
    groupBox_setDisplayParameter = make<QGroupBox>(page, "groupBox_setDisplayParameter");
    auto* displayLayout = new QGridLayout(groupBox_setDisplayParameter);
    radioButton_hazeT = make<QRadioButton>(groupBox_setDisplayParameter, "radioButton_hazeT");
    radioButton_haze = make<QRadioButton>(groupBox_setDisplayParameter, "radioButton_haze");
    radioButton_t = make<QRadioButton>(groupBox_setDisplayParameter, "radioButton_t");
    radioButton_Lab = make<QRadioButton>(groupBox_setDisplayParameter, "radioButton_Lab");
    radioButton_LCh = make<QRadioButton>(groupBox_setDisplayParameter, "radioButton_LCh");
    radioButton_Yxy = make<QRadioButton>(groupBox_setDisplayParameter, "radioButton_Yxy");
    radioButton_hazeTLab = make<QRadioButton>(groupBox_setDisplayParameter, "radioButton_hazeTLab");
    radioButton_hazeT->setChecked(true);
    for (int mode = 0; mode < 7; ++mode) {
        displayLayout->addWidget(radioButton(mode), mode / 3, mode % 3);
    }
    pushButton_setDisplayParameter = make<QPushButton>(groupBox_setDisplayParameter, "pushButton_setDisplayParameter");
    pushButton_setDisplayParameter->setMinimumHeight(35);
    displayLayout->addWidget(pushButton_setDisplayParameter, 3, 0, 1, 3);

    // Settings: tolerances, or the delta-E parameter.
    stackedWidget = make<QStackedWidget>(page, "stackedWidget");
    groupBox_setTolerance = makeGroupPage(stackedWidget, "page_tolerance", "groupBox_setTolerance", page_tolerance);
    auto* toleranceLayout = new QGridLayout(groupBox_setTolerance);
    label_hazeTolerance = make<QLabel>(groupBox_setTolerance, "label_hazeTolerance");
    lineEdit_hazeTolerance = make<QLineEdit>(groupBox_setTolerance, "lineEdit_hazeTolerance");
    label_hazeTolerancePercentage = make<QLabel>(groupBox_setTolerance, "label_hazeTolerancePercentage");
    label_tTolerance = make<QLabel>(groupBox_setTolerance, "label_tTolerance");
    lineEdit_tTolerance = make<QLineEdit>(groupBox_setTolerance, "lineEdit_tTolerance");
    label_tTolerancePercentage = make<QLabel>(groupBox_setTolerance, "label_tTolerancePercentage");
    label_eThresholds = make<QLabel>(groupBox_setTolerance, "label_eThresholds");
    lineEdit_eThresholds = make<QLineEdit>(groupBox_setTolerance, "lineEdit_eThresholds");
    pushButton_setTolerance = make<QPushButton>(groupBox_setTolerance, "pushButton_setTolerance");
    pushButton_readTolerance = make<QPushButton>(groupBox_setTolerance, "pushButton_readTolerance");
    const int toleranceButtons =
        addRows(toleranceLayout, {{label_hazeTolerance, lineEdit_hazeTolerance, label_hazeTolerancePercentage},
                                  {label_tTolerance, lineEdit_tTolerance, label_tTolerancePercentage},
                                  {label_eThresholds, lineEdit_eThresholds}});
    toleranceLayout->addLayout(makeSetAndRead(pushButton_setTolerance, pushButton_readTolerance), toleranceButtons,
                               0, 1, 3);
    stackedWidget->addWidget(page_tolerance);

    // Readings per specimen, one row: standard, sample, average, re-read limit.
    widget_readings = make<QWidget>(page, "widget_readings");
    auto* readingsLayout = new QHBoxLayout(widget_readings);
    readingsLayout->setContentsMargins(0, 0, 0, 0);
    readingsLayout->setSpacing(4);
    spinBox_standardReadings = make<QSpinBox>(widget_readings, "spinBox_standardReadings");
    spinBox_sampleReadings = make<QSpinBox>(widget_readings, "spinBox_sampleReadings");
    for (QSpinBox* box : {spinBox_standardReadings, spinBox_sampleReadings}) {
        box->setRange(1, 20);
    }
    comboBox_readingsAverage = make<QComboBox>(widget_readings, "comboBox_readingsAverage");
    comboBox_readingsAverage->addItems({QString(), QString()});
    comboBox_readingsAverage->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    doubleSpinBox_reReadAbove = make<QDoubleSpinBox>(widget_readings, "doubleSpinBox_reReadAbove");
    doubleSpinBox_reReadAbove->setRange(0.0, 50.0);
    doubleSpinBox_reReadAbove->setDecimals(2);
    doubleSpinBox_reReadAbove->setSingleStep(0.1);
    readingsLayout->addWidget(spinBox_standardReadings);
    readingsLayout->addWidget(spinBox_sampleReadings);
    readingsLayout->addWidget(comboBox_readingsAverage);
    readingsLayout->addWidget(doubleSpinBox_reReadAbove, 1);

    // The buttons row.
    widget_buttons = make<QWidget>(page, "widget_buttons");
    horizontalLayout_buttons = new QHBoxLayout(widget_buttons);
    horizontalLayout_buttons->setObjectName(QStringLiteral("horizontalLayout_buttons"));
    horizontalLayout_buttons->setSpacing(10);
    horizontalLayout_buttons->setContentsMargins(10, 10, 10, 10);
    // What is read of the specimen so far, and its discard (shown with several readings).
    label_readingsStatus = make<QLabel>(widget_buttons, "label_readingsStatus");
    // A long list of readings is cut off (its tooltip has it whole) rather than widen the window.
    label_readingsStatus->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label_readingsStatus->setMinimumWidth(120);
    pushButton_discardReading = make<QPushButton>(widget_buttons, "pushButton_discardReading");
    pushButton_discardReading->setMinimumHeight(35);
    horizontalLayout_buttons->addWidget(label_readingsStatus, 1); // the room the spacer would take
    horizontalLayout_buttons->addWidget(pushButton_discardReading);
    label_readingsStatus->hide();
    pushButton_discardReading->hide();
    horizontalLayout_buttons->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    pushButton_readComparisonRecord = make<RowButton>(widget_buttons, "pushButton_readComparisonRecord");
    pushButton_clear = make<RowButton>(widget_buttons, "pushButton_clear");
    pushButton_statistics = make<RowButton>(widget_buttons, "pushButton_statistics");
    pushButton_exportExcel = make<RowButton>(widget_buttons, "pushButton_exportExcel");
    pushButton_spectralTransmittance = make<RowButton>(widget_buttons, "pushButton_spectralTransmittance");
    pushButton_writeStandardColor = make<RowButton>(widget_buttons, "pushButton_writeStandardColor");
    for (QPushButton* button : {pushButton_readComparisonRecord, pushButton_clear, pushButton_statistics,
                                pushButton_exportExcel,
                                pushButton_spectralTransmittance, pushButton_writeStandardColor}) {
        button->setMinimumHeight(35);
        button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        horizontalLayout_buttons->addWidget(button);
    }

    // The comparison tables.
    stackedWidget_data = make<QStackedWidget>(page, "stackedWidget_data");
    tableWidget_data = makeRecordPage(stackedWidget_data, "page_newData", "horizontalLayout_newData", "tableWidget_data",
                                      page_newData, horizontalLayout_newData);

    companyinfoLab = make<QLabel>(page, "companyinfoLab");
    companywetLab = make<QLabel>(page, "companywetLab");
    companywetLab->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    // Grid: device information and counts on top, the live display below
    // them, the display parameter and settings on the right; the buttons row,
    // the comparison table and the footer across the page.
    QGridLayout* grid = gridLayout_firstPageFor310;
    grid->addWidget(groupBox_deviceInformation, 0, 0, 1, 2);
    grid->addWidget(groupBox_count, 0, 2, 1, 2);
    grid->addWidget(stackedWidget_comparisonMeasurement, 1, 0, 4, 4);
    grid->addWidget(groupBox_setDisplayParameter, 0, 4, 2, 1);
    // The settings and, under them, the readings row share one cell of the grid.
    widget_settingsColumn = make<QWidget>(page, "widget_settingsColumn");
    auto* settingsLayout = new QVBoxLayout(widget_settingsColumn);
    settingsLayout->setContentsMargins(0, 0, 0, 0);
    settingsLayout->setSpacing(6);
    settingsLayout->addWidget(stackedWidget, 1);
    settingsLayout->addWidget(widget_readings);
    grid->addWidget(widget_settingsColumn, 2, 4, 3, 1);
    grid->addWidget(widget_buttons, 5, 0, 1, 5);
    grid->addWidget(stackedWidget_data, 6, 0, 1, 5);
    grid->addWidget(companyinfoLab, 7, 0, 1, 2);
    grid->addWidget(companywetLab, 7, 3, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(6, 1);

    stackedWidget->setCurrentIndex(0);
    stackedWidget_comparisonMeasurement->setCurrentIndex(0);
    stackedWidget_data->setCurrentIndex(0);
    retranslateUi();
}

void FirstPageForm::setupParameterUi()
{
    if (page_eParameter) {
        return;
    }
    // The second page of the settings stack: it does not become the current one.
    groupBox_eParameter = makeGroupPage(stackedWidget, "page_eParameter", "groupBox_eParameter", page_eParameter);
    auto* parameterLayout = new QGridLayout(groupBox_eParameter);
    label_formula = make<QLabel>(groupBox_eParameter, "label_formula");
    lineEdit_formula = make<QLineEdit>(groupBox_eParameter, "lineEdit_formula");
    label_thresholds = make<QLabel>(groupBox_eParameter, "label_thresholds");
    lineEdit_thresholds = make<QLineEdit>(groupBox_eParameter, "lineEdit_thresholds");
    pushButton_setParameter = make<QPushButton>(groupBox_eParameter, "pushButton_setParameter");
    pushButton_readParameter = make<QPushButton>(groupBox_eParameter, "pushButton_readParameter");
    const int parameterButtons =
        addRows(parameterLayout, {{label_formula, lineEdit_formula}, {label_thresholds, lineEdit_thresholds}});
    parameterLayout->addLayout(makeSetAndRead(pushButton_setParameter, pushButton_readParameter), parameterButtons,
                               0, 1, 2);
    stackedWidget->addWidget(page_eParameter);
    // Keyboard order: right after the tolerance panel (only one of the two is shown).
    QWidget::setTabOrder(pushButton_readTolerance, lineEdit_formula);
    QWidget::setTabOrder(lineEdit_formula, lineEdit_thresholds);
    QWidget::setTabOrder(lineEdit_thresholds, pushButton_setParameter);
    QWidget::setTabOrder(pushButton_setParameter, pushButton_readParameter);
    retranslateParameterUi();
}

void FirstPageForm::setupLegacyUi()
{
    if (tbData) {
        return;
    }
    // The second page of each stack: it does not become the current one.
    groupBox_oldComparisonMeasurement = makeGroupPage(stackedWidget_comparisonMeasurement,
                                                      "page_oldComparisonMeasurement",
                                                      "groupBox_oldComparisonMeasurement", page_oldComparisonMeasurement);
    const LiveDisplay legacy =
        makeLiveDisplay(groupBox_oldComparisonMeasurement, {"tbColorDiff", 7, "resultlab", "stdBtnGroubox",
                                                            "stdmeasurementBtn", "loadstdBtn", "sampBtnGroubox",
                                                            "samplemeasurementBtn"});
    tbColorDiff = legacy.display;
    resultlab = legacy.result;
    stdBtnGroubox = legacy.standardGroup;
    stdmeasurementBtn = legacy.standard;
    loadstdBtn = legacy.load;
    sampBtnGroubox = legacy.sampleGroup;
    samplemeasurementBtn = legacy.sample;
    stackedWidget_comparisonMeasurement->addWidget(page_oldComparisonMeasurement);

    tbData = makeRecordPage(stackedWidget_data, "page_oldData", "horizontalLayout_oldData", "tbData", page_oldData,
                            horizontalLayout_oldData);
    // Keyboard order: each legacy widget right after its current twin (only
    // one of the two is ever shown).
    QWidget::setTabOrder(pushButton_sampleMeasurement, tbColorDiff);
    QWidget::setTabOrder(tbColorDiff, stdmeasurementBtn);
    QWidget::setTabOrder(stdmeasurementBtn, loadstdBtn);
    QWidget::setTabOrder(loadstdBtn, samplemeasurementBtn);
    QWidget::setTabOrder(tableWidget_data, tbData);
    retranslateLegacyUi();
}

void FirstPageForm::retranslateUi()
{
    groupBox_deviceInformation->setTitle(tr("Device information"));
    label_serialNo->setText(tr("SN:"));
    label_firmwareVersion->setText(tr("Firmware Version:"));
    retranslateMeasurement(groupBox_newComparisonMeasurement, pushButton_standardMeasurement,
                           pushButton_loadStandard, pushButton_sampleMeasurement);
    groupBox_setDisplayParameter->setTitle(tr("Set display parameter"));
    radioButton_hazeT->setText(tr("Haze/T"));
    radioButton_haze->setText(tr("Haze"));
    radioButton_t->setText(tr("T"));
    radioButton_Lab->setText(tr("Lab"));
    radioButton_LCh->setText(tr("LCh"));
    radioButton_Yxy->setText(tr("Yxy"));
    radioButton_hazeTLab->setText(tr("Haze/T/Lab"));
    pushButton_setDisplayParameter->setText(tr("Setup"));
    groupBox_count->setTitle(tr("Count"));
    label_unqualNum->setText(tr("NG "));
    label_qualNum->setText(tr("PASS "));
    label_totalNum->setText(tr("Total"));
    label_warningNum->setText(tr("Warning"));
    label_warningNum->setToolTip(tr("PASS rows with a value beyond the warning band of their standard's tolerances"));
    lineEdit_warningNum->setAccessibleName(tr("Warnings"));
    groupBox_setTolerance->setTitle(tr("Set tolerance"));
    label_hazeTolerance->setText(tr("Haze Tolerance(0-100)\u00B1:"));
    label_hazeTolerancePercentage->setText(tr("%"));
    label_tTolerance->setText(tr("T Tolerance(0-100)\u00B1:"));
    label_tTolerancePercentage->setText(tr("%"));
    label_eThresholds->setText(tr("△E Thresholds(0.1-50):"));
    pushButton_setTolerance->setText(tr("Set tolerance"));
    pushButton_readTolerance->setText(tr("Read tolerance"));
    spinBox_standardReadings->setPrefix(tr("Std \u00D7"));
    spinBox_standardReadings->setAccessibleName(tr("Readings per standard"));
    spinBox_standardReadings->setToolTip(tr("Readings per standard: the standard is their mean or median"));
    spinBox_sampleReadings->setPrefix(tr("Sample \u00D7"));
    spinBox_sampleReadings->setAccessibleName(tr("Readings per sample"));
    spinBox_sampleReadings->setToolTip(tr("Readings per sample: the sample is their mean or median"));
    comboBox_readingsAverage->setItemText(0, tr("Mean"));
    comboBox_readingsAverage->setItemText(1, tr("Median"));
    comboBox_readingsAverage->setAccessibleName(tr("Average of the readings"));
    doubleSpinBox_reReadAbove->setPrefix(tr("Re-read>"));
    doubleSpinBox_reReadAbove->setSpecialValueText(tr("No re-read"));
    doubleSpinBox_reReadAbove->setAccessibleName(tr("Read again when the \u0394E between readings exceeds"));
    doubleSpinBox_reReadAbove->setToolTip(tr("One more reading is asked for when two readings of a specimen differ by more than this \u0394E (off: never)"));
    pushButton_discardReading->setText(tr("Discard last reading"));
    pushButton_readComparisonRecord->setText(tr("Read comparison record"));
    pushButton_clear->setText(tr("Clear"));
    pushButton_statistics->setText(tr("Statistics"));
    pushButton_exportExcel->setText(tr("Export Excel"));
    pushButton_spectralTransmittance->setText(tr("Spectral transmittance"));
    pushButton_writeStandardColor->setText(tr("Write stdcolor"));
    companyinfoLab->setText(tr("Tintwell haze and colour QC workstation"));
    companywetLab->setText(tr("Works with the TX310, TX420, TX430, TX450, TX460 and TX470"));
    if (page_eParameter) {
        retranslateParameterUi();
    }
    if (tbData) {
        retranslateLegacyUi();
    }
}

void FirstPageForm::retranslateParameterUi()
{
    groupBox_eParameter->setTitle(tr("△E parameter"));
    label_formula->setText(tr("△E formula:"));
    label_thresholds->setText(tr("△E Thresholds:"));
    pushButton_setParameter->setText(tr("Set parameter "));
    pushButton_readParameter->setText(tr("Read parameter"));
}

void FirstPageForm::retranslateLegacyUi()
{
    retranslateMeasurement(groupBox_oldComparisonMeasurement, stdmeasurementBtn, loadstdBtn, samplemeasurementBtn);
}

QRadioButton* FirstPageForm::radioButton(int displayMode) const
{
    switch (displayMode) {
    case 0:
        return radioButton_hazeT;
    case 1:
        return radioButton_haze;
    case 2:
        return radioButton_t;
    case 3:
        return radioButton_Lab;
    case 4:
        return radioButton_LCh;
    case 5:
        return radioButton_Yxy;
    case 6:
        return radioButton_hazeTLab;
    default:
        return nullptr;
    }
}
