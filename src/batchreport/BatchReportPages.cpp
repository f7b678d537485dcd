// The batch report painted on A4 pages: a flow of blocks, a table's rows
// carried over to the next page under its headings again, a footer with
// "Page i of n" on every page. Laid out twice, the first time only to count
// the pages. Row heights are fixed and cell widths measured once, so 10 000
// rows cost a few hundred milliseconds.

#include "BatchReport.h"

#include "FileReplace.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryFile>

#include <algorithm>
#include <cmath>

namespace {

const char* const kContext = "BatchReport";

// Sizes in millimetres and points.
constexpr double kTableMaxPoints = 8.0;
constexpr double kTableMinPoints = 5.5;
constexpr double kCellPadding = 0.9;  // mm each side
constexpr double kFooterHeight = 8.0; // mm
// The charts' logical sizes (as the statistics window's proportions).
const QSizeF kControlSize(900, 430);
// The lower two are drawn half as wide as the control chart: smaller
// logical sizes keep their texts as large.
const QSizeF kPlaneSize(470, 425);
const QSizeF kHistogramSize(470, 425);

QFont reportFont(double points, bool bold = false)
{
    // A family with Chinese glyphs, embedded in the PDF, so the report reads
    // the same on every machine.
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families();
        for (const char* candidate : {"WenQuanYi Micro Hei", "Noto Sans CJK SC", "Source Han Sans SC",
                                      "WenQuanYi Zen Hei", "Droid Sans Fallback"}) {
            if (installed.contains(QString::fromLatin1(candidate), Qt::CaseInsensitive)) {
                return QString::fromLatin1(candidate);
            }
        }
        return QString();
    }();
    QFont font;
    if (!family.isEmpty()) {
        font.setFamily(family);
    }
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// A table laid out for the page width: its font, column widths and the
// width of every cell's text (measured once).
struct TableLayout
{
    double points = kTableMaxPoints;
    std::vector<double> widths;  // device units per column
    double rowHeight = 0;
    double ascent = 0;
    std::vector<float> textWidths; // row-major, headings first
};

class Pages
{
public:
    Pages(const BatchReportDocument& document, QPagedPaintDevice& device, QPainter& painter)
        : doc_(document), device_(device), p_(painter)
    {
        mm_ = device.logicalDpiX() / 25.4;
        width_ = device.width();
        bottom_ = device.height() - kFooterHeight * mm_;
    }

    int run(bool paint, int total)
    {
        paint_ = paint;
        total_ = total;
        page_ = 1;
        y_ = 0;
        for (int i = 0; i < doc_.blocks.size(); ++i) {
            block(doc_.blocks.at(i), i);
        }
        footer();
        return page_;
    }

private:
    double mm(double v) const { return v * mm_; }

    void newPage()
    {
        footer();
        if (paint_) {
            device_.newPage();
        }
        ++page_;
        y_ = 0;
    }

    // Room for h below the cursor, else a new page (not on an empty one).
    void need(double h)
    {
        if (y_ > 0 && y_ + h > bottom_) {
            newPage();
        }
    }

    void footer()
    {
        if (!paint_) {
            return;
        }
        p_.setFont(reportFont(7));
        p_.setPen(Qt::darkGray);
        const QRectF area(0, device_.height() - mm(kFooterHeight) + mm(2), width_, mm(kFooterHeight - 2));
        p_.drawLine(QPointF(0, area.top() - mm(1)), QPointF(width_, area.top() - mm(1)));
        p_.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, doc_.footer);
        p_.drawText(area, Qt::AlignRight | Qt::AlignVCenter, batchPageText(doc_, page_, total_));
        p_.setPen(Qt::black);
    }

    void text(const QString& s, const QFont& font, int flags, double gapAfter)
    {
        const QFontMetricsF fm(font, &device_);
        const QRectF bound = fm.boundingRect(QRectF(0, 0, width_, 1e9), flags | Qt::TextWordWrap, s);
        need(bound.height());
        if (paint_) {
            p_.setFont(font);
            p_.drawText(QRectF(0, y_, width_, bound.height()), flags | Qt::TextWordWrap, s);
        }
        y_ += bound.height() + mm(gapAfter);
    }

