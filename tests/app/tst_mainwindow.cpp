#include "DeviceNotifier.h"
#include "FakeLink.h"
#include "FirstPageFor310.h"
#include "FirstPageForm.h"
#include "MainWindow.h"
#include "ScriptedDialogs.h"
#include "WaitUntil.h"
#include "WindowStandards.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

void tintwellInitResources();

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    std::shared_ptr<FakeInstrument> instrument;
    ManualDeviceNotifier* notifier = nullptr;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<ScriptedDialogs> dialogs;

    // In Chinese; with hiddenPartsLater as the program starts (the page's
    // hidden parts wait for the first frame).
    void makeWindow(bool hiddenPartsLater = false)
    {
        notifier = new ManualDeviceNotifier;
        window = std::make_unique<MainWindow>(
            std::make_unique<FakeLinkFactory>(instrument), notifier, *dialogs,
            MainWindow::StartLanguage{{QString(), QCoreApplication::applicationDirPath()}, true, hiddenPartsLater});
    }

    bool ledShows(const char* resource) const
    {
        auto* label = window->findChild<QLabel*>(QStringLiteral("LinkStatusLabel"));
        return label && label->pixmap().toImage() == QPixmap(QString::fromLatin1(resource)).toImage()
               && label->alignment() == (Qt::AlignHCenter | Qt::AlignVCenter);
    }

    static QString trMain(const char* text) { return QCoreApplication::translate("MainWindow", text); }

    // Each connection reads the instrument's settings and says so.
    void expectSettingsRead() { dialogs->expectMessage(QStringLiteral("信息"), QStringLiteral("读取成功！")); }

