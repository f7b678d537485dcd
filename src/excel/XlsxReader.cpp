#include "XlsxReader.h"

#include "CellReference.h"

#include <QXmlStreamReader>

namespace {

constexpr auto kOfficeDocument = QLatin1String("/officeDocument");
constexpr auto kWorksheet = QLatin1String("/worksheet");
constexpr auto kSharedStrings = QLatin1String("/sharedStrings");
constexpr auto kStyles = QLatin1String("/styles");

void setError(QString* error, const QString& text)
{
    if (error) {
        *error = text;
    }
}

// Reads the next token, refusing DTDs (entity tricks) and nesting deeper than
// the limit. False at the end or on an error (reader.hasError() tells which).
bool nextToken(QXmlStreamReader& reader, int& depth, int maxDepth, QString& problem)
{
    if (reader.atEnd()) {
        return false;
    }
    const auto token = reader.readNext();
    if (token == QXmlStreamReader::DTD) {
        problem = QStringLiteral("document type declarations are not accepted");
        return false;
    }
    if (token == QXmlStreamReader::StartElement && ++depth > maxDepth) {
        problem = QStringLiteral("XML nested deeper than %1 levels").arg(maxDepth);
        return false;
    }
    if (token == QXmlStreamReader::EndElement) {
        --depth;
    }
    if (reader.hasError()) {
        problem = reader.errorString();
        return false;
    }
    return token != QXmlStreamReader::EndDocument && token != QXmlStreamReader::Invalid;
}

bool finish(const QXmlStreamReader& reader, const QString& problem, const QString& part, QString* error)
{
    if (!problem.isEmpty()) {
        setError(error, QStringLiteral("%1: %2 (line %3)").arg(part, problem).arg(reader.lineNumber()));
        return false;
    }
    if (reader.hasError()) {
        setError(error, QStringLiteral("%1: %2 (line %3)").arg(part, reader.errorString()).arg(reader.lineNumber()));
        return false;
    }
    return true;
}

struct Relationship
{
    QString id;
    QString type;
    QString target;
};

// The relationships of a part; a missing part has none. False, with *error,
// when the part is damaged (a part cut short, or nested too deep).
bool relationships(const QByteArray& xml, const QString& part, QList<Relationship>& rels, QString* error)
{
    rels.clear();
    if (xml.isEmpty()) {
        return true;
    }
    QXmlStreamReader reader(xml);
    int depth = 0;
    QString problem;
    while (nextToken(reader, depth, 16, problem)) {
        if (reader.isStartElement() && reader.name() == QLatin1String("Relationship")) {
            const auto a = reader.attributes();
            rels.append({a.value(QLatin1String("Id")).toString(), a.value(QLatin1String("Type")).toString(),
                         a.value(QLatin1String("Target")).toString()});
        }
    }
    return finish(reader, problem, part, error);
}

// A relationship target relative to the folder of the part that names it.
QString resolve(const QString& baseFolder, const QString& target)
{
    QStringList parts = target.startsWith(u'/') ? QStringList() : baseFolder.split(u'/', Qt::SkipEmptyParts);
    for (const QString& piece : target.split(u'/', Qt::SkipEmptyParts)) {
        if (piece == QLatin1String("..")) {
            if (!parts.isEmpty()) {
                parts.removeLast();
            }
        } else if (piece != QLatin1String(".")) {
            parts.append(piece);
        }
    }
    return parts.join(u'/');
}

QString folderOf(const QString& path)
{
    const int slash = path.lastIndexOf(u'/');
    return slash < 0 ? QString() : path.left(slash);
}

QString relsPathOf(const QString& part)
{
    const QString folder = folderOf(part);
    const QString file = part.mid(folder.isEmpty() ? 0 : folder.size() + 1);
    return (folder.isEmpty() ? QString() : folder + u'/') + QStringLiteral("_rels/") + file + QStringLiteral(".rels");
}

// The text of the element the reader stands on, the text of elements inside
// it included, read token by token so that nesting inside it meets the same
// depth limit as anywhere else (Qt's readElementText recurses once per level,
// so deep nesting inside one value would exhaust the stack). The reader ends
// on the element's end element.
bool readText(QXmlStreamReader& reader, int& depth, int maxDepth, QString& text, QString& problem)
{
    const int elementDepth = depth;
    while (nextToken(reader, depth, maxDepth, problem)) {
        if (reader.isCharacters()) {
            text += reader.text();
        } else if (reader.isEndElement() && depth < elementDepth) {
            return true;
        }
    }
    if (problem.isEmpty()) {
        problem = QStringLiteral("an element is not closed");
    }
    return false;
}

// The text of an <si> or <is> element: its <t> children, rich-text runs
// included, phonetic runs (<rPh>) left out. The reader stands on the start
// element and ends on its end element.
bool readStringItem(QXmlStreamReader& reader, int& depth, int maxDepth, QString& text, QString& problem)
{
    const int itemDepth = depth;
    int skipDepth = 0; // inside <rPh>
    while (nextToken(reader, depth, maxDepth, problem)) {
        if (reader.isEndElement() && depth < itemDepth) {
            return true;
        }
        if (reader.isStartElement()) {
            if (reader.name() == QLatin1String("rPh")) {
                skipDepth = depth;
            } else if (reader.name() == QLatin1String("t") && skipDepth == 0) {
                if (!readText(reader, depth, maxDepth, text, problem)) {
                    return false;
                }
            }
        } else if (reader.isEndElement() && skipDepth > 0 && depth < skipDepth) {
            skipDepth = 0;
        }
    }
    if (problem.isEmpty()) {
        problem = QStringLiteral("a string item is not closed");
    }
    return false;
}

} // namespace

