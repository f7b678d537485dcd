#include "SheetMerge.h"

#include "CellReference.h"
#include "XmlOut.h"

#include <QRegularExpression>
#include <cctype>
#include <QXmlStreamReader>

namespace {

constexpr int kMaxDepth = 64;

// One element as read, kept to be written back unchanged.
struct Node
{
    QString name;  // qualified; empty for a text node
    QXmlStreamAttributes attributes;
    QXmlStreamNamespaceDeclarations namespaces;
    QString text;
    QList<Node> children;
};

// Reads the element the reader stands on, with everything inside it.
bool readNode(QXmlStreamReader& reader, Node& node, int depth)
{
    node.name = reader.qualifiedName().toString();
    node.attributes = reader.attributes();
    node.namespaces = reader.namespaceDeclarations();
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            if (depth >= kMaxDepth) {
                return false;
            }
            Node child;
            if (!readNode(reader, child, depth + 1)) {
                return false;
            }
            node.children.append(std::move(child));
            break;
        }
        case QXmlStreamReader::Characters: {
            Node text;
            text.text = reader.text().toString();
            node.children.append(std::move(text));
            break;
        }
        case QXmlStreamReader::EndElement:
            return true;
        case QXmlStreamReader::DTD:
        case QXmlStreamReader::Invalid:
            return false;
        default:
            break;
        }
    }
    return false;
}

void writeNode(XmlOut& out, const Node& node)
{
    if (node.name.isEmpty()) {
        out.text(node.text);
        return;
    }
    out.openTag(node.name);
    for (const auto& ns : node.namespaces) {
        out.attribute(ns.prefix().isEmpty() ? QStringLiteral("xmlns") : QStringLiteral("xmlns:") + ns.prefix().toString(),
                      ns.namespaceUri().toString());
    }
    for (const auto& a : node.attributes) {
        out.attribute(a.qualifiedName().toString(), a.value().toString());
    }
    if (node.children.isEmpty()) {
        out.closeEmpty();
        return;
    }
    out.closeTag();
    for (const Node& child : node.children) {
        writeNode(out, child);
    }
    out.endTag(node.name);
}

QString prefixOf(QStringView qualifiedName)
{
    const qsizetype colon = qualifiedName.indexOf(u':');
    return colon < 0 ? QString() : qualifiedName.left(colon + 1).toString();
}

class Merger
{
public:
    Merger(CellSpool& cells, CentredStyles& styles, XmlOut& out, const QString& prefix)
        : m_cells(cells), m_styles(styles), m_out(out), m_prefix(prefix), m_prefix8(prefix.toUtf8())
    {
        m_rowOpen = "<" + m_prefix8 + "row r=\"";
        m_rowClose = "</" + m_prefix8 + "row>";
        m_cellOpen = "<" + m_prefix8 + "c r=\"";
        m_cellClose = "</" + m_prefix8 + "c>";
        m_inlineOpen = "<" + m_prefix8 + "is><" + m_prefix8 + "t";
        m_inlineClose = "</" + m_prefix8 + "t></" + m_prefix8 + "is>";
        m_valueOpen = "<" + m_prefix8 + "v>";
        m_valueClose = "</" + m_prefix8 + "v>";
    }

    // The written rows before row (all of them for row 0).
    void writtenRowsBefore(int row)
    {
        const SpooledCell* cell = nullptr;
        while ((cell = m_cells.peek()) && (row == 0 || cell->row < row)) {
            const int current = cell->row;
            m_out.raw(m_rowOpen + QByteArray::number(current) + "\">");
            while ((cell = m_cells.peek()) && cell->row == current) {
                writeCell(*cell, 0);
                m_cells.take();
            }
            m_out.raw(m_rowClose);
        }
    }