    void block(const BatchBlock& b, int index)
    {
        switch (b.kind) {
        case BatchBlock::Title:
            text(b.text, reportFont(16, true), Qt::AlignHCenter, 4);
            break;
        case BatchBlock::Heading: {
            // A heading stays with the first lines of what follows it (with
            // the charts, all of them).
            const QFontMetricsF fm(reportFont(11, true), &device_);
            const bool beforeCharts = index + 1 < doc_.blocks.size() && doc_.blocks.at(index + 1).kind == BatchBlock::Charts;
            need(fm.height() + mm(2) + (beforeCharts ? chartsHeight() : mm(18)));
            y_ += mm(2);
            text(b.text, reportFont(11, true), Qt::AlignLeft, 1.5);
            break;
        }
        case BatchBlock::Text:
            text(b.text, reportFont(8), Qt::AlignLeft, 2);
            break;
        case BatchBlock::Fields:
            fields(b.fields);
            break;
        case BatchBlock::Table:
            table(b.table, index);
            break;
        case BatchBlock::Charts:
            charts();
            break;
        case BatchBlock::Signatures:
            signatures(b.fields);
            break;
        }
    }

    void fields(const QList<std::pair<QString, QString>>& list)
    {
        const QFont label = reportFont(9, true);
        const QFont value = reportFont(9);
        const QFontMetricsF fm(value, &device_);
        double labelWidth = 0;
        const QFontMetricsF lfm(label, &device_);
        for (const auto& f : list) {
            labelWidth = std::max(labelWidth, lfm.horizontalAdvance(f.first + QStringLiteral(": ")));
        }
        const double line = fm.height() * 1.3;
        for (const auto& f : list) {
            need(line);
            if (paint_) {
                p_.setFont(label);
                p_.drawText(QPointF(0, y_ + fm.ascent()), f.first + QStringLiteral(":"));
                p_.setFont(value);
                p_.drawText(QRectF(labelWidth, y_, width_ - labelWidth, line), Qt::AlignLeft | Qt::AlignTop,
                            fm.elidedText(f.second, Qt::ElideRight, width_ - labelWidth));
            }
            y_ += line;
        }
        y_ += mm(2);
    }

    const TableLayout& layoutOf(const BatchTable& t, int index)
    {
        auto found = layouts_.find(index);
        if (found != layouts_.end()) {
            return found->second;
        }
        TableLayout& l = layouts_[index];
        const int columns = static_cast<int>(t.headings.size());
        // Measured once at the largest size; widths scale with the size.
        const QFontMetricsF body(reportFont(kTableMaxPoints), &device_);
        const QFontMetricsF head(reportFont(kTableMaxPoints, true), &device_);
        std::vector<double> natural(columns, 0.0);
        l.textWidths.reserve(static_cast<size_t>(columns) * (t.rows.size() + 1));
        for (int c = 0; c < columns; ++c) {
            const double w = head.horizontalAdvance(t.headings.at(c));
            l.textWidths.push_back(static_cast<float>(w));
            natural[c] = w;
        }
        for (const QStringList& row : t.rows) {
            for (int c = 0; c < columns; ++c) {
                const double w = c < row.size() ? body.horizontalAdvance(row.at(c)) : 0.0;
                l.textWidths.push_back(static_cast<float>(w));
                natural[c] = std::max(natural[c], w);
            }
        }
        const double padding = 2 * mm(kCellPadding);
        double sum = 0;
        for (const double w : natural) {
            sum += w;
        }
        // The largest size at which every column fits, down to the smallest.
        const double room = width_ - padding * columns;
        l.points = std::clamp(kTableMaxPoints * room / std::max(sum, 1.0), kTableMinPoints, kTableMaxPoints);
        const double scale = l.points / kTableMaxPoints;
        l.widths.resize(columns);
        double used = 0;
        for (int c = 0; c < columns; ++c) {
            l.widths[c] = natural[c] * scale + padding;
            used += l.widths[c];
        }
        if (used > width_) {
            // Still too wide at the smallest size: the text columns give way
            // (their texts are cut short with an ellipsis).
            double texts = 0;
            for (int c = 0; c < t.leftColumns && c < columns; ++c) {
                texts += l.widths[c];
            }
            const double shrink = std::max(0.2, (texts - (used - width_)) / std::max(texts, 1.0));
            used = 0;
            for (int c = 0; c < columns; ++c) {
                if (c < t.leftColumns) {
                    l.widths[c] *= shrink;
                }
                used += l.widths[c];
            }
        }
        // The rest of the width is shared out, so tables span the page.
        const double extra = std::max(0.0, width_ - used) / columns;
        for (double& w : l.widths) {
            w += extra;
        }
        const QFontMetricsF fm(reportFont(l.points), &device_);
        l.rowHeight = fm.height() * 1.25;
        l.ascent = fm.ascent() + (l.rowHeight - fm.height()) / 2;
        return l;
    }

