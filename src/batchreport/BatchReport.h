#pragma once
// The report of a batch: one document for many comparisons, as a lab sends
// it with a lot. The header (company, tester, auditor, the time range, the
// instrument, the standards and the limits in force), every specimen with its
// values, differences, verdict, warning and the limit that decided, the
// batch's statistics, for colour the control chart, the a*b* plane and the
// histogram, for haze the figures haze test reports carry with the values
// flagged that lie beyond the methods' ranges, and lines for signatures.
//
// The document is built once, in the interface language, then given as HTML
// (the preview) or painted page by page on A4 (PDF, printer): its tables
// repeat their headings on every page and every page says "Page i of n".

#include "ComparisonRecord.h"
#include "StatisticsScene.h"
#include "WorkStatistics.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

class QPagedPaintDevice;
class QTextDocument;

struct BatchReportInput
{
    QList<ComparisonRecord> records; // in the order they were made
    QString company;
    QString tester;
    QString auditor;
    QString firmware; // empty: not known
    QString scope;    // which rows: "All rows", "Session 12", …; empty: not said
};

// Haze values beyond the ranges of the test methods: above 30 % the
// hazemeter procedure of ASTM D1003 no longer applies (the procedure for
// diffusing materials does); at 40 % and above ISO 14782 does not apply.
enum HazeFlag : int { HazeInRange = 0, HazeBeyondHazemeter = 1, HazeOutsideIso = 2 };
int hazeFlags(double haze);
// "A", "A B" or empty: the marks of the legend.
QString hazeFlagText(int flags);

struct BatchTable
{
    QStringList headings;
    QList<QStringList> rows;
    int leftColumns = 1;          // the first columns are texts, left-aligned; the rest numbers
    int verdictColumn = -1;       // NG cells of this column are red
    std::vector<std::uint8_t> ng; // per row
};

struct BatchBlock
{
    enum Kind { Title, Heading, Fields, Text, Table, Charts, Signatures };
    Kind kind = Text;
    QString text;                            // Title, Heading, Text
    QList<std::pair<QString, QString>> fields; // Fields, Signatures: label and value
    BatchTable table;
};

struct BatchReportDocument
{
    QString title;
    QString footer;     // left of the page number
    QString pageFormat; // "Page %1 of %2" in the document's language
    QList<BatchBlock> blocks;
    // What the charts are drawn from.
    std::shared_ptr<WorkStatistics> work;
    ChartChoice choice;
    int rowCount = 0;
};

BatchReportDocument buildBatchReport(const BatchReportInput& input, const QDateTime& builtAt);

// The document as HTML (tables with a repeated heading); the charts are
// pictures the text document is given by addBatchReportImages.
QString batchReportHtml(const BatchReportDocument& document);
void addBatchReportImages(QTextDocument& textDocument, const BatchReportDocument& document);

// Paints the document on A4 pages of the device (a PDF writer, a printer),
// which must be set up for A4 with its margins; the number of pages, 0 when
// the device cannot be painted on.
int paintBatchReport(const BatchReportDocument& document, QPagedPaintDevice& device);

// The PDF at path is replaced only by a complete report. False with a message
// in the interface language when it cannot be written.
bool writeBatchReportPdf(const BatchReportDocument& document, const QString& path, QString* error = nullptr);
// "Page 2 of 5" in the document's language.
QString batchPageText(const BatchReportDocument& document, int page, int pages);
