#include "HistoryWindow.h"

#include "BatchReportDialog.h"
#include "TestInformation.h"

#include "CgatsFormat.h"
#include "ComparisonRecordList.h"
#include "CsvFormat.h"
#include "Dialogs.h"
#include "ExcelEngine.h"
#include "FileFolders.h"
#include "Exchange.h"
#include "StatisticsWindow.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <algorithm>
#include <QSaveFile>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>
#include <thread>

namespace {
QString shown(double v)
{
    return std::isnan(v) ? QStringLiteral("-") : QString::number(v, 'f', 4);
}
} // namespace

HistoryWindow::HistoryWindow(std::unique_ptr<HistorySource> source, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent)
    , m_source(std::move(source))
    , m_dialogs(dialogs)
    , m_moreButton(new QPushButton(tr("More rows"), this))
    , m_allButton(new QPushButton(tr("All rows"), this))
    , m_session(new QComboBox(this))
    , m_from(new QLineEdit(this))
    , m_to(new QLineEdit(this))
    , m_stations(new QLineEdit(this))
    , m_model(new QLineEdit(this))
    , m_standard(new QLineEdit(this))
    , m_name(new QLineEdit(this))
    , m_verdict(new QComboBox(this))
    , m_table(new QTableWidget(this))
    , m_statistics(new QLabel(this))
    , m_records(new ComparisonRecordList(this))
{
    setObjectName(QStringLiteral("HistoryWindow"));
    setWindowTitle(m_source->title());
    m_from->setObjectName(QStringLiteral("historyFrom"));
    m_to->setObjectName(QStringLiteral("historyTo"));
    m_from->setPlaceholderText(QStringLiteral("yyyy-MM-dd"));
    m_to->setPlaceholderText(QStringLiteral("yyyy-MM-dd"));
    m_stations->setPlaceholderText(tr("names, separated by commas; empty: every station"));
    m_name->setPlaceholderText(tr("* and ? as wildcards"));
    m_verdict->addItems({tr("PASS and NG"), QStringLiteral("PASS"), QStringLiteral("NG")});
    auto* form = new QFormLayout;
    form->addRow(tr("From"), m_from);
    form->addRow(tr("Before"), m_to);
    if (m_source->acrossStations()) {
        form->addRow(tr("Stations"), m_stations);
    } else {
        m_stations->hide();
    }
    QString sessionsError;
    const QList<HistorySession> sessions = m_source->sessions(&sessionsError);
    m_session->setObjectName(QStringLiteral("historySession"));
    m_session->addItem(tr("Every session"), qint64(0));
    for (const HistorySession& session : sessions) {
        m_session->addItem(session.label, session.id);
    }
    if (!sessions.isEmpty()) {
        form->addRow(tr("Session"), m_session);
    } else {
        m_session->hide();
    }
    form->addRow(tr("Model"), m_model);
    form->addRow(tr("Standard"), m_standard);
    form->addRow(tr("Test name"), m_name);
    form->addRow(tr("Verdict"), m_verdict);
    auto* queryButton = new QPushButton(tr("Query"), this);
    queryButton->setObjectName(QStringLiteral("btnQuery"));
    auto* statisticsButton = new QPushButton(tr("Statistics"), this);
    statisticsButton->setObjectName(QStringLiteral("btnStatistics"));
    auto* exportButton = new QPushButton(tr("Export"), this);
    exportButton->setObjectName(QStringLiteral("btnExport"));
    auto* batchButton = new QPushButton(QCoreApplication::translate("BatchReport", "Batch report…"), this);
    batchButton->setObjectName(QStringLiteral("btnBatchReport"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(queryButton);
    buttons->addWidget(statisticsButton);
    buttons->addWidget(exportButton);
    buttons->addWidget(batchButton);
    buttons->addWidget(m_moreButton);
    buttons->addWidget(m_allButton);
    buttons->addStretch();
    m_moreButton->setObjectName(QStringLiteral("btnMoreRows"));
    m_moreButton->setEnabled(false);
    m_allButton->setObjectName(QStringLiteral("btnAllRows"));
    m_allButton->setEnabled(false);
    m_allButton->setToolTip(tr("Reads every row of the query, up to %1, for the statistics, the export and the batch report")
                                .arg(kMaxShownRows));
    connect(m_allButton, &QPushButton::clicked, this, &HistoryWindow::fetchAll);
    const std::pair<QWidget*, QString> names[] = {
        {m_from, tr("From")}, {m_to, tr("Before")}, {m_stations, tr("Stations")}, {m_model, tr("Model")},
        {m_standard, tr("Standard")}, {m_name, tr("Test name")}, {m_verdict, tr("Verdict")}, {m_session, tr("Session")},
        {m_table, tr("Records found")}};
    for (const auto& [widget, name] : names) {
        widget->setAccessibleName(name);
    }
    m_table->setColumnCount(7);
    m_table->setHorizontalHeaderLabels({tr("Station"), tr("Time"), tr("Test name"), tr("Model"), tr("Standard"),
                                        QStringLiteral("ΔE"), tr("Verdict")});
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnHidden(0, !m_source->acrossStations());
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_statistics->setObjectName(QStringLiteral("historyStatistics"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(m_statistics);
    layout->addWidget(m_table, 1);
    connect(queryButton, &QPushButton::clicked, this, &HistoryWindow::query);
    connect(exportButton, &QPushButton::clicked, this, &HistoryWindow::exportClicked);
    connect(statisticsButton, &QPushButton::clicked, this, &HistoryWindow::showStatistics);
    connect(batchButton, &QPushButton::clicked, this, &HistoryWindow::showBatchReport);
    connect(m_moreButton, &QPushButton::clicked, this, &HistoryWindow::fetchMore);
    resize(900, 600);
}

HistoryWindow::~HistoryWindow()
{
    if (m_cancel) {
        *m_cancel = true;
    }
}

HistoryFilter HistoryWindow::filter() const
{
    HistoryFilter f;
    f.from = QDateTime::fromString(m_from->text().trimmed(), Qt::ISODate);
    f.to = QDateTime::fromString(m_to->text().trimmed(), Qt::ISODate);
    for (const QString& s : m_stations->text().split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        f.stations << s.trimmed();
    }
    f.model = m_model->text().trimmed();
    f.standard = m_standard->text().trimmed();
    f.testNamePattern = m_name->text().trimmed();
    if (m_verdict->currentIndex() > 0) {
        f.pass = m_verdict->currentIndex() == 1;
    }
    f.session = m_session->currentData().toLongLong();
    return f;
}

void HistoryWindow::query()
{
    if (m_cancel) {
        return; // one query at a time
    }
    // A date mistyped would otherwise drop its filter and find every record.
    for (const QLineEdit* date : {m_from, m_to}) {
        const QString text = date->text().trimmed();
        if (!text.isEmpty() && !QDateTime::fromString(text, Qt::ISODate).isValid()) {
            m_dialogs.warning(this, windowTitle(),
                              tr("\"%1\" is not a date: write it as yyyy-MM-dd or yyyy-MM-ddThh:mm.").arg(text));
            return;
        }
    }
    m_shown = filter();
    ++m_generation;
    run(m_shown, 0, true);
}

void HistoryWindow::fetchMore()
{
    if (m_cancel || !m_more) {
        return;
    }
    run(m_shown, m_rows.size(), false);
}

void HistoryWindow::fetchAll()
{
    if (m_cancel || !m_more) {
        return;
    }
    run(m_shown, m_rows.size(), false, true);
}

void HistoryWindow::run(const HistoryFilter& f, qint64 offset, bool withStatistics, bool all)
{
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    auto done = std::make_shared<std::atomic<int>>(0);
    m_cancel = cancel;
    m_progress = m_dialogs.progress(this, m_source->acrossStations() ? tr("Querying the station database...")
                                                                      : tr("Reading the journal..."),
                                    tr("Cancel"), 0, 0);
    m_poll = std::make_unique<QTimer>();
    connect(m_poll.get(), &QTimer::timeout, this, [this, done] {
        if (m_progress) {
            m_progress->setValue(done->load());
            if (m_progress->wasCanceled() && m_cancel) {
                *m_cancel = true;
            }
        }
    });
    m_poll->start(100);
    QPointer<HistoryWindow> self(this);
    const std::shared_ptr<const HistorySource> source = m_source;
    const int generation = m_generation;
    // Only data crosses to the query's thread; the window's objects stay here.
    // The rows come first, the statistics of the whole selection after them.
    const qint64 limit = all ? qint64(kMaxShownRows) - offset : 0;
    std::thread([self, source, f, offset, withStatistics, cancel, done, generation, limit] {
        QList<HistoryRow> rows;
        QString error;
        bool ok = true;
        bool more = false;
        // One page, or (all) page after page until the last or the limit.
        for (;;) {
            QList<HistoryRow> page;
            const int before = int(rows.size());
            ok = source->rows(f, offset + rows.size(), &page, &error, [done, before](int n) { *done = before + n; },
                              cancel.get());
            rows += page;
            more = source->pageSize() > 0 && page.size() >= source->pageSize();
            if (!ok || !more || limit <= 0 || rows.size() >= limit) {
                break;
            }
        }
        if (!ok && error.isEmpty()) {
            error = tr("Cancelled.");
        }
        QMetaObject::invokeMethod(QCoreApplication::instance(), [self, ok, error, rows, offset, more] {
            if (self) {
                self->showResult(ok, error, rows, offset > 0, more);
            }
        }, Qt::QueuedConnection);
        HistoryStatistics s;
        if (ok && withStatistics && source->statistics(f, &s, &error, cancel.get())) {
            QMetaObject::invokeMethod(QCoreApplication::instance(), [self, s, generation] {
                if (self && self->m_generation == generation) { // not an older query's
                    self->showStatisticsText(s);
                }
            }, Qt::QueuedConnection);
        }
    }).detach();
}

void HistoryWindow::showResult(bool ok, const QString& message, const QList<HistoryRow>& rows, bool append,
                               bool more)
{
    m_poll.reset();
    if (m_progress) {
        m_progress->close();
        m_progress.reset();
    }
    m_cancel.reset();
    if (!ok) {
        m_statistics->setText(message);
        Q_EMIT finished(false, message);
        return;
    }
    if (!append) {
        m_rows.clear();
        m_records->clear();
        m_table->setRowCount(0);
        m_statistics->setText(tr("Computing the statistics..."));
    }
    const int first = int(m_rows.size());
    m_rows += rows;
    m_more = more && m_rows.size() < kMaxShownRows;
    m_moreButton->setEnabled(m_more);
    m_allButton->setEnabled(m_more);
    QList<ComparisonRecord> records;
    records.reserve(rows.size());
    for (const HistoryRow& r : rows) {
        records.append(r.record);
    }
    m_records->append(std::move(records));
    m_table->setRowCount(int(m_rows.size()));
    for (int i = 0; i < rows.size(); ++i) {
        const HistoryRow& r = rows.at(i);
        const QStringList cells{r.station, r.measuredAt.toLocalTime().toString(QStringLiteral("yyyy/MM/dd  hh:mm")),
                                r.testName, r.model, r.standard, shown(r.deltaE),
                                r.pass ? QStringLiteral("PASS") : QStringLiteral("NG")};
        for (int c = 0; c < cells.size(); ++c) {
            m_table->setItem(first + i, c, new QTableWidgetItem(cells.at(c)));
        }
    }
    if (!append) {
        m_table->resizeColumnToContents(1); // the time on one line
    }
    Q_EMIT finished(true, QString());
}

void HistoryWindow::showStatisticsText(const HistoryStatistics& s)
{
    m_statistics->setText(tr("%1 records, %2 PASS, %3 NG; ΔE mean %4, standard deviation %5, from %6 to %7")
                              .arg(s.count)
                              .arg(s.passCount)
                              .arg(s.count - s.passCount)
                              .arg(shown(s.deltaEMean), shown(s.deltaEStandardDeviation), shown(s.deltaEMinimum),
                                   shown(s.deltaEMaximum)));
    Q_EMIT statisticsShown();
}

QString HistoryWindow::statisticsText() const
{
    return m_statistics->text();
}

QList<QStringList> HistoryWindow::exportRows() const
{
    QList<QStringList> out{{QStringLiteral("id"), QStringLiteral("station"), QStringLiteral("time"),
                            QStringLiteral("test name"), QStringLiteral("model"), QStringLiteral("serial number"),
                            QStringLiteral("standard"), QStringLiteral("dE"), QStringLiteral("verdict")}};
    for (const HistoryRow& r : m_rows) {
        out.append({r.id, r.station, r.measuredAt.toUTC().toString(Qt::ISODate), r.testName, r.model, r.serialNumber,
                    r.standard, std::isnan(r.deltaE) ? QString() : QString::number(r.deltaE, 'g', 10),
                    r.pass ? QStringLiteral("PASS") : QStringLiteral("NG")});
    }
    return out;
}

bool HistoryWindow::exportCsv(const QString& path) const
{
    // Names come from every station: the writer keeps one that starts like a
    // formula from running in a spreadsheet.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    formats::CsvWriter csv(file);
    for (const QStringList& row : exportRows()) {
        for (const QString& field : row) {
            csv.text(field);
        }
        if (!csv.endRow()) {
            return false;
        }
    }
    return csv.finish() && file.commit();
}

bool HistoryWindow::exportWorkbook(const QString& path) const
{
    ExcelEngine engine(path);
    return engine.openWorkbook(1, ExcelEngine::Start::FromTemplate) && engine.writeRows(exportRows())
           && engine.closeWorkbook();
}

bool HistoryWindow::exportCgats(const QString& path, QString* error) const
{
    // Haze and transmittance records carry no colour: no place in a colour
    // exchange file.
    QList<ComparisonRecord> coloured;
    for (const ComparisonRecord& r : m_records->records()) {
        if (r.legacy || judgesDeltaE(r.settings.displayMode)) {
            coloured << r;
        }
    }
    const formats::ExchangeDocument document = formats::documentFromRecords(coloured, QDateTime::currentDateTime());
    if (document.samples.isEmpty()) {
        *error = tr("These records hold no L*a*b* values, which CGATS carries; export them as CSV or workbook.");
        return false;
    }
    return formats::writeCgatsFile(document, path, error);
}

StatisticsWindow* HistoryWindow::showStatistics()
{
    if (!m_statisticsWindow) {
        m_statisticsWindow = new StatisticsWindow(this);
        m_statisticsWindow->setWindowFlag(Qt::Window);
        m_statisticsWindow->setAttribute(Qt::WA_DeleteOnClose);
        m_statisticsWindow->setRecordList(m_records);
        // A point clicked in a chart selects its record here.
        connect(m_statisticsWindow, &StatisticsWindow::rowActivated, this, [this](int row) {
            m_table->selectRow(row);
        });
    }
    m_statisticsWindow->show();
    m_statisticsWindow->raise();
    return m_statisticsWindow;
}

BatchReportDialog* HistoryWindow::showBatchReport()
{
    const auto text = [](const char* source) { return QCoreApplication::translate("BatchReport", source); };
    const QList<ComparisonRecord>& found = m_records->records();
    QList<int> selected;
    if (m_table->selectionModel()) {
        for (const QModelIndex& index : m_table->selectionModel()->selectedRows()) {
            selected << index.row();
        }
    }
    std::sort(selected.begin(), selected.end());
    BatchReportInput input;
    for (const int row : selected) {
        if (row >= 0 && row < found.size()) {
            input.records << found.at(row);
        }
    }
    input.scope = text("Selected rows");
    if (input.records.isEmpty()) {
        input.records = found;
        input.scope = text("All rows");
    }
    if (input.records.isEmpty()) {
        m_dialogs.information(this, text("Batch report"), text("There are no rows to report."));
        return nullptr;
    }
    const TestInformation information = loadTestInformation();
    input.company = information.company;
    input.tester = information.tester;
    input.auditor = information.auditor;
    auto* dialog = new BatchReportDialog(input, m_dialogs, this);
    dialog->setWindowFlag(Qt::Window);
    dialog->show();
    dialog->raise();
    return dialog;
}

void HistoryWindow::exportClicked()
{
    const QString path = m_dialogs.saveFile(this, tr("Export"), FileFolders::startFolder(FileFolders::Kind::Exports),
                                            tr("CSV (*.csv);;Excel workbook (*.xlsx);;CGATS (*.ti3 *.txt)"),
                                            QStringLiteral("csv"));
    if (path.isEmpty()) {
        return;
    }
    FileFolders::remember(FileFolders::Kind::Exports, path);
    const QString suffix = QFileInfo(path).suffix().toLower();
    QString error;
    bool written = false;
    if (suffix == QLatin1String("xlsx")) {
        written = exportWorkbook(path);
    } else if (suffix == QLatin1String("ti3") || suffix == QLatin1String("txt")) {
        written = exportCgats(path, &error);
    } else {
        written = exportCsv(path);
    }
    if (!written) {
        m_dialogs.warning(this, tr("Export"),
                          error.isEmpty() ? tr("%1 could not be written.").arg(path) : error);
    }
}