    // A row of the sheet with the written cells of that row put in.
    void mergedRow(const Node& row, int rowNumber)
    {
        m_out.openTag(row.name);
        for (const auto& ns : row.namespaces) {
            m_out.attribute(ns.prefix().isEmpty() ? QStringLiteral("xmlns") : QStringLiteral("xmlns:") + ns.prefix().toString(),
                            ns.namespaceUri().toString());
        }
        for (const auto& a : row.attributes) {
            if (a.name() != QLatin1String("spans")) { // spans would no longer be right
                m_out.attribute(a.qualifiedName().toString(), a.value().toString());
            }
        }
        m_out.closeTag();
        int column = 0;
        const SpooledCell* cell = nullptr;
        for (const Node& child : row.children) {
            if (child.name.isEmpty()) {
                continue;
            }
            if (child.name != m_prefix + QStringLiteral("c")) {
                writeNode(m_out, child);
                continue;
            }
            int r = rowNumber;
            int c = column + 1;
            const auto ref = child.attributes.value(QLatin1String("r"));
            if (!ref.isEmpty()) {
                parseCellReference(ref, r, c);
            }
            column = c;
            while ((cell = m_cells.peek()) && cell->row == rowNumber && cell->column < c) {
                writeCell(*cell, 0);
                m_cells.take();
            }
            if ((cell = m_cells.peek()) && cell->row == rowNumber && cell->column == c) {
                writeCell(*cell, child.attributes.value(QLatin1String("s")).toInt());
                m_cells.take();
            } else {
                Node kept = child;
                if (ref.isEmpty()) {
                    // Written cells may now stand between: name it.
                    kept.attributes.append(QStringLiteral("r"), cellReference(rowNumber, c));
                }
                writeNode(m_out, kept);
            }
        }
        while ((cell = m_cells.peek()) && cell->row == rowNumber) {
            writeCell(*cell, 0);
            m_cells.take();
        }
        m_out.endTag(row.name);
    }

private:
    const QByteArray& letters(int column)
    {
        if (column >= m_letters.size()) {
            m_letters.resize(column + 1);
        }
        QByteArray& l = m_letters[column];
        if (l.isEmpty()) {
            l = columnLetters(column).toLatin1();
        }
        return l;
    }

    void writeCell(const SpooledCell& cell, int baseStyle)
    {
        QByteArray open = m_cellOpen;
        open += letters(cell.column);
        open += QByteArray::number(cell.row);
        open += '"';
        if (m_styles.isAvailable()) {
            open += " s=\"";
            open += QByteArray::number(m_styles.centredFor(baseStyle));
            open += '"';
        }
        switch (cell.kind) {
        case SpooledCell::Empty:
            m_out.raw(open + "/>");
            return;
        case SpooledCell::Boolean:
            m_out.raw(open + " t=\"b\">" + m_valueOpen + cell.text + m_valueClose + m_cellClose);
            return;
        case SpooledCell::Number:
            m_out.raw(open + ">" + m_valueOpen + cell.text + m_valueClose + m_cellClose);
            return;
        case SpooledCell::Text:
            break;
        }
        const QByteArray& text = cell.text;
        const bool padded = !text.isEmpty() && (std::isspace(static_cast<unsigned char>(text.front()))
                                                || std::isspace(static_cast<unsigned char>(text.back())));
        open += " t=\"inlineStr\">";
        open += m_inlineOpen;
        open += padded ? " xml:space=\"preserve\">" : ">";
        m_out.raw(open);
        m_out.textUtf8(text);
        m_out.raw(m_inlineClose + m_cellClose);
    }

    CellSpool& m_cells;
    CentredStyles& m_styles;
    XmlOut& m_out;
    QString m_prefix;
    QByteArray m_prefix8;
    QByteArray m_rowOpen, m_rowClose, m_cellOpen, m_cellClose, m_inlineOpen, m_inlineClose, m_valueOpen, m_valueClose;
    QList<QByteArray> m_letters;
};

} // namespace

bool CentredStyles::load(const QByteArray& stylesXml)
{
    *this = CentredStyles();
    m_xml = QString::fromUtf8(stylesXml);
    QXmlStreamReader reader(m_xml);
    int depth = 0;
    bool inFormats = false;
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::DTD || depth > kMaxDepth) {
            return false;
        }
        if (token == QXmlStreamReader::StartElement) {
            ++depth;
            if (reader.name() == QLatin1String("cellXfs")) {
                inFormats = true;
                m_prefix = prefixOf(reader.qualifiedName());
            } else if (inFormats && reader.name() == QLatin1String("xf")) {
                Format format;
                for (const auto& a : reader.attributes()) {
                    if (a.name() != QLatin1String("applyAlignment")) {
                        format.attributes.append({a.qualifiedName().toString(), a.value().toString()});
                    }
                }
                m_formats.append(format);
            } else if (inFormats && reader.name() == QLatin1String("alignment") && !m_formats.isEmpty()) {
                m_formats.last().centred = reader.attributes().value(QLatin1String("horizontal")) == QLatin1String("center");
            }
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
            if (reader.name() == QLatin1String("cellXfs")) {
                // characterOffset is just past "</cellXfs>".
                m_insertAt = m_xml.lastIndexOf(QLatin1String("</"), reader.characterOffset() - 1);
                inFormats = false;
            }
        }
    }
    m_available = !reader.hasError() && m_insertAt > 0 && !m_formats.isEmpty()
                  && m_xml.mid(m_insertAt, 2) == QLatin1String("</");
    return m_available;
}

