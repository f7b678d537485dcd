#pragma once
// The modal spectral dialog: spectral measurement, import of the records
// stored in the instrument, the table of records (names, shown flags,
// deletion) and the chart painted below it. It reaches the instrument through
// the LinkAccess it is given, asking for the transport and the link lock at
// every exchange, so an unplug and replug while it is open is followed; its
// boxes go through the modal seam it is given.

#include "SpectralColourModel.h"
#include "SpectralData.h"

#include <QDialog>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

class ComparisonTable;
class CurveColourTable;
class Dialogs;
class LinkAccess;
class SpectrumStandards;
class QCheckBox;
class QTableView;
class QTableWidget;

namespace Ui {
class MeterPageFor310;
}

class MeterPageFor310 : public QDialog
{
    Q_OBJECT

public:
    // What the workspace hands over besides the link.
    struct Context
    {
        int layoutIndex = 0; // 0 and 3 transmittance, 1 and 2 reflectance instruments
        QString modelName;
        bool chineseUi = false;
    };
    // The spreadsheet export of the table, run by "Export Excel" and before
    // an import the operator wants saved first: it reads records() and
    // recordName() (names as edited) and context(), asks for the file through
    // dialogs(), and answers true when the file was written. The command
    // buttons stay disabled while it runs. Without a handler nothing is
    // exported (false).
    using ExportHandler = std::function<bool(MeterPageFor310&)>;

    static constexpr int kMaxMeasuredRecords = 1000;
    // Table columns.
    static constexpr int kColumnNumber = 0;
    static constexpr int kColumnName = 1;
    static constexpr int kColumnFirstValue = 2;
    static constexpr int kColumnCurve = 33;
    static constexpr int kColumnOperation = 34;
    static constexpr int kColumnCount = 35;

    // link and dialogs must outlive the dialog.
    MeterPageFor310(LinkAccess& link, Dialogs& dialogs, const Context& context, QWidget* parent = nullptr);
    ~MeterPageFor310() override;

    // The modal seam the dialog was given (its export handler uses it too).
    Dialogs& dialogs() const { return m_dialogs; }

    void setExportHandler(ExportHandler handler) { m_exportHandler = std::move(handler); }
    // Where "Take as standard…" sends the curve chosen in the colour table;
    // without one the button is hidden. standards must outlive the dialog.
    void setSpectrumStandards(SpectrumStandards* standards);
    // The chosen library standard's limits: those under an illuminant and on
    // the metamerism index judge the Compare view's rows.
    void setStandardLimits(const QList<ToleranceLimit>& limits);

    const QList<SpectralRecord>& records() const { return m_records; }
    // The name of record index as the table shows it (edited names included).
    QString recordName(int index) const;
    QTableWidget* table() const;
    QRect chartArea() const;
    const Context& context() const { return m_context; }
    // The colour of every record and the comparison, as the colour views show them.
    const SpectralColourModel& colour() const { return m_colour; }
    QTableView* colourTable() const;
    QTableView* comparisonTable() const;

    // Appends a table row for record (the record list is not touched); an
    // empty name becomes "spec<n>" from the unnamed counter.
    void addSpectralRow(const SpectralRecord& record, const QString& name);
    // Appends the record and its row.
    void appendRecord(const SpectralRecord& record, const QString& name);
    // Disables or enables the four command buttons together. Nested
    // commands (an export or clear run inside an import) keep them disabled
    // until the outermost command enables them.
    void setCommandButtonsEnabled(bool enabled);

public slots:
    void on_pushButton_spectralHistory_clicked();
    void on_pushButton_spectralMeasurement_clicked();
    void on_pushButton_clearData_clicked();
    bool on_pushButton_exportExcel_clicked();
    void slot_cellDoubleClicked(int row, int column);
    void slot_updateChart(bool checked);
    void slot_updateTable();
    void on_pushButton_takeStandard_clicked();

protected:
    void changeEvent(QEvent* event) override;

private:
    void setUpColourViews();
    void retranslate();
    // The colour views after the records changed (rowsChanged) or only their values.
    void refreshColour(bool rowsChanged);
    void refreshComparison();
    void applyTestIlluminants();
    void updateTakeStandard();
    // The chart shows the records as they are now (after a row is added, a
    // curve shown or hidden, a delete, a clear).
    void refreshChart();
    void setUpTable();
    // true when the operator confirmed and the list was emptied.
    bool clearAfterQuestion();
    int rowOfCellWidget(const QObject* widget, int column) const;
    QCheckBox* headingCheckBox() const;
    void showError(const QString& text);

    std::unique_ptr<Ui::MeterPageFor310> ui;
    LinkAccess& m_link;
    Dialogs& m_dialogs;
    Context m_context;
    QList<SpectralRecord> m_records;
    int m_unnamedCounter = 1;
    int m_commandDepth = 0;
    ExportHandler m_exportHandler;
    SpectrumStandards* m_standards = nullptr;
    SpectralColourModel m_colour;
    CurveColourTable* m_colourTable = nullptr; // owned by the dialog (Qt parent)
    ComparisonTable* m_comparisonTable = nullptr;
};
