#include "MainWindow.h"

#include "Dialogs.h"

#include "CLinker.h"
#include "DeviceChanges.h"
#include "DeviceNotifier.h"
#include "EmulatorModel.h"
#include "FirstPageFor310.h"
#include "RecordTables.h"
#include "ComparisonRecordList.h"
#include "InstrumentPanel.h"
#include "InstrumentIds.h"
#include "InstrumentLink.h"
#include "JournalKeeper.h"
#include "LinkFactory.h"
#include "LinkTransport.h"
#include "StartupTrace.h"
#include "StandardLibrary.h"
#include "StandardPickerPanel.h"
#include "StationConfig.h"
#include "StationStatus.h"
#include "WindowStandards.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLibraryInfo>
#include <QLoggingCategory>
#include <QPixmap>
#include <QPushButton>
#include <QResizeEvent>
#include <QSizeGrip>
#include <QSpacerItem>
#include <QStackedWidget>
#include <QTimer>
#include <QWindow>

Q_LOGGING_CATEGORY(lcMain, "tintwell.app")

namespace {

MainWindow* g_mainWindow = nullptr;

constexpr int kFirstFrameFallbackMs = 3000;

QString windowStyleSheet()
{
    QStringList qss;
    qss << QString("QComboBox::drop-down,QDateEdit::drop-down,QTimeEdit::drop-down,QDateTimeEdit::drop-down{width:%1px;}")
               .arg(20);
    qss << QString("QComboBox::down-arrow,QDateEdit[calendarPopup=\"true\"]::down-arrow,QTimeEdit[calendarPopup=\"true\"]::down-arrow,QDateTimeEdit[calendarPopup=\"true\"]::down-arrow{width:%1px;height:%1px;right:2px;}")
               .arg(10);
    qss << QString("QRadioButton::indicator{width:%1px;height:%1px;}").arg(15);
    qss << QString("QCheckBox::indicator,QGroupBox::indicator,QTreeWidget::indicator,QListWidget::indicator{width:%1px;height:%1px;}")
               .arg(13);
    qss << QString("QScrollBar:horizontal{min-height:%1px;border-radius:%2px;}QScrollBar::handle:horizontal{border-radius:%2px;}QScrollBar:vertical{min-width:%1px;border-radius:%2px;}QScrollBar::handle:vertical{border-radius:%2px;}")
               .arg(12)
               .arg(6);
    qss << QString("QWidget#widget_top>QToolButton:pressed,QWidget#widget_top>QToolButton:hover,QWidget#widget_top>QToolButton:checked,QWidget#widget_top>QLabel:hover{border-width:0px 0px %1px 0px;}")
               .arg(3);
    qss << QString("QWidget#widgetleft>QPushButton:checked,QWidget#widgetleft>QToolButton:checked,QWidget#widgetleft>QPushButton:pressed,QWidget#widgetleft>QToolButton:pressed{border-width:0px 0px 0px %1px;}")
               .arg(3);
    return qss.join(QString());
}

} // namespace

MainWindow* mainWindowInstance()
{
    return g_mainWindow;
}

MainWindow::MainWindow(std::unique_ptr<LinkFactory> linkFactory, DeviceNotifier* deviceNotifier, Dialogs& modalSeam,
                       QWidget* parent)
    : MainWindow(std::move(linkFactory), deviceNotifier, modalSeam,
                 StartLanguage{{QString(), QCoreApplication::applicationDirPath()}, true}, parent)
{
}

MainWindow::MainWindow(std::unique_ptr<LinkFactory> linkFactory, DeviceNotifier* deviceNotifier, Dialogs& modalSeam,
                       const StartLanguage& language, QWidget* parent)
    : QWidget(parent),
      dialogs(modalSeam),
      ui(std::make_unique<Ui>()),
      factory(std::move(linkFactory)),
      linkTransport(std::make_unique<LinkTransport>()),
      instrumentLink(std::make_unique<InstrumentLink>(linkTransport.get())),
      deviceChanges(std::make_unique<DeviceChanges>(instrumentLink->linkMutex(), this,
                                                    DeviceChanges::Handlers{[this] { handleRemoval(); },
                                                                            [this] { handleArrival(); }})),
      notifier(deviceNotifier)
{
    g_mainWindow = this;
    catalogueDirs = language.catalogueDirectories;
    // The catalogue goes in before any widget exists: every text is set once,
    // already translated, and installing it restyles and retranslates nothing.
    translator = loadCatalogue(language.chinese ? QStringLiteral("Tintwell_zh") : QStringLiteral("Tintwell_en"));
    if (translator) {
        QCoreApplication::installTranslator(translator.get());
        installQtCatalogue(language.chinese);
    }
    startupTrace::mark("language");
    hiddenPartsLater = language.hiddenPartsAfterFirstFrame;
    setupUi();
    QMetaObject::connectSlotsByName(this);
    startupTrace::mark("window frame");
    initForm();
    if (translator) {
        page->panel().setChineseUi(language.chinese);
    }
    startupTrace::mark("workspace page");
    if (notifier) {
        notifier->setParent(this);
        connect(notifier, &DeviceNotifier::deviceArrived, this, &MainWindow::onDeviceArrived);
        connect(notifier, &DeviceNotifier::deviceRemoved, this, &MainWindow::onDeviceRemoved);
    }
    // Registration and the first connection attempt run once the event loop does.
    QTimer::singleShot(10, this, &MainWindow::initusbport);
    // Sending to the station database starts once the window is up (the key
    // store may take a moment to answer).
    QTimer::singleShot(50, stationStatus, &StationStatus::start);
}