int CentredStyles::centredFor(int base)
{
    if (base < 0 || base >= m_formats.size()) {
        base = 0;
    }
    if (m_formats.at(base).centred) {
        return base;
    }
    auto it = m_twins.find(base);
    if (it == m_twins.end()) {
        it = m_twins.insert(base, static_cast<int>(m_formats.size() + m_twinBases.size()));
        m_twinBases.append(base);
    }
    return it.value();
}

QByteArray CentredStyles::apply() const
{
    if (!m_available || m_twinBases.isEmpty()) {
        return m_xml.toUtf8();
    }
    QString twins;
    for (const int base : m_twinBases) {
        twins += u'<' + m_prefix + QStringLiteral("xf");
        for (const auto& [name, value] : m_formats.at(base).attributes) {
            twins += u' ' + name + QStringLiteral("=\"") + value.toHtmlEscaped() + u'"';
        }
        twins += QStringLiteral(" applyAlignment=\"1\"><") + m_prefix + QStringLiteral("alignment horizontal=\"center\"/></")
                 + m_prefix + QStringLiteral("xf>");
    }
    QString xml = m_xml;
    xml.insert(m_insertAt, twins);
    // The count attribute of <cellXfs>.
    static const QRegularExpression count(QStringLiteral("(<(?:\\w+:)?cellXfs\\b[^>]*\\bcount=\")(\\d+)\""));
    const auto match = count.match(xml);
    if (match.hasMatch()) {
        xml.replace(match.capturedStart(2), match.capturedLength(2),
                    QString::number(m_formats.size() + m_twinBases.size()));
    }
    return xml.toUtf8();
}

bool writeMergedSheet(QIODevice& sheetXml, CellSpool& cells, CentredStyles& styles,
                      const QString& dimension, QIODevice& out, QString* error)
{
    QXmlStreamReader reader(&sheetXml);
    XmlOut xml(out);
    std::unique_ptr<Merger> merger;
    int lastRow = 0;
    bool sheetDataSeen = false;
    QString problem;
    while (!reader.atEnd() && problem.isEmpty()) {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::DTD) {
            problem = QStringLiteral("document type declarations are not accepted");
            break;
        }
        if (token == QXmlStreamReader::Invalid) {
            break;
        }
        if (merger && token == QXmlStreamReader::StartElement && reader.name() == QLatin1String("row")) {
            Node row;
            if (!readNode(reader, row, 0)) {
                problem = QStringLiteral("a row of the sheet cannot be read");
                break;
            }
            const auto r = row.attributes.value(QLatin1String("r"));
            const int number = r.isEmpty() ? lastRow + 1 : r.toInt();
            merger->writtenRowsBefore(number);
            merger->mergedRow(row, number);
            lastRow = number;
            continue;
        }
        if (merger && token == QXmlStreamReader::EndElement && reader.name() == QLatin1String("sheetData")) {
            merger->writtenRowsBefore(0);
            merger.reset();
        }
        if (token == QXmlStreamReader::StartElement && reader.name() == QLatin1String("dimension") && !dimension.isEmpty()) {
            xml.openTag(reader.qualifiedName().toString());
            xml.attribute(QStringLiteral("ref"), dimension);
            xml.closeTag();
            continue;
        }
        xml.copyToken(reader);
        if (token == QXmlStreamReader::StartElement && reader.name() == QLatin1String("sheetData")) {
            sheetDataSeen = true;
            merger = std::make_unique<Merger>(cells, styles, xml, prefixOf(reader.qualifiedName()));
        }
    }
    if (problem.isEmpty() && reader.hasError()) {
        problem = reader.errorString();
    }
    if (problem.isEmpty() && !sheetDataSeen) {
        problem = QStringLiteral("the worksheet has no sheetData");
    }
    if (!xml.flush() && problem.isEmpty()) {
        problem = QStringLiteral("the sheet cannot be written");
    }
    if (!problem.isEmpty() && error) {
        *error = problem;
    }
    return problem.isEmpty();
}