QList<QVariantList> XlsxSheet::denseRows() const
{
    QList<QVariantList> rows(rowCount, QVariantList(columnCount));
    for (const XlsxCell& cell : cells) {
        rows[cell.row - 1][cell.column - 1] = cell.value;
    }
    return rows;
}

bool findXlsxParts(const XlsxArchive& archive, int sheetNumber, XlsxParts& parts, QString* error)
{
    QString workbook = QStringLiteral("xl/workbook.xml");
    QList<Relationship> rels;
    const QString packageRels = QStringLiteral("_rels/.rels");
    if (!relationships(archive.entry(packageRels), packageRels, rels, error)) {
        return false;
    }
    for (const Relationship& rel : std::as_const(rels)) {
        if (rel.type.endsWith(kOfficeDocument)) {
            workbook = resolve(QString(), rel.target);
        }
    }
    const QByteArray workbookXml = archive.entry(workbook);
    if (workbookXml.isEmpty()) {
        setError(error, QStringLiteral("the file holds no workbook"));
        return false;
    }
    // The sheets in workbook order, by relationship id.
    QStringList sheetIds;
    QXmlStreamReader reader(workbookXml);
    int depth = 0;
    QString problem;
    while (nextToken(reader, depth, 16, problem)) {
        if (reader.isStartElement() && reader.name() == QLatin1String("sheet")) {
            const auto attrs = reader.attributes();
            for (const auto& a : attrs) {
                if (a.name() == QLatin1String("id")) {
                    sheetIds.append(a.value().toString());
                }
            }
        }
    }
    if (!finish(reader, problem, workbook, error)) {
        return false;
    }
    if (sheetNumber < 1 || sheetNumber > sheetIds.size()) {
        setError(error, QStringLiteral("the workbook has no worksheet %1").arg(sheetNumber));
        return false;
    }
    const QString folder = folderOf(workbook);
    parts = XlsxParts();
    if (!relationships(archive.entry(relsPathOf(workbook)), relsPathOf(workbook), rels, error)) {
        return false;
    }
    for (const Relationship& rel : std::as_const(rels)) {
        const QString path = resolve(folder, rel.target);
        if (rel.id == sheetIds.at(sheetNumber - 1) && rel.type.endsWith(kWorksheet)) {
            parts.sheetPath = path;
        } else if (rel.type.endsWith(kSharedStrings)) {
            parts.sharedStringsPath = path;
        } else if (rel.type.endsWith(kStyles)) {
            parts.stylesPath = path;
        }
    }
    if (parts.sheetPath.isEmpty() || !archive.contains(parts.sheetPath)) {
        setError(error, QStringLiteral("worksheet %1 is missing from the file").arg(sheetNumber));
        return false;
    }
    return true;
}

bool readSharedStrings(const QByteArray& xml, QStringList& strings, QString* error, const XlsxLimits& limits)
{
    strings.clear();
    QXmlStreamReader reader(xml);
    int depth = 0;
    QString problem;
    while (nextToken(reader, depth, limits.maxXmlDepth, problem)) {
        if (reader.isStartElement() && reader.name() == QLatin1String("si")) {
            if (strings.size() >= limits.maxSharedStrings) {
                problem = QStringLiteral("more than %1 shared strings").arg(limits.maxSharedStrings);
                break;
            }
            QString text;
            if (!readStringItem(reader, depth, limits.maxXmlDepth, text, problem)) {
                break;
            }
            strings.append(text);
        }
    }
    return finish(reader, problem, QStringLiteral("shared strings"), error);
}