MainWindow::~MainWindow()
{
    CloseUSB();
    // The page (and its receive worker) goes before the link it was given.
    delete page;
    page = nullptr;
    if (g_mainWindow == this) {
        g_mainWindow = nullptr;
    }
}

void MainWindow::setupUi()
{
    setObjectName(QStringLiteral("MainWindow"));
    resize(1333, 712);
    sizeGrip = new QSizeGrip(this);
    sizeGrip->setObjectName(QStringLiteral("sizeGrip"));

    ui->gridLayout = new QGridLayout(this);
    ui->gridLayout->setObjectName(QStringLiteral("gridLayout"));

    ui->LinkStatusLabel = new QLabel(this);
    ui->LinkStatusLabel->setObjectName(QStringLiteral("LinkStatusLabel"));
    ui->LinkStatusLabel->setMaximumHeight(30);
    ui->gridLayout->addWidget(ui->LinkStatusLabel, 0, 0);


    ui->btnLanguageEn = new QPushButton(this);
    ui->btnLanguageEn->setObjectName(QStringLiteral("btnLanguageEn"));
    ui->btnLanguageEn->setCursor(Qt::ArrowCursor);
    ui->btnLanguageEn->setFocusPolicy(Qt::NoFocus);
    ui->gridLayout->addWidget(ui->btnLanguageEn, 0, 2);

    ui->btnLanguageZh = new QPushButton(this);
    ui->btnLanguageZh->setObjectName(QStringLiteral("btnLanguageZh"));
    ui->btnLanguageZh->setCursor(Qt::ArrowCursor);
    ui->btnLanguageZh->setFocusPolicy(Qt::NoFocus);
    ui->gridLayout->addWidget(ui->btnLanguageZh, 0, 3);

    ui->stackedWidget = new QStackedWidget(this);
    ui->stackedWidget->setObjectName(QStringLiteral("stackedWidget"));
    ui->stackedWidget->setBaseSize(33, 24);
    ui->stackedWidget->setStyleSheet(QString());
    ui->gridLayout->addWidget(ui->stackedWidget, 1, 0, 1, 4);

    // The station database's line (the button, and the link state once
    // configured) sits in the top row between the LED and the language buttons,
    // where it adds no height: the window still fits a 900-pixel-high screen.
    stationStatus = new StationStatus(dialogs, this);
    stationStatus->setMaximumHeight(30);
    // Beside the LED while no instrument is connected: where to start. It
    // gives way to a narrow window (its tooltip holds the whole text).
    ui->instrumentHintLabel = new QLabel(this);
    ui->instrumentHintLabel->setObjectName(QStringLiteral("instrumentHintLabel"));
    ui->instrumentHintLabel->setMaximumHeight(30);
    ui->instrumentHintLabel->setMinimumWidth(1);
    auto* topRow = new QHBoxLayout;
    topRow->setContentsMargins(0, 0, 0, 0);
    topRow->addWidget(ui->instrumentHintLabel);
    topRow->addWidget(stationStatus, 1);
    ui->gridLayout->addLayout(topRow, 0, 1);

    ui->gridLayout->setRowStretch(0, 1);
    ui->gridLayout->setRowStretch(1, 30);
    ui->gridLayout->setColumnStretch(0, 1);
    ui->gridLayout->setColumnStretch(1, 30);
    ui->gridLayout->setColumnStretch(2, 4);
    ui->gridLayout->setColumnStretch(3, 4);

    retranslateUi();
}

void MainWindow::retranslateUi()
{
    ui->btnLanguageEn->setText(QCoreApplication::translate("MainWindow", "English"));
    ui->btnLanguageZh->setText(QCoreApplication::translate("MainWindow", "中文"));
    ui->btnLanguageZh->setToolTip(QString());
    ui->LinkStatusLabel->setToolTip(ledOn ? QCoreApplication::translate("MainWindow", "Connected")
                                          : QCoreApplication::translate("MainWindow", "Disconnected"));
    const QString hint = QCoreApplication::translate("MainWindow", "No instrument: plug one in over USB, or start "
                                                                   "Tintwell with --simulate MODEL (%1).")
                             .arg(emulatorModelNames().join(QStringLiteral(", ")));
    ui->instrumentHintLabel->setText(ledOn ? QString() : hint);
    ui->instrumentHintLabel->setToolTip(ledOn ? QString() : hint);
    ui->instrumentHintLabel->setVisible(!ledOn);
}

void MainWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateUi();
    }
    QWidget::changeEvent(event);
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    // Escape must not reach anything that could close the window.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const QSize hint = sizeGrip->sizeHint();
    sizeGrip->setGeometry(width() - hint.width(), height() - hint.height(), hint.width(), hint.height());
    sizeGrip->raise();
}

bool MainWindow::isSizeGripEnabled() const
{
    return sizeGrip && !sizeGrip->isHidden();
}

void MainWindow::initForm()
{
    // The window's flags and style sheet come before the page: a style sheet
    // set on a parent restyles every child it already has, and the page has
    // hundreds.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint
                   | Qt::WindowCloseButtonHint);
    setStyleSheet(windowStyleSheet());
    // Built inside its stack: moving a styled tree to another parent restyles it.
    page = new FirstPageFor310(*instrumentLink, dialogs, ui->stackedWidget,
                               hiddenPartsLater ? FirstPageFor310::HiddenParts::Later
                                                 : FirstPageFor310::HiddenParts::Now);
    ui->stackedWidget->addWidget(page);
    ui->stackedWidget->setCurrentWidget(page);
    if (hiddenPartsLater) {
        // Before every later step: the journal may restore legacy rows.
        afterFirstFrame([this] {
            page->buildHiddenParts();
            startupTrace::mark("hidden parts (built after the first frame)");
        });
    }
}

void MainWindow::startJournal(const QString& path)
{
    page->tables().startJournal(path);
    const bool first = journalPath.isEmpty();
    journalPath = path;
    openStandards(StationConfig::loadSaved().isConfigured());
    if (first) {
        connectStandards();
    }
    if (JournalKeeper* keeper = page->tables().journal()) {
        connect(keeper, &JournalKeeper::journaled, stationStatus, &StationStatus::recordsJournaled);
    }
}

void MainWindow::connectStandards()
{
    // A station database set up or given up in its dialog: the other library.
    connect(stationStatus, &StationStatus::configurationApplied, this, [this] {
        if (!standards || standards->isReadOnly() != stationStatus->keepsLibraryCopy()) {
            openStandards(stationStatus->keepsLibraryCopy());
        }
    });
    // The station's sync wrote the copy: the picker and the library window read it again.
    connect(stationStatus, &StationStatus::standardsCopied, this, [this] {
        if (standards && standards->isReadOnly()) {
            if (!standards->reload()) {
                qCWarning(lcMain) << "library of standards not read again:" << standards->errorText();
            }
            page->panel().standards().libraryReloaded();
        }
    });
}

void MainWindow::openStandards(bool stationConfigured)
{
    // Without a library the picker stays off, saying so.
    QString error;
    std::unique_ptr<StandardLibrary> opened =
        openWindowStandards(QFileInfo(journalPath).dir().filePath(QStringLiteral("standards.sqlite")),
                            StandardLibrary::defaultPath(), stationConfigured, &error);
    if (!opened) {
        qCWarning(lcMain) << "library of standards not opened:" << error;
    }
    // The page lets go of the old library before it goes.
    page->panel().standards().setLibrary(opened.get());
    page->tables().setStandards(opened.get());
    standards = std::move(opened);
}

