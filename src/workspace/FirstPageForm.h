#pragma once
// The widgets of the workspace page, by the object names the page's slots
// are connected by.

#include "RecordTable.h" // the comparison tables

#include <QCoreApplication>

class QButtonGroup;
class QComboBox;
class QDoubleSpinBox;
class QSpinBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTableWidget;
class QWidget;

struct FirstPageForm
{
    // The least height of a live display's row.
    static constexpr int kDisplayRowHeight = 22;

    QGridLayout* gridLayout_firstPageFor310 = nullptr;

    QGroupBox* groupBox_deviceInformation = nullptr;
    QLabel* label_serialNo = nullptr;
    QLineEdit* lineEdit_serialNo = nullptr;
    QLabel* label_firmwareVersion = nullptr;
    QLineEdit* lineEdit_firmwareVersion = nullptr;

    QStackedWidget* stackedWidget_comparisonMeasurement = nullptr;
    QWidget* page_newComparisonMeasurement = nullptr;
    QGroupBox* groupBox_newComparisonMeasurement = nullptr;
    QTableWidget* tableWidget_colorDiff = nullptr;
    QLabel* label_result = nullptr;
    QGroupBox* groupBox_standardMeasurement = nullptr;
    QPushButton* pushButton_standardMeasurement = nullptr;
    QPushButton* pushButton_loadStandard = nullptr; // a standard from a CGATS or CxF3 file
    QGroupBox* groupBox_sampleMeasurement = nullptr;
    QPushButton* pushButton_sampleMeasurement = nullptr;
    QWidget* page_oldComparisonMeasurement = nullptr;
    QGroupBox* groupBox_oldComparisonMeasurement = nullptr;
    QTableWidget* tbColorDiff = nullptr;
    QLabel* resultlab = nullptr;
    QGroupBox* stdBtnGroubox = nullptr;
    QPushButton* stdmeasurementBtn = nullptr;
    QPushButton* loadstdBtn = nullptr;
    QGroupBox* sampBtnGroubox = nullptr;
    QPushButton* samplemeasurementBtn = nullptr;

    QGroupBox* groupBox_setDisplayParameter = nullptr;
    QRadioButton* radioButton_hazeT = nullptr;
    QRadioButton* radioButton_haze = nullptr;
    QRadioButton* radioButton_t = nullptr;
    QRadioButton* radioButton_Lab = nullptr;
    QRadioButton* radioButton_LCh = nullptr;
    QRadioButton* radioButton_Yxy = nullptr;
    QRadioButton* radioButton_hazeTLab = nullptr;
    QPushButton* pushButton_setDisplayParameter = nullptr;

    QGroupBox* groupBox_count = nullptr;
    QLabel* label_unqualNum = nullptr;
    QLineEdit* lineEdit_unqualNum = nullptr;
    QLabel* label_qualNum = nullptr;
    QLineEdit* lineEdit_qualNum = nullptr;
    QLabel* label_totalNum = nullptr;
    QLineEdit* lineEdit_totalNum = nullptr;
    // PASS rows with a warning (a library standard's warning band).
    QLabel* label_warningNum = nullptr;
    QLineEdit* lineEdit_warningNum = nullptr;

    QStackedWidget* stackedWidget = nullptr;
    QWidget* page_tolerance = nullptr;
    QGroupBox* groupBox_setTolerance = nullptr;
    QLabel* label_hazeTolerance = nullptr;
    QLineEdit* lineEdit_hazeTolerance = nullptr;
    QLabel* label_hazeTolerancePercentage = nullptr;
    QLabel* label_tTolerance = nullptr;
    QLineEdit* lineEdit_tTolerance = nullptr;
    QLabel* label_tTolerancePercentage = nullptr;
    QLabel* label_eThresholds = nullptr;
    QLineEdit* lineEdit_eThresholds = nullptr;
    QPushButton* pushButton_setTolerance = nullptr;
    QPushButton* pushButton_readTolerance = nullptr;
    QWidget* page_eParameter = nullptr;
    QGroupBox* groupBox_eParameter = nullptr;
    QLabel* label_formula = nullptr;
    QLineEdit* lineEdit_formula = nullptr;
    QLabel* label_thresholds = nullptr;
    QLineEdit* lineEdit_thresholds = nullptr;
    QPushButton* pushButton_setParameter = nullptr;
    QPushButton* pushButton_readParameter = nullptr;

    // Several readings per specimen: the settings in one row under the
    // tolerances, and in the buttons row what has been read of the specimen
    // so far and the discard.
    QWidget* widget_settingsColumn = nullptr; // the settings stack over the readings row
    QWidget* widget_readings = nullptr;
    QSpinBox* spinBox_standardReadings = nullptr;
    QSpinBox* spinBox_sampleReadings = nullptr;
    QComboBox* comboBox_readingsAverage = nullptr; // Mean, Median
    QDoubleSpinBox* doubleSpinBox_reReadAbove = nullptr; // 0: off
    QLabel* label_readingsStatus = nullptr;
    QPushButton* pushButton_discardReading = nullptr;

    QWidget* widget_buttons = nullptr;
    QHBoxLayout* horizontalLayout_buttons = nullptr;
    QPushButton* pushButton_readComparisonRecord = nullptr;
    QPushButton* pushButton_clear = nullptr;
    QPushButton* pushButton_statistics = nullptr;
    QPushButton* pushButton_exportExcel = nullptr;
    QPushButton* pushButton_spectralTransmittance = nullptr;
    QPushButton* pushButton_writeStandardColor = nullptr;

    QStackedWidget* stackedWidget_data = nullptr;
    QWidget* page_newData = nullptr;
    QHBoxLayout* horizontalLayout_newData = nullptr;
    RecordTableView* tableWidget_data = nullptr;
    QWidget* page_oldData = nullptr;
    QHBoxLayout* horizontalLayout_oldData = nullptr;
    RecordTableView* tbData = nullptr;

    QLabel* companyinfoLab = nullptr;
    QLabel* companywetLab = nullptr;

    // Builds the widgets on page that show at start. Those that start hidden
    // (the legacy layout: the second page of the live display's stack and of
    // the tables' stack; the delta-E parameter panel: the second page of the
    // settings stack) are built by the two below.
    void setupUi(QWidget* page);
    // Build the legacy layout's widgets and the parameter panel's, once
    // (they stay null until then).
    void setupLegacyUi();
    void setupParameterUi();
    // Re-applies every form text in the language in force.
    void retranslateUi();
    void retranslateLegacyUi();
    void retranslateParameterUi();
    // The seven display-mode radio buttons, by mode.
    QRadioButton* radioButton(int displayMode) const;

    // The form's texts are the page's: translated in its context.
    Q_DECLARE_TR_FUNCTIONS(FirstPageFor310)
};
