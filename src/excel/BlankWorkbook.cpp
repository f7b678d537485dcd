#include "BlankWorkbook.h"

QList<XlsxEntry> blankWorkbookParts()
{
    const QByteArray header = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
    const QByteArray main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    const QByteArray rels = "http://schemas.openxmlformats.org/package/2006/relationships";
    const QByteArray officeRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    QList<XlsxEntry> parts;
    parts.append({QStringLiteral("[Content_Types].xml"),
                  header
                      + "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                        "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                        "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
                        "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
                        "<Override PartName=\"/xl/styles.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
                        "</Types>"});
    parts.append({QStringLiteral("_rels/.rels"),
                  header + "<Relationships xmlns=\"" + rels + "\">"
                      + "<Relationship Id=\"rId1\" Type=\"" + officeRel + "/officeDocument\" Target=\"xl/workbook.xml\"/>"
                      + "</Relationships>"});
    parts.append({QStringLiteral("xl/workbook.xml"),
                  header + "<workbook xmlns=\"" + main + "\" xmlns:r=\"" + officeRel + "\">"
                      + "<sheets><sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"});
    parts.append({QStringLiteral("xl/_rels/workbook.xml.rels"),
                  header + "<Relationships xmlns=\"" + rels + "\">"
                      + "<Relationship Id=\"rId1\" Type=\"" + officeRel + "/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
                      + "<Relationship Id=\"rId2\" Type=\"" + officeRel + "/styles\" Target=\"styles.xml\"/>"
                      + "</Relationships>"});
    parts.append({QStringLiteral("xl/styles.xml"),
                  header + "<styleSheet xmlns=\"" + main + "\">"
                      + "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font></fonts>"
                        "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill><fill><patternFill patternType=\"gray125\"/></fill></fills>"
                        "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
                        "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
                        "<cellXfs count=\"2\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
                        "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyAlignment=\"1\"><alignment horizontal=\"center\"/></xf></cellXfs>"
                        "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
                        "</styleSheet>"});
    parts.append({QStringLiteral("xl/worksheets/sheet1.xml"),
                  header + "<worksheet xmlns=\"" + main + "\" xmlns:r=\"" + officeRel + "\">"
                      + "<dimension ref=\"A1\"/><sheetViews><sheetView workbookViewId=\"0\"/></sheetViews>"
                        "<sheetFormatPr defaultRowHeight=\"15\"/>"
                        "<cols><col min=\"1\" max=\"36\" width=\"16\" customWidth=\"1\"/></cols>"
                        "<sheetData/>"
                        "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" footer=\"0.3\"/>"
                        "</worksheet>"});
    return parts;
}
