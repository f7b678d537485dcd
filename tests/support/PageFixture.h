#pragma once
// The workspace page over the emulated instrument, with the strict dialog
// double: what every page test sets up, plugs in and reads back. A test class
// derives from it, calls setUpPage() in init() and tearDownPage() in
// cleanup(). Tests that use it link tintwell_workspace and tintwell_emulator.

#include "ComparisonDisplay.h"
#include "EmulatedAccess.h"
#include "FirstPageFor310.h"
#include "InstrumentPanel.h"
#include "MeasurementSession.h"
#include "FirstPageForm.h"
#include "ScriptedDialogs.h"
#include "CsvFormat.h"

#include <QFile>

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

#include <memory>

class PageFixture
{
protected:
    // A new page over the emulated link access (nothing plugged in yet) and
    // the scripted dialogs, with the build's model table, 1400 x 900, and a
    // 20 ms pause before a pushed result's values.
    void setUpPage()
    {
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_access = std::make_unique<EmulatedAccess>(QString());
        m_page = std::make_unique<FirstPageFor310>(*m_access, *m_dialogs);
        m_page->panel().loadModelTable(QCoreApplication::applicationDirPath() + QStringLiteral("/meterno"));
        m_page->resize(1400, 900);
        m_page->session().pushedDisplayPauseMs = 20;
    }
    // Every scripted answer used and no progress dialog left open; then all goes.
    void tearDownPage()
    {
        if (m_dialogs) {
            QVERIFY2(!m_dialogs->hasUnusedAnswers(), "a scripted answer was not used");
            QCOMPARE(m_dialogs->openProgressDialogs, 0);
        }
        m_page.reset(); // before the link its worker reads
        m_access.reset();
        m_dialogs.reset();
    }

    // An instrument plugged in; a second call unplugs the first and plugs
    // the new one in. The page follows through its link access.
    void plug(const QString& model, int softwareVersion = 0)
    {
        m_access->replug(model, softwareVersion);
        QVERIFY(m_access->link().opened);
    }

    FirstPageForm& ui() { return m_page->form(); }
    InstrumentEmulator& emulator() { return m_access->emulator(); }
    VirtualInstrument& instrument() { return m_access->instrument(); }

    // The counters as "NG/PASS/total".
    QString counters()
    {
        return QStringLiteral("%1/%2/%3").arg(ui().lineEdit_unqualNum->text(), ui().lineEdit_qualNum->text(),
                                              ui().lineEdit_totalNum->text());
    }
    RecordTableView* table(bool legacy = false) { return legacy ? ui().tbData : ui().tableWidget_data; }
    int rows(bool legacy = false) { return table(legacy)->model()->rowCount(); }
    // The text of a comparison-table cell as the table shows it.
    QString rowText(int row, int column, bool legacy = false)
    {
        const QAbstractItemModel* model = table(legacy)->model();
        return model->data(model->index(row, column)).toString();
    }
    // The text of a cell of the live comparison display.
    QString liveText(int row, int column, bool legacy = false)
    {
        return ComparisonDisplay::cellText(legacy ? ui().tbColorDiff : ui().tableWidget_colorDiff, row, column);
    }

    // "Export Excel" of the shown table to the CSV file path, the rows kept;
    // the file as written, its records and display mode read back.
    struct CsvExport
    {
        QByteArray bytes;
        QList<ComparisonRecord> records;
        DisplayMode mode = DisplayMode::None;
    };
    CsvExport exportCsvKeepingRows(const QString& path)
    {
        CsvExport out;
        m_dialogs->answerSaveFile(path);
        m_dialogs->answerButton(DialogButton::No); // keep the rows
        m_dialogs->expectMessage(QStringLiteral("Storing data"), QStringLiteral("Data stored to file Success"));
        if (!m_page->on_pushButton_exportExcel_clicked())
            return out;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return out;
        out.bytes = file.readAll();
        bool chinese = false;
        if (!formats::readComparisonCsv(out.bytes, out.records, out.mode, chinese).ok)
            out.records.clear();
        return out;
    }

    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<EmulatedAccess> m_access; // the page's link access (an instrument plugged in, or none)
    std::unique_ptr<FirstPageFor310> m_page;
};