    void rowCells(const BatchTable& t, const TableLayout& l, int row, bool headingRow)
    {
        const QStringList& cells = headingRow ? t.headings : t.rows.at(row);
        const int columns = static_cast<int>(t.headings.size());
        const double scale = l.points / kTableMaxPoints;
        const size_t base = static_cast<size_t>(headingRow ? 0 : row + 1) * columns;
        const double pad = mm(kCellPadding);
        double x = 0;
        QFontMetricsF* fm = nullptr;
        for (int c = 0; c < columns && c < cells.size(); ++c) {
            const double cellWidth = l.widths[c] - 2 * pad;
            const double w = l.textWidths[base + c] * scale;
            QString s = cells.at(c);
            if (w > cellWidth + 0.5) {
                if (!fm) {
                    fm = &metrics_;
                    metrics_ = QFontMetricsF(p_.font(), &device_);
                }
                s = fm->elidedText(s, Qt::ElideRight, cellWidth);
            }
            const bool left = c < t.leftColumns || headingRow;
            const double tx = left && !headingRow ? x + pad
                              : headingRow        ? x + (l.widths[c] - std::min(w, cellWidth)) / 2
                                                  : x + l.widths[c] - pad - std::min(w, cellWidth);
            const bool red = !headingRow && c == t.verdictColumn && row < static_cast<int>(t.ng.size()) && t.ng[row];
            if (red) {
                p_.setPen(QColor(200, 0, 0));
            }
            p_.drawText(QPointF(tx, y_ + l.ascent), s);
            if (red) {
                p_.setPen(Qt::black);
            }
            x += l.widths[c];
        }
    }

    void headingRow(const BatchTable& t, const TableLayout& l)
    {
        if (paint_) {
            p_.fillRect(QRectF(0, y_, width_, l.rowHeight), QColor(230, 232, 236));
            p_.setFont(reportFont(l.points, true));
            rowCells(t, l, -1, true);
            p_.setFont(reportFont(l.points));
        }
        y_ += l.rowHeight;
    }

    void table(const BatchTable& t, int index)
    {
        const TableLayout& l = layoutOf(t, index);
        need(l.rowHeight * 3);
        double top = y_;
        headingRow(t, l);
        const QPen grid(QColor(170, 170, 170), mm(0.1));
        const auto closePage = [&] {
            if (!paint_) {
                return;
            }
            p_.setPen(grid);
            double x = 0;
            p_.drawLine(QPointF(0, top), QPointF(0, y_));
            for (const double w : l.widths) {
                x += w;
                p_.drawLine(QPointF(x, top), QPointF(x, y_));
            }
            p_.drawLine(QPointF(0, top), QPointF(width_, top));
            p_.setPen(Qt::black);
        };
        for (int row = 0; row < t.rows.size(); ++row) {
            if (y_ + l.rowHeight > bottom_) {
                closePage();
                newPage();
                top = y_;
                headingRow(t, l);
            }
            if (paint_) {
                rowCells(t, l, row, false);
                p_.setPen(grid);
                p_.drawLine(QPointF(0, y_ + l.rowHeight), QPointF(width_, y_ + l.rowHeight));
                p_.setPen(Qt::black);
            }
            y_ += l.rowHeight;
        }
        closePage();
        y_ += mm(3);
    }

    // Paints into target what a painter function draws in a logical area.
    template <typename Paint>
    void scaled(const QRectF& target, const QSizeF& logical, Paint paint)
    {
        p_.save();
        p_.translate(target.topLeft());
        p_.scale(target.width() / logical.width(), target.height() / logical.height());
        QFont font = reportFont(8);
        font.setPixelSize(13);
        p_.setFont(font);
        paint();
        p_.restore();
    }

    double chartsHeight() const
    {
        const double half = (width_ - mm(4)) / 2;
        return width_ * kControlSize.height() / kControlSize.width() + half * kPlaneSize.height() / kPlaneSize.width()
               + mm(4);
    }