bool readSheetCells(const QByteArray& xml, const QStringList& sharedStrings, XlsxSheet& sheet,
                    QString* error, const XlsxLimits& limits)
{
    sheet = XlsxSheet();
    QXmlStreamReader reader(xml);
    int depth = 0;
    QString problem;
    int row = 0;         // the current row
    int column = 0;      // the last cell's column in the row
    while (problem.isEmpty() && nextToken(reader, depth, limits.maxXmlDepth, problem)) {
        if (!reader.isStartElement()) {
            continue;
        }
        const auto name = reader.name();
        if (name == QLatin1String("row")) {
            const auto r = reader.attributes().value(QLatin1String("r"));
            if (r.isEmpty()) {
                ++row; // a row without a number follows the previous one
            } else {
                bool ok = false;
                row = r.toInt(&ok);
                if (!ok || row < 1 || row > kMaxSheetRows) {
                    problem = QStringLiteral("row number %1 lies outside the sheet").arg(r.toString());
                    break;
                }
            }
            if (row > kMaxSheetRows) {
                problem = QStringLiteral("more rows than a sheet holds");
                break;
            }
            column = 0;
        } else if (name == QLatin1String("c")) {
            const auto attrs = reader.attributes();
            const auto ref = attrs.value(QLatin1String("r"));
            int cellRow = row;
            int cellColumn = column + 1;
            if (!ref.isEmpty() && !parseCellReference(ref, cellRow, cellColumn)) {
                problem = QStringLiteral("the cell reference %1 lies outside the sheet").arg(ref.toString());
                break;
            }
            if (cellRow < 1 || cellColumn > kMaxSheetColumns) {
                problem = QStringLiteral("a cell lies outside the sheet");
                break;
            }
            if (cellRow != row) {
                row = cellRow; // a cell naming another row than its <row>
            }
            column = cellColumn;
            const QString type = attrs.value(QLatin1String("t")).toString();
            // The cell's content: <v>, <is> or <f> children.
            QString valueText;
            QString inlineText;
            bool hasValue = false;
            const int cellDepth = depth;
            while (nextToken(reader, depth, limits.maxXmlDepth, problem)) {
                if (reader.isEndElement() && depth < cellDepth) {
                    break;
                }
                if (!reader.isStartElement()) {
                    continue;
                }
                if (reader.name() == QLatin1String("v")) {
                    valueText.clear();
                    if (!readText(reader, depth, limits.maxXmlDepth, valueText, problem)) {
                        break;
                    }
                    hasValue = true;
                } else if (reader.name() == QLatin1String("is")) {
                    if (!readStringItem(reader, depth, limits.maxXmlDepth, inlineText, problem)) {
                        break;
                    }
                    hasValue = true;
                }
            }
            if (!problem.isEmpty() || reader.hasError()) {
                break;
            }
            if (!hasValue) {
                continue;
            }
            QVariant value;
            if (type == QLatin1String("s")) {
                bool ok = false;
                const qlonglong index = valueText.trimmed().toLongLong(&ok);
                if (!ok || index < 0 || index >= sharedStrings.size()) {
                    problem = QStringLiteral("cell %1 refers to shared string %2, which does not exist")
                                  .arg(cellReference(cellRow, cellColumn), valueText.left(20));
                    break;
                }
                value = sharedStrings.at(static_cast<int>(index));
            } else if (type == QLatin1String("inlineStr")) {
                value = inlineText;
            } else if (type == QLatin1String("b")) {
                value = valueText.trimmed() == QLatin1String("1");
            } else if (type == QLatin1String("str") || type == QLatin1String("e")) {
                value = valueText;
            } else {
                bool ok = false;
                const double number = valueText.trimmed().toDouble(&ok);
                value = ok ? QVariant(number) : QVariant(valueText);
            }
            if (sheet.cells.size() >= limits.maxCells) {
                problem = QStringLiteral("more than %1 cells").arg(limits.maxCells);
                break;
            }
            sheet.cells.append({cellRow, cellColumn, value});
            sheet.rowCount = qMax(sheet.rowCount, cellRow);
            sheet.columnCount = qMax(sheet.columnCount, cellColumn);
        }
    }
    if (!finish(reader, problem, QStringLiteral("worksheet"), error)) {
        return false;
    }
    if (static_cast<qint64>(sheet.rowCount) * sheet.columnCount > limits.maxDenseCells) {
        setError(error, QStringLiteral("the used range %1 is too large")
                            .arg(blockRange(sheet.rowCount, sheet.columnCount)));
        return false;
    }
    return true;
}

bool readXlsxSheet(const QByteArray& bytes, int sheetNumber, XlsxSheet& sheet, QString* error,
                   const XlsxLimits& limits)
{
    XlsxArchive archive;
    XlsxParts parts;
    QStringList strings;
    if (!archive.load(bytes, error, limits) || !findXlsxParts(archive, sheetNumber, parts, error)) {
        return false;
    }
    if (!parts.sharedStringsPath.isEmpty()
        && !readSharedStrings(archive.entry(parts.sharedStringsPath), strings, error, limits)) {
        return false;
    }
    return readSheetCells(archive.entry(parts.sheetPath), strings, sheet, error, limits);
}
