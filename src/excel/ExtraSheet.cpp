#include "ExtraSheet.h"

#include "CellReference.h"
#include "FileReplace.h"
#include "XlsxArchive.h"
#include "XmlOut.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <cmath>

namespace {

const QByteArray kOfficeRelationships = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

// Values of one attribute over every element of a kind in xml.
QStringList attributeValues(const QByteArray& xml, const QString& element, const QString& attribute)
{
    QStringList values;
    const QRegularExpression tag(QStringLiteral("<(?:\\w+:)?%1\\b[^>]*>").arg(element));
    const QRegularExpression value(QStringLiteral("\\b%1=\"([^\"]*)\"").arg(attribute));
    auto it = tag.globalMatch(QString::fromUtf8(xml));
    while (it.hasNext()) {
        const QRegularExpressionMatch m = value.match(it.next().captured(0));
        if (m.hasMatch()) {
            values << m.captured(1);
        }
    }
    return values;
}

bool isPlainNumber(const QString& text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && std::isfinite(value) && !text.contains(QLatin1Char('%'));
}

QByteArray sheetXml(const QList<QStringList>& rows)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        XmlOut out(buffer);
        out.raw("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                "<sheetFormatPr defaultRowHeight=\"15\"/><cols><col min=\"1\" max=\"2\" width=\"22\" customWidth=\"1\"/>"
                "<col min=\"3\" max=\"40\" width=\"12\" customWidth=\"1\"/></cols><sheetData>");
        for (int r = 0; r < rows.size(); ++r) {
            out.raw(QStringLiteral("<row r=\"%1\">").arg(r + 1).toUtf8());
            const QStringList& row = rows.at(r);
            for (int c = 0; c < row.size(); ++c) {
                const QByteArray reference = cellReference(r + 1, c + 1).toUtf8();
                if (isPlainNumber(row.at(c))) {
                    out.raw("<c r=\"" + reference + "\"><v>" + row.at(c).trimmed().toUtf8() + "</v></c>");
                } else {
                    out.raw("<c r=\"" + reference + "\" t=\"inlineStr\"><is><t>");
                    out.text(row.at(c));
                    out.raw("</t></is></c>");
                }
            }
            out.raw("</row>");
        }
        out.raw("</sheetData></worksheet>");
    }
    return buffer.data();
}

// The folder of a part ("xl/" for "xl/workbook.xml").
QString folderOf(const QString& part)
{
    const int slash = part.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : part.left(slash + 1);
}

bool fail(QString* error, const QString& text)
{
    if (error) {
        *error = text;
    }
    return false;
}

} // namespace