    void charts()
    {
        if (!doc_.work) {
            return;
        }
        const double controlHeight = width_ * kControlSize.height() / kControlSize.width();
        const double half = (width_ - mm(4)) / 2;
        const double lowerHeight = half * kPlaneSize.height() / kPlaneSize.width();
        need(chartsHeight());
        if (paint_) {
            StatisticsScene scene;
            scene.build(*doc_.work, doc_.choice,
                        {QRectF(QPointF(0, 0), kControlSize), QRectF(QPointF(0, 0), kPlaneSize),
                         QRectF(QPointF(0, 0), kHistogramSize)});
            scaled(QRectF(0, y_, width_, controlHeight), kControlSize,
                   [&] { paintControlChart(p_, scene.control()); });
            const double lower = y_ + controlHeight + mm(4);
            if (scene.hasPlane()) {
                scaled(QRectF(0, lower, half, lowerHeight), kPlaneSize, [&] { paintAbPlane(p_, scene.plane()); });
            }
            scaled(QRectF(scene.hasPlane() ? half + mm(4) : 0, lower, half, lowerHeight), kHistogramSize,
                   [&] { paintHistogram(p_, scene.histogram()); });
        }
        y_ += controlHeight + lowerHeight + mm(6);
    }

    void signatures(const QList<std::pair<QString, QString>>& people)
    {
        const QFont font = reportFont(9);
        const QFontMetricsF fm(font, &device_);
        need(mm(30));
        y_ += mm(10);
        const double column = width_ / 2;
        const QString date = QCoreApplication::translate(kContext, "Date");
        for (int i = 0; i < people.size(); ++i) {
            const double x = i * column;
            if (paint_) {
                p_.setFont(font);
                const double line = y_ + mm(8);
                p_.drawText(QPointF(x, line), people.at(i).first + QStringLiteral(":"));
                const double start = x + fm.horizontalAdvance(people.at(i).first + QStringLiteral(":  "));
                p_.drawLine(QPointF(start, line + mm(0.8)), QPointF(x + column - mm(8), line + mm(0.8)));
                if (!people.at(i).second.isEmpty()) {
                    p_.setPen(Qt::darkGray);
                    p_.drawText(QPointF(start, line + mm(5)), people.at(i).second);
                    p_.setPen(Qt::black);
                }
                const double dateLine = line + mm(12);
                p_.drawText(QPointF(x, dateLine), date + QStringLiteral(":"));
                const double dateStart = x + fm.horizontalAdvance(date + QStringLiteral(":  "));
                p_.drawLine(QPointF(dateStart, dateLine + mm(0.8)), QPointF(x + column - mm(8), dateLine + mm(0.8)));
            }
        }
        y_ += mm(22);
    }

    const BatchReportDocument& doc_;
    QPagedPaintDevice& device_;
    QPainter& p_;
    std::map<int, TableLayout> layouts_;
    QFontMetricsF metrics_{QFont()};
    double mm_ = 1;
    double width_ = 0;
    double bottom_ = 0;
    double y_ = 0;
    int page_ = 1;
    int total_ = 1;
    bool paint_ = false;
};

} // namespace

int paintBatchReport(const BatchReportDocument& document, QPagedPaintDevice& device)
{
    QPainter painter;
    if (!painter.begin(&device)) {
        return 0;
    }
    Pages pages(document, device, painter);
    const int total = pages.run(false, 0);
    pages.run(true, total);
    painter.end();
    return total;
}

bool writeBatchReportPdf(const BatchReportDocument& document, const QString& path, QString* error)
{
    const auto failed = [&](const QString& message) {
        if (error) {
            *error = message;
        }
        return false;
    };
    // Written beside the target and renamed over it once complete.
    const QFileInfo target(path);
    QTemporaryFile staging(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));
    if (!staging.open()) {
        return failed(QCoreApplication::translate(kContext, "Cannot write in %1: %2")
                          .arg(target.absolutePath(), staging.errorString()));
    }
    int pages = 0;
    {
        QPdfWriter writer(&staging);
        writer.setResolution(300);
        writer.setTitle(document.title);
        writer.setCreator(QStringLiteral("Tintwell"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 12),
                                         QPageLayout::Millimeter));
        pages = paintBatchReport(document, writer);
    }
    staging.close();
    if (pages == 0 || staging.size() <= 0) {
        return failed(QCoreApplication::translate(kContext, "Cannot write the report into %1.").arg(path));
    }
    QFile::setPermissions(staging.fileName(), target.exists() ? target.permissions()
                                                              : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                                                    | QFile::ReadOther);
    QString replaceError;
    if (!replaceFileWith(staging.fileName(), path, &replaceError)) {
        return failed(QCoreApplication::translate(kContext, "Cannot write the report into %1: %2")
                          .arg(path, replaceError));
    }
    staging.setAutoRemove(false); // renamed: it is the target now
    return true;
}
