// The spreadsheet engine: coordinates, blocks, the template, saving without
// endangering the old file, and files written or read by other programs.
#include "CellReference.h"
#include "ExcelTestSheets.h"

#include <QDir>
#include <QProcess>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

QByteArray part(const QString& path, const QString& name)
{
    QFile file(path);
    XlsxArchive archive;
    QString error;
    return file.open(QIODevice::ReadOnly) && archive.load(file.readAll(), &error) ? archive.entry(name) : QByteArray();
}

QByteArray sheetXml(const QString& path) { return part(path, QStringLiteral("xl/worksheets/sheet1.xml")); }

QString openpyxlPython()
{
    for (const QString& python : {QStringLiteral("/usr/bin/python3"), QStandardPaths::findExecutable(QStringLiteral("python3"))}) {
        if (!python.isEmpty() && QProcess::execute(python, {QStringLiteral("-c"), QStringLiteral("import openpyxl")}) == 0) {
            return python;
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

    // row 0: the reference is refused.
    void cellReferences_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::newRow("A1") << "A1" << 1 << 1;
        QTest::newRow("Z") << "Z9" << 9 << 26;
        QTest::newRow("AA") << "AA2" << 2 << 27;
        QTest::newRow("AAA") << "AAA7" << 7 << 703;
        QTest::newRow("absolute") << "$AB$12" << 12 << 28;
        QTest::newRow("last cell") << "XFD1048576" << 1048576 << 16384;
        QTest::newRow("row beyond") << "XFD1048577" << 0 << 0;
        QTest::newRow("column beyond") << "XFE1" << 0 << 0;
        QTest::newRow("row 0") << "A0" << 0 << 0;
        QTest::newRow("digits first") << "1A" << 0 << 0;
        QTest::newRow("empty") << "" << 0 << 0;
        QTest::newRow("huge row") << "A99999999999" << 0 << 0;
    }
    void cellReferences()
    {
        QFETCH(QString, reference);
        QFETCH(int, row);
        QFETCH(int, column);
        int parsedRow = 0;
        int parsedColumn = 0;
        QCOMPARE(parseCellReference(reference, parsedRow, parsedColumn), row > 0);
        if (row > 0) {
            QCOMPARE(parsedRow, row);
            QCOMPARE(parsedColumn, column);
            QCOMPARE(columnLetters(column) + QString::number(row), reference.remove(u'$'));
            QCOMPARE(columnNumber(columnLetters(column)), column);
        }
    }

    void writeRows_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QString>("range");
        QTest::newRow("2 x 26") << 2 << 26 << "A1:Z2";
        QTest::newRow("2 x 27") << 2 << 27 << "A1:AA2";
        QTest::newRow("1 x 1") << 1 << 1 << "A1:A1";
    }
    void writeRows()
    {
        QFETCH(int, rows);
        QFETCH(int, columns);
        QFETCH(QString, range);
        QCOMPARE(blockRange(rows, columns), range);
        QList<QStringList> block(rows);
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c) {
                block[r] << QStringLiteral("r%1c%2").arg(r + 1).arg(c + 1);
            }
        }
        const QString path = m_dir.filePath(QStringLiteral("block.xlsx"));
        ExcelEngine engine(path);
        QVERIFY(engine.openWorkbook(1, ExcelEngine::Start::FromTemplate));
        QVERIFY(engine.writeRows(block));
        QVERIFY(engine.closeWorkbook());
        const XlsxSheet sheet = readSheet(path);
        QCOMPARE(sheet.rowCount, rows);
        QCOMPARE(sheet.columnCount, columns);
        QCOMPARE(sheet.denseRows().first().first().toString(), QStringLiteral("r1c1"));
        QCOMPARE(sheet.denseRows().last().last().toString(), block.last().last());
        QVERIFY(sheetXml(path).contains("<dimension ref=\"A1:" + cellReference(rows, columns).toUtf8()));
    }

    // The table's writer: the titles a column has in row 1, the rows from
    // row 2; no table, or no workbook open, writes nothing.
    void writeTableWidget_titlesThenRows()
    {
        QStandardItemModel table(2, 2);
        table.setHorizontalHeaderItem(0, new QStandardItem(QStringLiteral("Name")));
        table.setItem(0, 0, new QStandardItem(QStringLiteral("Comp1")));
        table.setItem(1, 1, new QStandardItem(QStringLiteral("NG")));
        const QString path = m_dir.filePath(QStringLiteral("table.xlsx"));
        ExcelEngine engine(path);
        QVERIFY(!engine.writeTableWidget(&table, nullptr)); // not open yet
        QVERIFY(engine.openWorkbook(1, ExcelEngine::Start::FromTemplate));
        QVERIFY(!engine.writeTableWidget(nullptr, nullptr));
        QVERIFY(engine.writeTableWidget(&table, nullptr));
        QVERIFY(engine.closeWorkbook());
        const QList<QVariantList> rows = readSheet(path).denseRows();
        QCOMPARE(rows.value(0).value(0).toString(), QStringLiteral("Name"));
        QCOMPARE(rows.value(1).value(0).toString(), QStringLiteral("Comp1"));
        QCOMPARE(rows.value(2).value(1).toString(), QStringLiteral("NG"));
        QVERIFY(!rows.value(0).value(1).isValid()); // a column without a title keeps its cell
    }

    // A missing target starts as a copy of template.xlsx in the working
    // directory; what the writes do not touch stays: a title, column widths,
    // a second sheet, and a shared string the template used. (The template is
    // made by an engine that is only destroyed: destruction saves.)
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

        const QList<QVariantList> rows = readBack(path);
        QCOMPARE(rows, (QList<QVariantList>{{QStringLiteral("Company report"), QStringLiteral("  padded  "), 42.0},
                                            {QStringLiteral("NO"), QStringLiteral("样品"), QVariant()}}));
        QVERIFY(sheetXml(path).contains("<col min=\"1\" max=\"36\" width=\"16\""));
        QVERIFY(part(path, QStringLiteral("xl/styles.xml")).contains("horizontal=\"center\""));
    }

    // Writes in any order land in row and column order; the later of two
    // writes to one cell wins; writes outside the sheet and an empty block
    // are refused.
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
        QVERIFY(!engine.writeRows(QList<QStringList>()));
        QVERIFY(engine.closeWorkbook());
        const QList<QVariantList> rows = readBack(path);
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
        saveSheet(path, {{QStringLiteral("earlier work")}});
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        QVERIFY(!ExcelEngine::isReplaceable(path));
        ExcelEngine engine(path);
        QVERIFY(!engine.openWorkbook(1, ExcelEngine::Start::FromTemplate));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(readBack(path).value(0).value(0).toString(), QStringLiteral("earlier work"));

        const QString folder = m_dir.filePath(QStringLiteral("a folder.xlsx"));
        QVERIFY(QDir().mkpath(folder));
        ExcelEngine onFolder(folder);
        QVERIFY(!onFolder.openWorkbook(1));
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral(".*.xlsx.*")}, QDir::Files | QDir::Hidden), QStringList());
    }

    // A template that is no workbook: opening a new target fails and leaves
    // no file behind (neither empty nor a copy of the damaged template).
    void unusableTemplate_leavesNoFile_data()
    {
        QTest::addColumn<QByteArray>("templateBytes");
        QTest::newRow("not a zip") << QByteArray("this is no workbook");
        QTest::newRow("truncated") << QByteArray("PK\x03\x04\x14\x00", 6);
    }
    void unusableTemplate_leavesNoFile()
    {
        QFETCH(QByteArray, templateBytes);
        QFile templateFile(m_dir.filePath(QStringLiteral("template.xlsx")));
        QVERIFY(templateFile.open(QIODevice::WriteOnly));
        templateFile.write(templateBytes);
        templateFile.close();
        const QString path = m_dir.filePath(QStringLiteral("new.xlsx"));
        ExcelEngine engine(path);
        const bool opened = engine.openWorkbook(1, ExcelEngine::Start::FromTemplate);
        templateFile.remove();
        QVERIFY(!opened);
        QVERIFY(!QFileInfo::exists(path));
    }

    // Both ways with openpyxl: a workbook it wrote (shared strings, numbers,
    // booleans, Chinese, gaps, a second sheet) reads back, and it reads what
    // the engine wrote: values, every written cell centred, the widths kept.
    void openpyxl_roundTrips()
    {
        const QString python = openpyxlPython();
        if (python.isEmpty()) {
            QSKIP("python3-openpyxl is not installed");
        }
        const QString path = m_dir.filePath(QStringLiteral("py.xlsx"));
        const QString writer = QStringLiteral("import openpyxl,sys\n"
                                              "wb=openpyxl.Workbook(); ws=wb.active\n"
                                              "ws['A1']='TX420'; ws['A2']=3; ws['B2']=12345\n"
                                              "ws['A3']='红色 卡'; ws['B3']=0.5; ws['C3']=-0.05; ws['D3']=True\n"
                                              "ws['F5']='last'\n"
                                              "wb.create_sheet('Other')['A1']='other sheet'\n"
                                              "wb.save(sys.argv[1])\n");
        QCOMPARE(QProcess::execute(python, {QStringLiteral("-c"), writer, path}), 0);
        const QList<QVariantList> rows = readBack(path);
        QCOMPARE(rows.size(), 5);
        QCOMPARE(rows[0].size(), 6);
        QCOMPARE(rows[0][0].toString(), QStringLiteral("TX420"));
        QCOMPARE(rows[1][1].toInt(), 12345);
        QCOMPARE(rows[2].mid(0, 4), (QVariantList{QStringLiteral("红色 卡"), 0.5, -0.05, true}));
        QVERIFY(!rows[3][0].isValid());
        QCOMPARE(rows[4][5].toString(), QStringLiteral("last"));
        QCOMPARE(readSheet(path, 2).denseRows().value(0).value(0).toString(), QStringLiteral("other sheet"));

        const QString ours = m_dir.filePath(QStringLiteral("for-openpyxl.xlsx"));
        {
            ExcelEngine engine(ours);
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
        process.start(python, {QStringLiteral("-c"), script, ours});
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
        const QStringList lines = QString::fromUtf8(csv.readAll()).trimmed().split(u'\n');
        QCOMPARE(lines.value(0).trimmed(), QStringLiteral("NO,名称,△E"));
        QCOMPARE(lines.value(1).trimmed(), QStringLiteral("1,\"样品 <1> & \"\"x\"\"\",0.35"));
    }

private:
    QTemporaryDir m_dir;
    QString m_oldCurrent;
};

QTEST_GUILESS_MAIN(ExcelEngineTest)
#include "tst_ExcelEngine.moc"