private Q_SLOTS:
    void initTestCase() { tintwellInitResources(); }

    void init()
    {
        dialogs.reset();
        dialogs = std::make_unique<ScriptedDialogs>();
        instrument = std::make_shared<FakeInstrument>();
    }

    void cleanup()
    {
        window.reset();
        const bool unused = dialogs->hasUnusedAnswers();
        dialogs.reset();
        QVERIFY2(visibleTopLevelWindows().isEmpty(), qPrintable(visibleTopLevelWindows().join(',')));
        QVERIFY(!unused);
    }

    // As the program starts: the hidden parts (the legacy layout among them)
    // are built right after the first frame, before the instrument is looked
    // for; the legacy buttons then work, each once.
    void hiddenPartsAfterFirstFrame_builtBeforeTheInstrument()
    {
        makeWindow(true);
        FirstPageForm& form = window->workspace()->form();
        QVERIFY(!form.tbData && !form.tbColorDiff && !form.loadstdBtn);
        QTest::qWait(50); // the instrument is looked for 10 ms after the start at the earliest
        QVERIFY(!window->isLinkOpen());

        expectSettingsRead();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QTRY_VERIFY(form.tbData && form.tbColorDiff && form.loadstdBtn);
        QTRY_VERIFY(window->isLinkOpen());
        QCOMPARE(form.stackedWidget_data->indexOf(form.page_oldData), 1);
        QCOMPARE(form.stackedWidget_data->currentIndex(), 0);
        QCOMPARE(form.stdmeasurementBtn->text(), QCoreApplication::translate("FirstPageFor310", "Scan Standard"));

        dialogs->answerOpenFile(QString()); // cancelled
        form.loadstdBtn->click();
        int opened = 0;
        for (const ScriptedDialogs::Shown& shown : dialogs->shown) {
            opened += shown.kind == QLatin1String("open") ? 1 : 0;
        }
        QCOMPARE(opened, 1);
        window->hide();
    }

    // The hidden parts built after the first frame (the legacy layout, the
    // parameter panel, the edits of hidden rows) move nothing: the page looks
    // the same in that frame as once they are built and as a page built at
    // once (as the screenshots and most tests build it); and they are complete.
    void hiddenPartsAfterFirstFrame_pageLooksTheSame()
    {
        instrument->attached = false;
        const auto showWindow = [this](bool later) {
            window.reset();
            makeWindow(later);
            window->resize(1600, 900);
            window->show();
            return window->workspace()->grab().toImage(); // before any event is handled
        };
        showWindow(false);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        const QImage atOnce = window->workspace()->grab().toImage();
        const QImage firstFrame = showWindow(true);
        QCOMPARE(firstFrame, atOnce);
        const FirstPageForm& form = window->workspace()->form();
        QTableWidget* display = form.tableWidget_colorDiff;
        QVERIFY(!form.tbData && !form.page_eParameter);
        QVERIFY(display->cellWidget(1, 1) && !display->cellWidget(3, 1)); // rows hidden by the display mode wait
        window->workspace()->buildHiddenParts();
        QCOMPARE(form.stackedWidget->indexOf(form.page_eParameter), 1);
        QCOMPARE(form.stackedWidget->currentWidget(), form.page_tolerance);
        QCOMPARE(form.groupBox_eParameter->title(), QCoreApplication::translate("FirstPageFor310", "\u25B3E parameter"));
        QCOMPARE(form.pushButton_readTolerance->nextInFocusChain(), form.lineEdit_formula);
        for (int row = 1; row <= 12; ++row) { // every row has its edit, in keyboard order
            auto* edit = qobject_cast<QLineEdit*>(display->cellWidget(row, 1));
            QVERIFY2(edit, qPrintable(QString::number(row)));
            QCOMPARE(edit->text(), row == 12 ? QString() : QStringLiteral("-----"));
            if (row > 1) {
                QCOMPARE(display->cellWidget(row - 1, 1)->nextInFocusChain(), edit);
            }
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest); // what the layouts make of it
        QCOMPARE(window->workspace()->grab().toImage(), firstFrame);
        window->hide();
    }

    void form_hasItsNamedWidgetsAndWorkspace()
    {
        makeWindow();
        QCOMPARE(window->size(), QSize(1333, 712));
        QVERIFY(window->isSizeGripEnabled());
        auto* stack = window->findChild<QStackedWidget*>(QStringLiteral("stackedWidget"));
        QVERIFY(stack);
        QCOMPARE(stack->currentWidget(), static_cast<QWidget*>(window->workspace()));
        auto* en = window->findChild<QPushButton*>(QStringLiteral("btnLanguageEn"));
        auto* zh = window->findChild<QPushButton*>(QStringLiteral("btnLanguageZh"));
        QVERIFY(en && zh);
        QCOMPARE(en->focusPolicy(), Qt::NoFocus);
        QCOMPARE(zh->text(), QStringLiteral("中文"));
        QVERIFY(window->styleSheet().startsWith(
            QStringLiteral("QComboBox::drop-down,QDateEdit::drop-down,QTimeEdit::drop-down,QDateTimeEdit::drop-down{width:20px;}")));
        QVERIFY(window->styleSheet().endsWith(QStringLiteral("{border-width:0px 0px 0px 3px;}")));
        QCOMPARE(mainWindowInstance(), window.get());
    }

    void escapeInAField_keepsWindowOpen_closeButtonCloses()
    {
        expectSettingsRead();
        makeWindow();
        QCOMPARE(window->windowType(), Qt::Window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto* field = new QLineEdit(window->workspace());
        field->show();
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Escape);
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QVERIFY(window->isVisible());
        QVERIFY(window->close());
        QVERIFY(!window->isVisible());
        QVERIFY(waitUntil([this] { return !dialogs->hasUnusedAnswers(); }));
    }

    // Work put after the first frame (the journal and its restore question)
    // runs once the window is painted, and before the instrument is looked
    // for, so no result can add a row ahead of it.
    void afterFirstFrame_runsAfterThePaintAndBeforeTheInstrument()
    {
        expectSettingsRead();
        makeWindow();
        bool ran = false;
        bool linkOpenWhenRan = true;
        bool exposedWhenRan = false;
        window->afterFirstFrame([&] {
            ran = true;
            linkOpenWhenRan = window->isLinkOpen();
            exposedWhenRan = window->windowHandle() && window->windowHandle()->isExposed();
        });
        QTest::qWait(50); // the instrument would be looked for by now
        QVERIFY(!ran);
        QVERIFY(!window->isLinkOpen());
        window->show();
        QVERIFY(waitUntil([&] { return ran; }));
        QVERIFY(exposedWhenRan);
        QVERIFY(!linkOpenWhenRan);
        QVERIFY(waitUntil([this] { return window->isLinkOpen(); }));
        QCOMPARE(instrument->opens, 1);
    }

    void startup_withoutInstrument_staysOffUntilArrival()
    {
        instrument->attached = false;
        makeWindow();
        QVERIFY(waitUntil([this] { return instrument->attempts > 0; }));
        QVERIFY(!window->isLinkOpen());
        QVERIFY(ledShows(":/image/led_off.png"));
        // It says where to start: plug one in, or the emulator and its models.
        auto* hint = window->findChild<QLabel*>(QStringLiteral("instrumentHintLabel"));
        QVERIFY(hint && hint->isVisibleTo(window.get()));
        QVERIFY2(hint->text().contains(QStringLiteral("USB")) && hint->text().contains(QStringLiteral("--simulate"))
                     && hint->text().contains(QStringLiteral("TX470")),
                 qPrintable(hint->text()));
        QVERIFY2(hint->text().contains(QStringLiteral("仪器")), qPrintable(hint->text())); // the window is in Chinese

        expectSettingsRead();
        instrument->attached = true;
        notifier->arrive();
        QVERIFY(window->isLinkOpen());
        QVERIFY(ledShows(":/image/led_on.png"));
        QVERIFY(!hint->isVisibleTo(window.get()));
    }

    // An instrument attached at the start is connected without a notice; a
    // second arrival, or the removal of another device, changes nothing; its
    // own removal closes and frees the link, plugging it back reconnects.
    void hotplug_followsOnlyTheInstrument()
    {
        expectSettingsRead();
        makeWindow();
        QVERIFY(!window->isLinkOpen());
        QVERIFY(waitUntil([this] { return window->isLinkOpen(); }));
        QVERIFY(window->isLedOn());
        QVERIFY(ledShows(":/image/led_on.png"));
        CLinker* link = window->currentLink();
        notifier->arrive();
        notifier->arrive();
        QCOMPARE(instrument->opens, 1);
        QCOMPARE(window->currentLink(), link);
        notifier->remove(); // another device
        QVERIFY(window->isLinkOpen());
        QVERIFY(window->isLedOn());
        QCOMPARE(instrument->closes, 0);

        instrument->attached = false;
        notifier->remove();
        QVERIFY(!window->isLinkOpen());
        QCOMPARE(window->currentLink(), nullptr);
        QCOMPARE(instrument->closes, 1);
        QCOMPARE(instrument->alive, 0); // the closed link is freed, not kept until exit
        QVERIFY(!window->isLedOn());
        QVERIFY(ledShows(":/image/led_off.png"));

        expectSettingsRead();
        instrument->attached = true;
        notifier->arrive();
        QVERIFY(window->isLinkOpen());
        QCOMPARE(instrument->opens, 2);
    }

    void transport_withoutLink_failsSend()
    {
        instrument->attached = false;
        makeWindow();
        QByteArray frame = QByteArray::fromHex("ab400f0300000800");
        QCOMPARE(window->sendFrame(frame, 1000), -1);
        QCOMPARE(frame.size(), 8); // no checksum appended
        QByteArray buffer;
        QCOMPARE(window->receiveFrame(buffer, 0, 10, false), -1);
    }

    // Qt's own texts (standard buttons, file and print dialogs) follow the language buttons too.
    static QString cancelText()
    {
        const QDialogButtonBox box(QDialogButtonBox::Cancel);
        return box.button(QDialogButtonBox::Cancel)->text();
    }
    static QString messageBoxYesText()
    {
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes);
        return box.button(QMessageBox::Yes)->text();
    }

    // With a station database set up the window reads the station's copy,
    // which refuses writes and says why; without one, the local library.
    void windowStandards_readOnlyWhenStationConfigured_data()
    {
        QTest::addColumn<bool>("configured");
        QTest::newRow("station database") << true;
        QTest::newRow("local") << false;
    }
    void windowStandards_readOnlyWhenStationConfigured()
    {
        QFETCH(bool, configured);
        QTemporaryDir dir;
        const QString local = dir.filePath(QStringLiteral("local.sqlite"));
        const QString copy = dir.filePath(QStringLiteral("copy.sqlite"));
        QString error;
        const std::unique_ptr<StandardLibrary> library = openWindowStandards(local, copy, configured, &error);
        QVERIFY2(library, qPrintable(error));
        QCOMPARE(library->isReadOnly(), configured);
        QCOMPARE(QFileInfo::exists(copy), configured);
        QCOMPARE(QFileInfo::exists(local), !configured);
        Standard standard;
        standard.name = QStringLiteral("Red 12");
        standard.withLab(40, 50, 20);
        QCOMPARE(library->add(standard, LibraryToleranceSet()).has_value(), !configured);
        QCOMPARE(library->errorText().isEmpty(), !configured);
    }

    void startsInChinese_switchesToEnglishAndBack()
    {
        makeWindow();
        QVERIFY(window->workspace()->state().chineseUi);
        QCOMPARE(trMain("Disconnected"), QStringLiteral("未连接"));
        QCOMPARE(cancelText(), QStringLiteral("取消"));
        QCOMPARE(messageBoxYesText(), QStringLiteral("是(&Y)"));

        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("btnLanguageEn")), Qt::LeftButton);
        QVERIFY(!window->workspace()->state().chineseUi);
        QCOMPARE(trMain("Disconnected"), QStringLiteral("Disconnected"));
        QVERIFY2(cancelText().contains(QStringLiteral("Cancel")), qPrintable(cancelText()));

        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("btnLanguageZh")), Qt::LeftButton);
        QVERIFY(window->workspace()->state().chineseUi);
        QCOMPARE(trMain("Disconnected"), QStringLiteral("未连接"));
        QCOMPARE(cancelText(), QStringLiteral("取消"));
    }

    void missingCatalogue_leavesLanguageAndFlagUnchanged()
    {
        makeWindow();
        QVERIFY(window->workspace()->state().chineseUi);
        QTemporaryDir empty;
        window->setCatalogueDirectories({empty.path()});
        dialogs->expectMessage(trMain("Warn"), trMain("The texts of this language (%1.qm) are not in %2: the window "
                                                      "stays in its language.")
                                                   .arg(QStringLiteral("Tintwell_en"), empty.path()));
        window->on_btnLanguageEn_clicked();
        QVERIFY(window->workspace()->state().chineseUi);
        QCOMPARE(trMain("Disconnected"), QStringLiteral("未连接"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
