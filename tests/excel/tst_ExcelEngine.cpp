// The spreadsheet engine: coordinates, blocks, the template, saving without
// endangering the old file, and files written or read by other programs.
#include "CellReference.h"
#include "ExcelEngine.h"
#include "XlsxReader.h"

#include "Dialogs.h"

#include <QDir>
#include <QStandardItemModel>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Reports a cancel once the value reaches cancelAt.
class CancellingProgress final : public ProgressDialog
{
public:
    explicit CancellingProgress(int cancelAt) : m_cancelAt(cancelAt) {}
    void setValue(int value) override { m_cancelled = m_cancelled || value >= m_cancelAt; }
    bool wasCanceled() const override { return m_cancelled; }
    void close() override {}

private:
    int m_cancelAt;
    bool m_cancelled = false;
};

XlsxSheet readBack(const QString& path, int sheetNumber = 1)
{
    QFile file(path);
    XlsxSheet sheet;
    QString error;
    if (!file.open(QIODevice::ReadOnly) || !readXlsxSheet(file.readAll(), sheetNumber, sheet, &error)) {
        qWarning() << "cannot read back" << path << error;
    }
    return sheet;
}

QByteArray part(const QString& path, const QString& name)
{
    QFile file(path);
    XlsxArchive archive;
    QString error;
    return file.open(QIODevice::ReadOnly) && archive.load(file.readAll(), &error) ? archive.entry(name) : QByteArray();
}

QString python3WithOpenpyxl()
{
    for (const QString& candidate : {QStringLiteral("/usr/bin/python3"), QStandardPaths::findExecutable(QStringLiteral("python3"))}) {
        if (!candidate.isEmpty() && QProcess::execute(candidate, {QStringLiteral("-c"), QStringLiteral("import openpyxl")}) == 0) {
            return candidate;
        }
    }
    return {};
}

} // namespace

class ExcelEngineTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_oldCurrent = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
    }
    void cleanup() { QDir::setCurrent(m_oldCurrent); }

    void columnLetters_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("letters");
        QTest::newRow("1") << 1 << "A";
        QTest::newRow("26") << 26 << "Z";
        QTest::newRow("27") << 27 << "AA";
        QTest::newRow("28") << 28 << "AB";
        QTest::newRow("52") << 52 << "AZ";
        QTest::newRow("703") << 703 << "AAA";
        QTest::newRow("16384") << 16384 << "XFD";
    }
    void columnLetters()
    {
        QFETCH(int, column);
        QFETCH(QString, letters);
        QCOMPARE(::columnLetters(column), letters);
        QCOMPARE(columnNumber(letters), column);
    }

    void cellReferences_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("expectedRow");
        QTest::addColumn<int>("expectedColumn");
        QTest::newRow("B3") << "B3" << true << 3 << 2;
        QTest::newRow("absolute") << "$AB$12" << true << 12 << 28;
        QTest::newRow("last cell") << "XFD1048576" << true << 1048576 << 16384;
        QTest::newRow("row beyond") << "XFD1048577" << false << 0 << 0;
        QTest::newRow("column beyond") << "XFE1" << false << 0 << 0;
        QTest::newRow("row 0") << "A0" << false << 0 << 0;
        QTest::newRow("digits first") << "1A" << false << 0 << 0;
        QTest::newRow("empty") << "" << false << 0 << 0;
        QTest::newRow("huge row") << "A99999999999" << false << 0 << 0;
    }
    void cellReferences()
    {
        QFETCH(QString, reference);
        QFETCH(bool, valid);
        QFETCH(int, expectedRow);
        QFETCH(int, expectedColumn);
        int row = 0;
        int column = 0;
        QCOMPARE(parseCellReference(reference, row, column), valid);
        if (valid) {
            QCOMPARE(row, expectedRow);
            QCOMPARE(column, expectedColumn);
        }
    }

    void writeRows_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QString>("range");
        QTest::newRow("2 x 26") << 2 << 26 << "A1:Z2";
        QTest::newRow("2 x 27") << 2 << 27 << "A1:AA2";
        QTest::newRow("3 x 28") << 3 << 28 << "A1:AB3";
        QTest::newRow("1 x 1") << 1 << 1 << "A1:A1";
    }
    void writeRows()
    {
        QFETCH(int, rows);
        QFETCH(int, columns);
        QFETCH(QString, range);
        QCOMPARE(blockRange(rows, columns), range);
        QList<QStringList> block;
        for (int r = 0; r < rows; ++r) {
            QStringList row;
            for (int c = 0; c < columns; ++c) {
                row << QStringLiteral("r%1c%2").arg(r + 1).arg(c + 1);
            }
            block << row;
        }
        const QString path = m_dir.filePath(QStringLiteral("block.xlsx"));
        ExcelEngine engine(path);
        QVERIFY(engine.openWorkbook(1, ExcelEngine::Start::FromTemplate));
        QVERIFY(engine.writeRows(block));
        QVERIFY(engine.closeWorkbook());
        const XlsxSheet sheet = readBack(path);
        QCOMPARE(sheet.rowCount, rows);
        QCOMPARE(sheet.columnCount, columns);
        const QList<QVariantList> dense = sheet.denseRows();
        QCOMPARE(dense.last().last().toString(), block.last().last());
        QCOMPARE(dense.first().first().toString(), QStringLiteral("r1c1"));
        QVERIFY(part(path, QStringLiteral("xl/worksheets/sheet1.xml")).contains("<dimension ref=\"A1:" + cellReference(rows, columns).toUtf8()));
    }

    void writeRows_empty_returnsFalseAndLeavesFile()
    {
        const QString path = m_dir.filePath(QStringLiteral("empty.xlsx"));
        ExcelEngine engine(path);
        QVERIFY(engine.openWorkbook(1));
        const QByteArray before = part(path, QStringLiteral("xl/worksheets/sheet1.xml"));
        QVERIFY(!engine.writeRows(QList<QStringList>()));
        QVERIFY(engine.closeWorkbook());
        QCOMPARE(part(path, QStringLiteral("xl/worksheets/sheet1.xml")), before);
    }

    // A missing target starts as a copy of template.xlsx in the working
    // directory; what the writes do not touch stays: a title, column widths,
    // a second sheet, and a shared string the template used.
    void missingTarget_copiesTemplateAndKeepsIt()
    {
        QFile::remove(m_dir.filePath(QStringLiteral("template.xlsx")));
        {
            ExcelEngine maker(m_dir.filePath(QStringLiteral("template.xlsx")));
            QVERIFY(maker.openWorkbook(1));
            QVERIFY(maker.writeCell(1, 1, QStringLiteral("Company report")));
            QVERIFY(maker.writeCell(1, 3, 42));
        }
        QVERIFY(ExcelEngine::templatePath().endsWith(QStringLiteral("template.xlsx")));
        const QString path = m_dir.filePath(QStringLiteral("CompareM202612062305.xlsx"));
        ExcelEngine engine(path);
        QVERIFY(engine.openWorkbook(1));
        QVERIFY(QFile::exists(path));
        QCOMPARE(engine.usedRowCount(), 1);
        QVERIFY(engine.writeCell(2, 1, QStringLiteral("NO")));
        QVERIFY(engine.writeCell(2, 2, QStringLiteral("样品")));
        QVERIFY(engine.writeCell(1, 2, QStringLiteral("  padded  ")));
        QVERIFY(engine.closeWorkbook());

        const QList<QVariantList> rows = readBack(path).denseRows();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0][0].toString(), QStringLiteral("Company report"));
        QCOMPARE(rows[0][1].toString(), QStringLiteral("  padded  "));
        QCOMPARE(rows[0][2].toDouble(), 42.0);
        QCOMPARE(rows[1][0].toString(), QStringLiteral("NO"));
        QCOMPARE(rows[1][1].toString(), QStringLiteral("样品"));
        const QByteArray sheetXml = part(path, QStringLiteral("xl/worksheets/sheet1.xml"));
        QVERIFY(sheetXml.contains("<col min=\"1\" max=\"36\" width=\"16\""));
        QVERIFY(part(path, QStringLiteral("xl/styles.xml")).contains("horizontal=\"center\""));
    }

    // Writes in any order land in row and column order; the later of two
    // writes to one cell wins.
    void outOfOrderWrites_areSorted()
    {
        const QString path = m_dir.filePath(QStringLiteral("order.xlsx"));
        ExcelEngine engine(path);
        QVERIFY(engine.openWorkbook(1, ExcelEngine::Start::FromTemplate));
        QVERIFY(engine.writeCell(3, 2, QStringLiteral("c")));
        QVERIFY(engine.writeCell(1, 1, QStringLiteral("a")));
        QVERIFY(engine.writeCell(3, 1, QStringLiteral("b")));
        QVERIFY(engine.writeCell(1, 1, true));
        QVERIFY(!engine.writeCell(0, 1, QStringLiteral("outside")));
        QVERIFY(!engine.writeCell(1, 16385, QStringLiteral("outside")));
        QVERIFY(engine.saveWorkbook());
        // A second save on top of the first keeps both.
        QVERIFY(engine.writeCell(2, 2, 2.5));
        QVERIFY(engine.closeWorkbook());
        const QList<QVariantList> rows = readBack(path).denseRows();
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[0][0], QVariant(true));
        QCOMPARE(rows[1][1].toDouble(), 2.5);
        QCOMPARE(rows[2][0].toString(), QStringLiteral("b"));
        QCOMPARE(rows[2][1].toString(), QStringLiteral("c"));
    }

    // The old file is never deleted first: a file that may not be replaced
    // stays as it was, and so does one whose replacement fails.
    void unreplaceableTarget_staysUnchanged()
    {
        const QString path = m_dir.filePath(QStringLiteral("locked.xlsx"));
        {
            ExcelEngine engine(path);
            QVERIFY(engine.openWorkbook(1));
            QVERIFY(engine.writeCell(1, 1, QStringLiteral("earlier work")));
        }
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        QVERIFY(!ExcelEngine::isReplaceable(path));
        ExcelEngine engine(path);
        QVERIFY(!engine.openWorkbook(1, ExcelEngine::Start::FromTemplate));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(readBack(path).denseRows().value(0).value(0).toString(), QStringLiteral("earlier work"));

        const QString folder = m_dir.filePath(QStringLiteral("a folder.xlsx"));
        QVERIFY(QDir().mkpath(folder));
        ExcelEngine onFolder(folder);
        QVERIFY(!onFolder.openWorkbook(1));
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral(".*.xlsx.*")}, QDir::Files | QDir::Hidden), QStringList());
    }

    // Header items in row 1, table rows from row 2, cells without an item
    // untouched; a cancel after the third row keeps the header and three
    // rows, saved.
    void writeTable_cancelAfterThirdRow()
    {
        QStandardItemModel table(6, 3);
        table.setHorizontalHeaderItem(0, new QStandardItem(QStringLiteral("NO")));
        table.setHorizontalHeaderItem(2, new QStandardItem(QStringLiteral("Result")));
        for (int r = 0; r < 6; ++r) {
            table.setItem(r, 0, new QStandardItem(QString::number(r + 1)));
            table.setItem(r, 2, new QStandardItem(QStringLiteral("PASS")));
        }
        const QString path = m_dir.filePath(QStringLiteral("table.xlsx"));
        ExcelEngine engine(path);
        QVERIFY(engine.openWorkbook(1, ExcelEngine::Start::FromTemplate));
        CancellingProgress progress(3);
        QVERIFY(engine.writeTable(table, &progress));
        QVERIFY(engine.wasCancelled());
        QCOMPARE(engine.rowsWritten(), 3);
        const QList<QVariantList> rows = readBack(path).denseRows(); // saved before closing
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows[0][0].toString(), QStringLiteral("NO"));
        QVERIFY(!rows[0][1].isValid());
        QCOMPARE(rows[0][2].toString(), QStringLiteral("Result"));
        QCOMPARE(rows[3][0].toString(), QStringLiteral("3"));
        QVERIFY(!rows[3][1].isValid());
    }

    void destruction_savesChanges()
    {
        const QString path = m_dir.filePath(QStringLiteral("destroyed.xlsx"));
        {
            ExcelEngine engine(path);
            QVERIFY(engine.openWorkbook(1));
            QVERIFY(engine.writeCell(4, 1, QStringLiteral("kept")));
        }
        QCOMPARE(readBack(path).rowCount, 4);
    }

    // A workbook openpyxl wrote: shared strings, numbers, booleans, Chinese,
    // gaps, a second sheet.
    void openpyxlWorkbook_readsBack()
    {
        const QString python = python3WithOpenpyxl();
        if (python.isEmpty()) {
            QSKIP("python3-openpyxl is not installed");
        }
        const QString path = m_dir.filePath(QStringLiteral("py.xlsx"));
        const QString script = QStringLiteral(
            "import openpyxl,sys\n"
            "wb=openpyxl.Workbook(); ws=wb.active\n"
            "ws['A1']='TX420'; ws['A2']=3; ws['B2']=12345\n"
            "ws['A3']='红色 卡'; ws['B3']=0.5; ws['C3']=-0.05; ws['D3']=True\n"
            "ws['F5']='last'\n"
            "wb.create_sheet('Other')['A1']='other sheet'\n"
            "wb.save(sys.argv[1])\n");
        QCOMPARE(QProcess::execute(python, {QStringLiteral("-c"), script, path}), 0);
        const QList<QVariantList> rows = readBack(path).denseRows();
        QCOMPARE(rows.size(), 5);
        QCOMPARE(rows[0].size(), 6);
        QCOMPARE(rows[0][0].toString(), QStringLiteral("TX420"));
        QCOMPARE(rows[1][1].toInt(), 12345);
        QCOMPARE(rows[2][0].toString(), QStringLiteral("红色 卡"));
        QCOMPARE(rows[2][1].toDouble(), 0.5);
        QCOMPARE(rows[2][2].toDouble(), -0.05);
        QCOMPARE(rows[2][3], QVariant(true));
        QVERIFY(!rows[3][0].isValid());
        QCOMPARE(rows[4][5].toString(), QStringLiteral("last"));
        QCOMPARE(readBack(path, 2).denseRows().value(0).value(0).toString(), QStringLiteral("other sheet"));
    }

    // openpyxl reads what the engine wrote: values, every written cell
    // centred, the template's column widths kept.
    void openpyxl_readsWrittenWorkbook()
    {
        const QString python = python3WithOpenpyxl();
        if (python.isEmpty()) {
            QSKIP("python3-openpyxl is not installed");
        }
        const QString path = m_dir.filePath(QStringLiteral("for-openpyxl.xlsx"));
        {
            ExcelEngine engine(path);
            QVERIFY(engine.openWorkbook(1, ExcelEngine::Start::FromTemplate));
            QVERIFY(engine.writeRows(QList<QVariantList>{{QStringLiteral("名称"), 1.25, true}, {QStringLiteral("a&b")}}));
        }
        const QString script = QStringLiteral(
            "import openpyxl,sys\n"
            "ws=openpyxl.load_workbook(sys.argv[1]).active\n"
            "print(ws['A1'].value, ws['B1'].value, ws['C1'].value, ws['A2'].value,\n"
            "      all(c.alignment.horizontal=='center' for r in ws.iter_rows() for c in r if c.value is not None),\n"
            "      ws.column_dimensions['A'].width)\n");
        QProcess process;
        process.start(python, {QStringLiteral("-c"), script, path});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()).trimmed(), QStringLiteral("名称 1.25 True a&b True 16.0"));
    }

    // LibreOffice opens an export with every cell as written, Chinese included.
    void libreOffice_readsExport()
    {
        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (soffice.isEmpty()) {
            QSKIP("soffice (libreoffice-calc-nogui) is not installed: the LibreOffice round trip is not checked");
        }
        const QString path = m_dir.filePath(QStringLiteral("export.xlsx"));
        {
            ExcelEngine engine(path);
            QVERIFY(engine.openWorkbook(1, ExcelEngine::Start::FromTemplate));
            QVERIFY(engine.writeRows(QList<QStringList>{{QStringLiteral("NO"), QStringLiteral("名称"), QStringLiteral("△E")},
                                                        {QStringLiteral("1"), QStringLiteral("样品 <1> & \"x\""), QStringLiteral("0.35")}}));
        }
        QProcess office;
        office.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + m_dir.filePath(QStringLiteral("profile")),
                               QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                               QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"), QStringLiteral("--outdir"),
                               m_dir.filePath(QStringLiteral("out")), path});
        QVERIFY(office.waitForFinished(90000));
        QFile csv(m_dir.filePath(QStringLiteral("out/export.csv")));
        QVERIFY2(csv.open(QIODevice::ReadOnly), qPrintable(QString::fromUtf8(office.readAllStandardError())));
        const QString text = QString::fromUtf8(csv.readAll());
        QCOMPARE(text.trimmed().split(u'\n').value(0).trimmed(), QStringLiteral("NO,名称,△E"));
        QCOMPARE(text.trimmed().split(u'\n').value(1).trimmed(), QStringLiteral("1,\"样品 <1> & \"\"x\"\"\",0.35"));
    }

private:
    QTemporaryDir m_dir;
    QString m_oldCurrent;
};

QTEST_GUILESS_MAIN(ExcelEngineTest)
#include "tst_ExcelEngine.moc"
