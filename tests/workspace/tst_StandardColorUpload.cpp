// The standard-colour upload against the emulated instrument: the whole
// sheet is checked before anything is sent, the stream goes in 256-byte
// blocks closed by an empty one, and the library file is only ever read.
#include "CgatsFormat.h"
#include "CxfFormat.h"
#include "EmulatedAccess.h"
#include "../excel/ExcelTestSheets.h"
#include "ScriptedDialogs.h"
#include "StandardColorSheet.h"
#include "StandardColorUpload.h"

#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

class StandardColorUploadTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_settings;

private Q_SLOTS:
    // The upload remembers its folder in the user's settings: these tests' own.
    void initTestCase()
    {
        QVERIFY(m_settings.isValid());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settings.path());
    }
    void init()
    {
        m_access = std::make_unique<EmulatedAccess>(QStringLiteral("TX420"));
        QVERIFY(m_access->link().opened);
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_path = m_dir.filePath(QStringLiteral("StdColor.xlsx"));
    }
    void cleanup()
    {
        QVERIFY(!m_dialogs->hasUnusedAnswers());
        QCOMPARE(m_dialogs->openProgressDialogs, 0);
        m_dialogs.reset();
        m_access.reset();
    }

    void values_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("ok");
        QTest::newRow("12.345 cut") << "12.345" << 1234 << true;
        QTest::newRow("-1.5") << "-1.5" << -150 << true;
        QTest::newRow("7") << "7" << 700 << true;
        QTest::newRow("no number") << "abc" << 0 << false;
        QTest::newRow("two dots") << "1.2.3" << 0 << false;
        // Exponent notation, as tiny and huge numbers are written: read in the
        // C locale; a value that cuts to 0 is 0.
        QTest::newRow("cell 0.0001") << standardColorCellText(QVariant(0.0001)) << 0 << true;
        QTest::newRow("-1e-04") << "-1e-04" << 0 << true;
        QTest::newRow("2.9E-1") << "2.9E-1" << 29 << true;
        QTest::newRow("1.2345e2 cut") << "1.2345e2" << 12345 << true;
        QTest::newRow("1e300") << "1e300" << 0 << false;
        QTest::newRow("bare e") << "e" << 0 << false;
    }
    void values()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        QFETCH(bool, ok);
        bool parsed = false;
        QCOMPARE(standardColorValue(text, &parsed), value);
        QCOMPARE(parsed, ok);
    }

    // Names then values, 256-byte blocks, the empty block just past the last
    // byte, the library as the instrument holds it. The library file is read
    // only: it is made read-only, uploads, and no byte of it changes.
    void upload_data()
    {
        QTest::addColumn<QList<int>>("cardRows");
        QTest::addColumn<int>("usedRows");
        QTest::addColumn<QList<int>>("blocks"); // lengths; the last is the empty block
        QTest::newRow("S=2") << QList<int>{2} << 51 << QList<int>{52, 0};
        QTest::newRow("S=5") << QList<int>{3, 2} << 54 << QList<int>{130, 0};
        QTest::newRow("S=5, rows 55-60 ignored") << QList<int>{3, 2} << 60 << QList<int>{130, 0};
        QTest::newRow("S=10") << QList<int>{4, 6} << 59 << QList<int>{256, 4, 0};
    }
    void upload()
    {
        QFETCH(QList<int>, cardRows);
        QFETCH(int, usedRows);
        QFETCH(QList<int>, blocks);
        QList<Card> cards;
        int s = 0;
        for (int i = 0; i < cardRows.size(); ++i) {
            cards << Card{QStringLiteral("卡片%1").arg(i), QStringLiteral("B%1").arg(i), cardRows[i], 7 + i};
            s += cardRows[i];
        }
        saveSheet(m_path, librarySheet(QStringLiteral("TX420"), cards, usedRows));
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        const QByteArray bytes = contents(m_path);
        const QDateTime modified = QFileInfo(m_path).lastModified();
        QCOMPARE(upload(m_path, QStringLiteral(" TX420 ")), StandardColorUploadResult::Written);
        QCOMPARE(contents(m_path), bytes);
        QCOMPARE(QFileInfo(m_path).lastModified(), modified);
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);

        VirtualInstrument& instrument = m_access->instrument();
        QCOMPARE(instrument.standardColorCount(), cards.size());
        const QList<StandardColorCard> stored = instrument.standardColorCards();
        for (int i = 0; i < cards.size(); ++i) {
            QCOMPARE(QString::fromUtf8(stored.value(i).nameA).remove(QChar(0)), cards[i].nameA);
            QCOMPARE(stored.value(i).valueA, cards[i].rows);
            QCOMPARE(stored.value(i).valueB, cards[i].valueB);
        }
        QList<int> lengths;
        quint32 expected = 0x40000;
        for (const auto& [address, length] : m_access->blockWrites()) {
            QCOMPARE(address, expected);
            expected += static_cast<quint32>(length);
            lengths << length;
        }
        QCOMPARE(lengths, blocks);
        QVERIFY(instrument.blockTransferCompleted());
        const QByteArray stream = instrument.standardColorStream();
        QCOMPARE(stream.size(), s * 26);
        QCOMPARE(stream.left(20), QByteArray("颜色0").leftJustified(20, '\0'));
        QCOMPARE(qint16(getU16le(stream, s * 20)), qint16(50));
        QCOMPARE(qint16(getU16le(stream, s * 20 + 2)), qint16(-5));
        QCOMPARE(int(getU16le(stream, s * 20 + 4)), 1234);
        const int pages = (s * 26 + 255) / 256;
        QStringList progress;
        for (const ScriptedDialogs::Shown& shown : m_dialogs->shown) {
            if (shown.kind == QLatin1String("progress")) {
                progress << shown.title + u'|' + shown.text;
            }
        }
        QCOMPARE(progress, QStringList{QStringLiteral("Storing data,please wait...|cancel [0..%1]").arg(pages)});
        QCOMPARE(m_dialogs->progressValues.last(), pages);
    }

    // A faulty sheet is refused with a message naming the row, and nothing
    // at all reaches the instrument.
    void faultySheet_writesNothing_data()
    {
        QTest::addColumn<QList<QVariantList>>("rows");
        QTest::addColumn<QString>("message");
        const QString tx420 = QStringLiteral("TX420");
        const QList<Card> twoCards{{QStringLiteral("A"), QStringLiteral("B"), 3, 1}, {QStringLiteral("C"), QStringLiteral("D"), 2, 0}};
        const QList<QVariantList> good = librarySheet(tx420, twoCards, 54);
        const auto countRow = [](int count) {
            QByteArray bytes;
            putU16le(bytes, static_cast<quint16>(count));
            return QVariantList{double(count), double(standardColorChecksum(bytes))};
        };
        const auto changed = [&good](int row, int column, const QVariant& value) {
            QList<QVariantList> rows = good;
            rows[row][column] = value;
            return rows;
        };

        QTest::newRow("52 used rows for S=5") << librarySheet(tx420, twoCards, 52)
                                             << "Error in Excel file with not enough rows of standard color cards!";
        QTest::newRow("other model") << librarySheet(QStringLiteral("TX450"), twoCards, 54)
                                     << "The written contents do not match and cannot be written!";
        QTest::newRow("only A1") << QList<QVariantList>{{tx420}}
                                 << "Row 2 must hold the number of standard color cards and its checksum, but the sheet ends at row 1.";
        const int cardSum = good[3][4].toInt() + 1;
        QTest::newRow("card checksum") << changed(3, 4, cardSum)
                                       << QStringLiteral("Row 4: the checksum \"%1\" does not match the standard color card.").arg(cardSum);
        QTest::newRow("count checksum") << changed(1, 1, 1.0)
                                        << "Row 2: the checksum \"1\" does not match the number of standard color cards.";
        QTest::newRow("count beyond the card rows") << QList<QVariantList>{good[0], countRow(3), good[2], good[3]}
                                                    << "Row 5 should hold standard color card 3, but the sheet ends at row 4.";
        QList<QVariantList> tooMany = good;
        tooMany[1] = countRow(48);
        QTest::newRow("48 cards") << tooMany
                                  << "Row 2: the number of standard color cards must be a whole number from 0 to 47, not \"48\".";
        QTest::newRow("data name of 21 bytes") << changed(49, 0, QStringLiteral("一二三四五六七"))
                                               << "Row 50: the name \"一二三四五六七\" takes more than 20 bytes.";
        QTest::newRow("value beyond 16 bits") << changed(51, 2, 700.0)
                                              << "Row 52: \"700\" in column C is no number from -327.68 to 655.35.";
        QTest::newRow("value no number") << changed(52, 1, QStringLiteral("n/a"))
                                         << "Row 53: \"n/a\" in column B is no number from -327.68 to 655.35.";
    }
    void faultySheet_writesNothing()
    {
        QFETCH(QList<QVariantList>, rows);
        QFETCH(QString, message);
        saveSheet(m_path, rows);
        const qsizetype framesBefore = m_access->emulator().receivedFrames().size();
        QCOMPARE(upload(m_path, QStringLiteral("TX420"), QStringLiteral("Error"), message), StandardColorUploadResult::SheetRefused);
        QCOMPARE(m_access->emulator().receivedFrames().size(), framesBefore);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("refuseTransfer");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("result");
        QTest::newRow("another file name") << "StdColor copy.xlsx" << false
                                           << "File error, cannot read StdColor copy.xlsx: a standard-colour workbook must be named StdColor.xlsx."
                                           << int(StandardColorUploadResult::WrongFileName);
        QTest::newRow("not connected") << "StdColor.xlsx" << false << "Please connect the device first!"
                                       << int(StandardColorUploadResult::NotConnected);
        QTest::newRow("transfer refused") << "StdColor.xlsx" << true << "Failed to write!" << int(StandardColorUploadResult::EndFailed);
        QTest::newRow("not a workbook") << "StdColor.xlsx" << false << "Can't open file!" << int(StandardColorUploadResult::CannotOpen);
    }
    void refusals()
    {
        QFETCH(QString, fileName);
        QFETCH(bool, refuseTransfer);
        QFETCH(QString, message);
        QFETCH(int, result);
        const QString path = m_dir.filePath(fileName);
        if (QTest::currentDataTag() == QByteArray("not a workbook")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("PK\x03\x04 not really");
        } else {
            saveSheet(path, librarySheet(QStringLiteral("TX420"), {{QStringLiteral("A"), QStringLiteral("B"), 1, 0}}, 50));
        }
        m_access->instrument().setRefuseBlockTransfer(refuseTransfer);
        if (result == int(StandardColorUploadResult::NotConnected)) { // refused before any file is asked for
            m_access->unplug();
            m_dialogs->expectMessage(QStringLiteral("Error"), message);
            QCOMPARE(StandardColorUpload::run(*m_access, *m_dialogs, nullptr, QStringLiteral("TX420")), StandardColorUploadResult::NotConnected);
        } else {
            QCOMPARE(int(upload(path, QStringLiteral("TX420"), QStringLiteral("Error"), message)), result);
        }
    }

    // A library LibreOffice saved from CSV uploads like one of ours.
    void libreOfficeLibrary_uploads()
    {
        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (soffice.isEmpty()) {
            QSKIP("soffice (libreoffice-calc-nogui) is not installed: the LibreOffice-made library is not checked");
        }
        const QList<QVariantList> rows = librarySheet(QStringLiteral("TX420"),
                                                      {{QStringLiteral("红"), QStringLiteral("B"), 3, 9}, {QStringLiteral("C"), QString(), 2, 0}}, 54);
        QFile csv(m_dir.filePath(QStringLiteral("StdColor.csv")));
        QVERIFY(csv.open(QIODevice::WriteOnly));
        for (const QVariantList& row : rows) {
            QStringList cells;
            for (const QVariant& cell : row) {
                cells << (cell.typeId() == QMetaType::Double ? QString::number(cell.toDouble(), 'g', 17) : cell.toString());
            }
            csv.write(cells.join(u',').toUtf8() + '\n');
        }
        csv.close();
        QFile::remove(m_path);
        QProcess office;
        office.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + m_dir.filePath(QStringLiteral("profile")),
                               QStringLiteral("--headless"), QStringLiteral("--infilter=CSV:44,34,76"),
                               QStringLiteral("--convert-to"), QStringLiteral("xlsx"), QStringLiteral("--outdir"), m_dir.path(),
                               csv.fileName()});
        QVERIFY(office.waitForFinished(90000));
        QVERIFY2(QFile::exists(m_path), office.readAllStandardError().constData());
        QCOMPARE(upload(m_path), StandardColorUploadResult::Written);
        QCOMPARE(m_access->instrument().standardColorCount(), 2);
        const QByteArray stream = m_access->instrument().standardColorStream();
        QCOMPARE(stream.size(), 5 * 26);
        QCOMPARE(qint16(getU16le(stream, 100 + 2)), qint16(-5));
    }

    // Standards from a CGATS or CxF3 file of any name make one card named
    // after the file; a file the strict readers refuse, or standards the
    // library cannot hold, are refused before anything is sent.
    void exchangeFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("message"); // empty: written
        QTest::newRow("CGATS") << QStringLiteral("标准 A.ti3") << QString() << QString();
        QTest::newRow("CGATS as .txt") << QStringLiteral("lab.txt") << QString() << QString();
        QTest::newRow("CxF3") << QStringLiteral("standards.cxf") << QString() << QString();
        QTest::newRow("CxF3 for D50") << QStringLiteral("d50.cxf") << QStringLiteral("D50")
                                      << QStringLiteral("line 10: Object \"S1\": its ColorCIELab is for D50/10_Degree; "
                                                        "standards need D65/10_Degree");
        QTest::newRow("CGATS comma") << QStringLiteral("comma.ti3") << QStringLiteral("comma")
                                     << QStringLiteral("line 21: D65LAB_L value \"50,12\" has a comma as its decimal "
                                                       "mark; CGATS numbers use a point");
        QTest::newRow("long name") << QStringLiteral("long.ti3") << QStringLiteral("long")
                                   << QStringLiteral("the name of standard \"名字太长了名字太长了\" takes more than 20 bytes");
        QTest::newRow("spectra only") << QStringLiteral("spectra.ti3") << QStringLiteral("spectra")
                                      << QStringLiteral("standard \"s\" has no L*a*b* values for D65/10°");
    }
    void exchangeFile()
    {
        QFETCH(QString, name);
        QFETCH(QString, fault);
        QFETCH(QString, message);
        formats::ExchangeDocument document;
        document.created = QDateTime(QDate(2026, 12, 8), QTime(16, 0));
        const double values[2][3] = {{100.0, 0.0, 0.0}, {50.12, -3.45, 7.8}};
        for (int i = 0; i < 2; ++i) {
            formats::ExchangeSample sample;
            sample.id = QStringLiteral("S%1").arg(i + 1);
            sample.name = i == 0 ? QStringLiteral("白") : QStringLiteral("红 1");
            sample.hasLab = fault != QLatin1String("spectra");
            sample.hasSpectrum = !sample.hasLab;
            sample.l = values[i][0];
            sample.a = values[i][1];
            sample.b = values[i][2];
            document.samples << sample;
        }
        if (fault == QLatin1String("long")) {
            document.samples[1].name = QStringLiteral("名字太长了名字太长了");
        } else if (fault == QLatin1String("spectra")) {
            document.samples[0].name = QStringLiteral("s");
        }
        const QString path = m_dir.filePath(name);
        QVERIFY(name.endsWith(QLatin1String(".cxf")) ? formats::writeCxfFile(document, path)
                                                     : formats::writeCgatsFile(document, path));
        if (!fault.isEmpty() && (fault == QLatin1String("D50") || fault == QLatin1String("comma"))) {
            QByteArray bytes = contents(path);
            bytes.replace(fault == QLatin1String("D50") ? QByteArray("<cc:Illuminant>D65") : QByteArray(" 50.12 "),
                          fault == QLatin1String("D50") ? QByteArray("<cc:Illuminant>D50") : QByteArray(" 50,12 "));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        if (!message.isEmpty()) {
            const qsizetype framesBefore = m_access->emulator().receivedFrames().size();
            QCOMPARE(upload(path, QStringLiteral("TX420"), QStringLiteral("Error"),
                            QStringLiteral("The standards in %1 cannot be read: %2").arg(name, message)),
                     StandardColorUploadResult::SheetRefused);
            QCOMPARE(m_access->emulator().receivedFrames().size(), framesBefore);
            return;
        }
        QCOMPARE(upload(path), StandardColorUploadResult::Written);
        VirtualInstrument& instrument = m_access->instrument();
        QCOMPARE(instrument.standardColorCount(), 1);
        QCOMPARE(QString::fromUtf8(instrument.standardColorCards().value(0).nameA).remove(QChar(0)),
                 QFileInfo(name).completeBaseName());
        QCOMPARE(instrument.standardColorCards().value(0).valueA, 2);
        const QByteArray stream = instrument.standardColorStream();
        QCOMPARE(stream.size(), 2 * 26);
        QCOMPARE(stream.mid(20, 20), QStringLiteral("红 1").toUtf8().leftJustified(20, '\0'));
        QCOMPARE(int(getU16le(stream, 40)), 10000);
        QCOMPARE(qint16(getU16le(stream, 46)), qint16(5012));
        QCOMPARE(qint16(getU16le(stream, 48)), qint16(-345));
        QCOMPARE(qint16(getU16le(stream, 50)), qint16(780));
    }

    // "Write to instrument" of the library window: the chosen standards as one
    // card, sent by the same exchange; a standard without L*a*b* sends nothing.
    void libraryStandards_upload()
    {
        QList<Standard> standards;
        for (const auto& [name, l] : {std::pair{"Cap red", 41.3}, std::pair{"Cap blue", 32.0}}) {
            Standard s;
            s.name = QString::fromUtf8(name);
            s.withLab(l, -3.45, 7.8);
            standards << s;
        }
        m_dialogs->expectMessage(QStringLiteral("Information"),
                                 QStringLiteral("Write to standard color card library successfully!"));
        QCOMPARE(StandardColorUpload::runStandards(*m_access, *m_dialogs, nullptr, QStringLiteral("TX420"), standards),
                 StandardColorUploadResult::Written);
        const QByteArray stream = m_access->instrument().standardColorStream();
        QCOMPARE(m_access->instrument().standardColorCards().value(0).valueA, 2);
        QCOMPARE(stream.mid(20, 20), QByteArray("Cap blue").leftJustified(20, '\0'));
        QCOMPARE(qint16(getU16le(stream, 46)), qint16(3200));

        Standard haze;
        haze.name = QStringLiteral("Film");
        haze.values[ComparisonRecord::Haze] = 1.2;
        const qsizetype framesBefore = m_access->emulator().receivedFrames().size();
        m_dialogs->expectMessage(QStringLiteral("Error"),
                                 QStringLiteral("Nothing was written: these standards have no L*a*b* values: Film"));
        QCOMPARE(StandardColorUpload::runStandards(*m_access, *m_dialogs, nullptr, QStringLiteral("TX420"),
                                                   standards + QList<Standard>{haze}),
                 StandardColorUploadResult::SheetRefused);
        QCOMPARE(m_access->emulator().receivedFrames().size(), framesBefore);
    }

private:
    // Picks path in the open-file dialog and expects the one message box.
    StandardColorUploadResult upload(const QString& path, const QString& model = QStringLiteral("TX420"),
                                     const QString& title = QStringLiteral("Information"),
                                     const QString& message = QStringLiteral("Write to standard color card library successfully!"))
    {
        m_dialogs->answerOpenFile(path);
        m_dialogs->expectMessage(title, message);
        return StandardColorUpload::run(*m_access, *m_dialogs, nullptr, model);
    }
    static QByteArray contents(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<EmulatedAccess> m_access;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
};

QTEST_MAIN(StandardColorUploadTest)
#include "tst_StandardColorUpload.moc"
