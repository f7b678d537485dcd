// Damaged and hostile workbooks: each gives a clear error from the reader,
// never a crash or unbounded memory.
#include "BlankWorkbook.h"
#include "XlsxArchive.h"
#include "XlsxReader.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <functional>
#include <memory>

namespace {

const QByteArray kSheetHead = "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>";
const QByteArray kSheetTail = "</sheetData></worksheet>";

QByteArray zipped(const QList<XlsxEntry>& parts)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("w.xlsx"));
    QString error;
    QFile file(path);
    if (!writeXlsxArchive(path, parts, {}, &error, 9) || !file.open(QIODevice::ReadOnly)) {
        qWarning() << error;
    }
    return file.readAll();
}

// The blank workbook with its sheet (and, when given, a shared-string part) replaced.
QByteArray workbookWith(const QByteArray& sheetXml, const QByteArray& sharedStrings = {})
{
    QList<XlsxEntry> parts = blankWorkbookParts();
    for (XlsxEntry& p : parts) {
        if (p.name == QLatin1String("xl/worksheets/sheet1.xml")) {
            p.data = sheetXml;
        }
        if (p.name == QLatin1String("xl/_rels/workbook.xml.rels") && !sharedStrings.isEmpty()) {
            p.data.replace("</Relationships>",
                           "<Relationship Id=\"rId3\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                           "relationships/sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>");
        }
    }
    if (!sharedStrings.isEmpty()) {
        parts.append({QStringLiteral("xl/sharedStrings.xml"), sharedStrings});
    }
    return zipped(parts);
}

QByteArray sheet(const QByteArray& rows)
{
    return kSheetHead + rows + kSheetTail;
}

// Runs work on a thread with a 256 KiB stack, so that recursion per level of
// nesting overflows at once instead of passing on a main thread's 8 MiB.
void onSmallStack(const std::function<void()>& work)
{
    std::unique_ptr<QThread> thread(QThread::create(work));
    thread->setStackSize(256 * 1024);
    thread->start();
    QVERIFY(thread->wait(60000));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

class XlsxHostileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hostile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("errorContains");

        const QByteArray good = workbookWith(sheet("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>x</t></is></c></row>"));
        QTest::newRow("not a zip") << QByteArray("PK\x03\x04 this is not a zip at all") << "zip";
        QTest::newRow("truncated") << good.left(good.size() / 2) << "zip";
        QTest::newRow("empty") << QByteArray() << "zip";
        QByteArray hugeDeclared = good;
        // Every uncompressed-size field of the central directory says 4 GiB - 16.
        for (qsizetype at = hugeDeclared.indexOf("PK\x01\x02"); at >= 0; at = hugeDeclared.indexOf("PK\x01\x02", at + 4)) {
            hugeDeclared.replace(at + 24, 4, QByteArray("\xF0\xFF\xFF\xFF", 4));
        }
        QTest::newRow("huge declared sizes") << hugeDeclared << "";

        QTest::newRow("zip bomb") << workbookWith(sheet(QByteArray(40 * 1024 * 1024, ' '))) << "zip bomb";
        QTest::newRow("nesting 10 000 deep") << workbookWith(sheet("<row r=\"1\">" + QByteArray("<x>").repeated(10000) + "</row>"))
                                             << "nested deeper";
        QTest::newRow("missing shared string")
            << workbookWith(sheet("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>7</v></c></row>"),
                            "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><si><t>only</t></si></sst>")
            << "shared string 7";
        QTest::newRow("shared string index = count")
            << workbookWith(sheet("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>1</v></c></row>"),
                            "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><si><t>only</t></si></sst>")
            << "shared string 1";
        QTest::newRow("negative shared string")
            << workbookWith(sheet("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>-1</v></c></row>")) << "shared string -1";
        QTest::newRow("XFD1048577") << workbookWith(sheet("<row><c r=\"XFD1048577\"><v>1</v></c></row>")) << "XFD1048577";
        QTest::newRow("row beyond the sheet") << workbookWith(sheet("<row r=\"2000000\"><c><v>1</v></c></row>")) << "2000000";
        QTest::newRow("entity expansion")
            << workbookWith("<?xml version=\"1.0\"?><!DOCTYPE w [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;\">]>"
                            + sheet("<row r=\"1\"><c t=\"inlineStr\"><is><t>&b;</t></is></c></row>"))
            << "document type";
        QTest::newRow("unclosed XML") << workbookWith(kSheetHead + "<row r=\"1\"><c><v>1</v>") << "worksheet";
        QTest::newRow("dense range too large")
            << workbookWith(sheet("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row><row r=\"1048576\"><c r=\"XFD1048576\"><v>1</v></c></row>"))
            << "too large";
        QTest::newRow("zip without a workbook") << zipped({{QStringLiteral("hello.txt"), "hi"}}) << "no workbook";
    }
    void hostile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, errorContains);
        XlsxSheet result;
        QString error;
        bool read = true;
        onSmallStack([&] { read = readXlsxSheet(bytes, 1, result, &error); });
        QVERIFY(!read);
        QVERIFY(!error.isEmpty());
        QVERIFY2(error.contains(errorContains, Qt::CaseInsensitive), qPrintable(error));
    }

    // Every seed and every input the fuzzer ever found goes through the
    // fuzz entry again (under the sanitizers in those builds).
    void fuzzCorpus_replays()
    {
        const QDir dir(QStringLiteral(TINTWELL_XLSX_CORPUS));
        const QStringList files = dir.entryList(QDir::Files);
        QVERIFY(files.size() >= 17);
        // On a small stack, so that recursion per level of nesting shows at once.
        for (const QString& name : files) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            int returned = -1;
            onSmallStack([&] {
                returned = LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                                  static_cast<std::size_t>(bytes.size()));
            });
            QVERIFY2(returned == 0, qPrintable(name));
            // Nesting 60 000 deep inside an element whose text is read, or
            // anywhere in a part the reader opens, is refused as such.
            if (name.startsWith(QLatin1String("nest-in-")) && !name.endsWith(QLatin1String("styles"))
                && !name.endsWith(QLatin1String("content-types"))) {
                XlsxSheet sheet;
                QString error;
                onSmallStack([&] { readXlsxSheet(bytes.mid(1), 1, sheet, &error); });
                QVERIFY2(error.contains(QLatin1String("nested deeper")), qPrintable(name + QLatin1String(": ") + error));
            }
        }
        // The seeds themselves are good workbooks.
        QFile seed(dir.filePath(QStringLiteral("openpyxl")));
        QVERIFY(seed.open(QIODevice::ReadOnly));
        XlsxSheet result;
        QString error;
        QVERIFY2(readXlsxSheet(seed.readAll().mid(1), 1, result, &error), qPrintable(error));
        QCOMPARE(result.denseRows().value(3).value(3).toString(), QStringLiteral("红色"));
    }

    // Cells without a reference follow the previous cell; rows without a
    // number follow the previous row; rich text and inline strings join.
    void implicitPositions_readInOrder()
    {
        const QByteArray bytes = workbookWith(
            sheet("<row><c><v>1</v></c><c t=\"b\"><v>1</v></c></row>"
                  "<row><c r=\"C2\" t=\"inlineStr\"><is><r><t>红</t></r><r><t>色</t></r></is></c><c t=\"str\"><v>f</v></c></row>"
                  "<row r=\"5\"><c/><c><v>2.5</v></c></row>"));
        XlsxSheet result;
        QString error;
        QVERIFY2(readXlsxSheet(bytes, 1, result, &error), qPrintable(error));
        const QList<QVariantList> rows = result.denseRows();
        QCOMPARE(rows.size(), 5);
        QCOMPARE(rows[0], (QVariantList{1.0, true, QVariant(), QVariant()}));
        QCOMPARE(rows[1].mid(2), (QVariantList{QStringLiteral("红色"), QStringLiteral("f")}));
        QCOMPARE(rows[4].mid(0, 2), (QVariantList{QVariant(), 2.5}));
    }
};

QTEST_GUILESS_MAIN(XlsxHostileTest)
#include "tst_XlsxHostile.moc"