bool addSheetAfterFirst(const QString& path, const QString& sheetName, const QList<QStringList>& rows,
                        QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return fail(error, QStringLiteral("cannot read %1").arg(path));
    }
    XlsxArchive archive;
    if (!archive.load(file.readAll(), error)) {
        return false;
    }
    file.close();

    // The workbook part, named by the package relationships.
    QString workbookPath = QStringLiteral("xl/workbook.xml");
    const QByteArray packageRels = archive.entry(QStringLiteral("_rels/.rels"));
    const QRegularExpression officeDocument(QStringLiteral("<Relationship\\b[^>]*officeDocument\"[^>]*>"));
    const QRegularExpressionMatch document = officeDocument.match(QString::fromUtf8(packageRels));
    if (document.hasMatch()) {
        const QRegularExpressionMatch target =
            QRegularExpression(QStringLiteral("Target=\"/?([^\"]+)\"")).match(document.captured(0));
        if (target.hasMatch()) {
            workbookPath = target.captured(1);
        }
    }
    const QString workbookRelsPath =
        folderOf(workbookPath) + QStringLiteral("_rels/") + QFileInfo(workbookPath).fileName() + QStringLiteral(".rels");
    QByteArray workbook = archive.entry(workbookPath);
    QByteArray workbookRels = archive.entry(workbookRelsPath);
    QByteArray contentTypes = archive.entry(QStringLiteral("[Content_Types].xml"));

    // After the first sheet element of the sheet list.
    const QRegularExpression firstSheet(QStringLiteral("<sheets\\b[^>]*>\\s*<(\\w+:)?sheet\\b[^>]*/>"));
    const QRegularExpressionMatch first = firstSheet.match(QString::fromUtf8(workbook));
    const int relsEnd = workbookRels.lastIndexOf("</Relationships>");
    const int typesEnd = contentTypes.lastIndexOf("</Types>");
    if (!first.hasMatch() || relsEnd < 0 || typesEnd < 0) {
        return fail(error, QStringLiteral("the workbook has no sheet list to add a sheet to"));
    }

    const QStringList names = attributeValues(workbook, QStringLiteral("sheet"), QStringLiteral("name"));
    QString name = sheetName;
    for (int k = 2; names.contains(name, Qt::CaseInsensitive); ++k) {
        name = QStringLiteral("%1 (%2)").arg(sheetName).arg(k);
    }
    int sheetId = 0;
    for (const QString& id : attributeValues(workbook, QStringLiteral("sheet"), QStringLiteral("sheetId"))) {
        sheetId = std::max(sheetId, id.toInt());
    }
    const QStringList ids = attributeValues(workbookRels, QStringLiteral("Relationship"), QStringLiteral("Id"));
    QString relationId = QStringLiteral("rIdSheetStatistics");
    for (int k = 2; ids.contains(relationId); ++k) {
        relationId = QStringLiteral("rIdSheetStatistics%1").arg(k);
    }
    int number = 1;
    while (archive.contains(folderOf(workbookPath) + QStringLiteral("worksheets/sheet%1.xml").arg(number))) {
        ++number;
    }
    const QString target = QStringLiteral("worksheets/sheet%1.xml").arg(number);
    const QString partName = folderOf(workbookPath) + target;

    QBuffer escapedName;
    escapedName.open(QIODevice::WriteOnly);
    {
        XmlOut out(escapedName);
        out.attribute(QStringLiteral("name"), name);
    }
    const QString prefix = first.captured(1);
    const QByteArray sheetElement = "<" + prefix.toUtf8() + "sheet xmlns:r=\"" + kOfficeRelationships + "\""
                                    + escapedName.data() + " sheetId=\"" + QByteArray::number(sheetId + 1)
                                    + "\" r:id=\"" + relationId.toUtf8() + "\"/>";
    // The match ran over the text; turn its end into a byte offset.
    const int insertAt = QString::fromUtf8(workbook).left(first.capturedEnd(0)).toUtf8().size();
    workbook.insert(insertAt, sheetElement);
    workbookRels.insert(relsEnd, "<Relationship Id=\"" + relationId.toUtf8() + "\" Type=\"" + kOfficeRelationships
                                     + "/worksheet\" Target=\"" + target.toUtf8() + "\"/>");
    contentTypes.insert(typesEnd, "<Override PartName=\"/" + partName.toUtf8()
                                      + "\" ContentType=\"application/vnd.openxmlformats-officedocument."
                                        "spreadsheetml.worksheet+xml\"/>");

    QList<XlsxEntry> parts = archive.entries();
    for (XlsxEntry& part : parts) {
        if (part.name == workbookPath) {
            part.data = workbook;
        } else if (part.name == workbookRelsPath) {
            part.data = workbookRels;
        } else if (part.name == QLatin1String("[Content_Types].xml")) {
            part.data = contentTypes;
        }
    }
    parts.append({partName, sheetXml(rows)});

    const QFileInfo info(path);
    QTemporaryFile staging(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
    if (!staging.open()) {
        return fail(error, QStringLiteral("cannot create a file in %1").arg(info.absolutePath()));
    }
    staging.close();
    if (!writeXlsxArchive(staging.fileName(), parts, {}, error)) {
        return false;
    }
    QFile::setPermissions(staging.fileName(), info.permissions());
    return replaceFileWith(staging.fileName(), path, error);
}