void MainWindow::afterFirstFrame(std::function<void()> step)
{
    if (firstFrameSteps.empty()) {
        qApp->installEventFilter(this);
        // A window that is never exposed (started minimised) still gets its steps.
        QTimer::singleShot(kFirstFrameFallbackMs, this, &MainWindow::runFirstFrameSteps);
    }
    firstFrameSteps.push_back(std::move(step));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Expose && !firstFrameSteps.empty() && windowHandle()
        && watched == windowHandle() && windowHandle()->isExposed()) {
        // Handled here first, so that the steps follow the painted frame.
        watched->event(event);
        startupTrace::mark("first frame");
        runFirstFrameSteps();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::runFirstFrameSteps()
{
    if (firstFrameSteps.empty()) {
        return;
    }
    qApp->removeEventFilter(this);
    const std::vector<std::function<void()>> steps = std::move(firstFrameSteps);
    firstFrameSteps.clear();
    for (const auto& step : steps) {
        step();
    }
    if (usbWaitsForFirstFrame) {
        usbWaitsForFirstFrame = false;
        initusbport();
    }
}

void MainWindow::initusbport()
{
    if (!firstFrameSteps.empty()) {
        // The journal (and whatever else waits for the first frame) comes
        // before any result of the instrument can add a row.
        usbWaitsForFirstFrame = true;
        return;
    }
    showLed(false);
    if (notifier && !notifier->start()) {
        qCWarning(lcMain) << "device notifications unavailable; plug-in will not be noticed";
    }
    OpenUSB();
}

void MainWindow::showLed(bool on)
{
    ledOn = on;
    ui->LinkStatusLabel->setPixmap(QPixmap(on ? QStringLiteral(":/image/led_on.png")
                                              : QStringLiteral(":/image/led_off.png")));
    ui->LinkStatusLabel->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    retranslateUi();
}

std::unique_ptr<QTranslator> MainWindow::loadCatalogue(const QString& catalogue) const
{
    auto next = std::make_unique<QTranslator>();
    const bool loaded = std::any_of(catalogueDirs.cbegin(), catalogueDirs.cend(),
                                    [&](const QString& dir) { return next->load(catalogue, dir); });
    if (!loaded) {
        qCDebug(lcMain) << "catalogue not found:" << catalogue << catalogueDirs;
        return nullptr;
    }
    return next;
}

void MainWindow::installQtCatalogue(bool chinese)
{
    if (qtTranslator) {
        QCoreApplication::removeTranslator(qtTranslator.get());
        qtTranslator.reset();
    }
    if (!chinese) {
        return; // Qt's own texts are English already
    }
    // Debian's qt6-translations-l10n; without it Qt's dialogs stay in English.
    auto next = std::make_unique<QTranslator>();
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!next->load(QStringLiteral("qtbase_zh_CN"), dir)) {
        qCWarning(lcMain) << "Qt's own Chinese texts (qtbase_zh_CN.qm) not found in" << dir;
        return;
    }
    qtTranslator = std::move(next);
    QCoreApplication::installTranslator(qtTranslator.get());
}

bool MainWindow::switchLanguage(const QString& catalogue, bool chinese)
{
    // Load into a fresh translator: a catalogue that does not load must leave
    // the language in force untouched.
    std::unique_ptr<QTranslator> next = loadCatalogue(catalogue);
    if (!next) {
        dialogs.warning(this, tr("Warn"),
                        tr("The texts of this language (%1.qm) are not in %2: the window stays in its language.")
                            .arg(catalogue, catalogueDirs.join(QStringLiteral(", "))));
        return false;
    }
    if (translator) {
        QCoreApplication::removeTranslator(translator.get());
    }
    translator = std::move(next);
    QCoreApplication::installTranslator(translator.get());
    installQtCatalogue(chinese);
    page->state().chineseUi = chinese;
    page->languageChange();
    return true;
}

void MainWindow::on_btnLanguageEn_clicked()
{
    switchLanguage(QStringLiteral("Tintwell_en"), false);
}

void MainWindow::on_btnLanguageZh_clicked()
{
    switchLanguage(QStringLiteral("Tintwell_zh"), true);
}

void MainWindow::handleAppMessage(const QString& message)
{
    Q_UNUSED(message)
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

bool MainWindow::isLinkOpen() const
{
    return linkTransport->isLinkOpen();
}

int MainWindow::sendFrame(QByteArray& frame, int timeoutMs)
{
    return linkTransport->sendFrame(frame, timeoutMs);
}

int MainWindow::receiveFrame(QByteArray& buffer, int timeoutMs, int expectedLen, bool checkChecksum)
{
    return linkTransport->receiveFrame(buffer, timeoutMs, expectedLen, checkChecksum);
}

void MainWindow::delayMs(int ms)
{
    linkTransport->delayMs(ms);
}

Transport& MainWindow::transport()
{
    return *linkTransport;
}

bool MainWindow::OpenUSB()
{
    if (link || !factory) {
        return false;
    }
    link = factory->openLink(kInstrumentVendorId, kInstrumentProductId);
    if (!link) {
        return false;
    }
    linkTransport->setLink(link.get());
    showLed(true);
    page->openThreadSlot();
    page->onDeviceConnected();
    return true;
}

void MainWindow::CloseUSB()
{
    if (!link) {
        return;
    }
    // Stop the receive worker first: once it has stopped no poll can still be
    // running inside the link, so the link can be closed and freed.
    page->closeThreadSlot();
    linkTransport->setLink(nullptr);
    link->Close();
    link.reset();
    showLed(false);
    page->clear();
}

void MainWindow::onDeviceArrived()
{
    qCDebug(lcMain) << "device arrival";
    deviceChanges->deviceArrived();
}

void MainWindow::onDeviceRemoved()
{
    qCDebug(lcMain) << "device removal";
    deviceChanges->deviceRemoved();
}

void MainWindow::handleArrival()
{
    if (!link) {
        OpenUSB();
    }
}

void MainWindow::handleRemoval()
{
    if (link && link->isDeviceGone()) {
        CloseUSB();
    }
}
