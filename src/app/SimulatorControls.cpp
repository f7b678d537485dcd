#include "SimulatorControls.h"

#include "EmulatedLinkFactory.h"
#include "EmulatorModel.h"
#include "InstrumentEmulator.h"

#include <QAction>
#include <QEvent>
#include <QWidget>

SimulatorControls::SimulatorControls(std::shared_ptr<InstrumentEmulator> emulator, QWidget* window)
    : QObject(window), m_emulator(std::move(emulator)), m_window(window), m_baseTitle(window->windowTitle())
{
    setObjectName(QStringLiteral("simulatorControls"));
    m_measureKey = new QAction(this);
    m_measureKey->setObjectName(QStringLiteral("actionSimulatedMeasureKey"));
    m_measureKey->setShortcut(QKeySequence(Qt::Key_F8));
    m_measureKey->setShortcutContext(Qt::ApplicationShortcut);
    connect(m_measureKey, &QAction::triggered, this, &SimulatorControls::pressMeasureKey);

    m_plug = new QAction(this);
    m_plug->setObjectName(QStringLiteral("actionSimulatedPlug"));
    m_plug->setShortcut(QKeySequence(Qt::Key_F9));
    m_plug->setShortcutContext(Qt::ApplicationShortcut);
    connect(m_plug, &QAction::triggered, this, &SimulatorControls::togglePlug);

    window->addAction(m_measureKey);
    window->addAction(m_plug);
    window->installEventFilter(this);
    retranslate();
}

SimulatorControls* SimulatorControls::install(LinkFactory* factory, QWidget* window)
{
    auto* emulated = dynamic_cast<EmulatedLinkFactory*>(factory);
    if (!emulated || !window) {
        return nullptr;
    }
    return new SimulatorControls(emulated->emulator(), window);
}

void SimulatorControls::pressMeasureKey()
{
    if (!m_emulator->isPlugged()) {
        return;
    }
    m_emulator->pressMeasureKey(m_emulator->model().pushesBlockFrames());
}

void SimulatorControls::togglePlug()
{
    if (m_emulator->isPlugged()) {
        m_emulator->unplug();
    } else {
        m_emulator->plug();
    }
    retranslate();
}

bool SimulatorControls::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::LanguageChange) {
        retranslate();
    }
    return QObject::eventFilter(watched, event);
}

void SimulatorControls::retranslate()
{
    const QString model = m_emulator->model().name;
    m_measureKey->setText(tr("Press the measuring key of the simulated instrument"));
    QString title;
    if (m_emulator->isPlugged()) {
        m_plug->setText(tr("Unplug the simulated instrument"));
        title = tr("%1 - simulated %2 (F8 measuring key, F9 unplug)").arg(m_baseTitle, model);
    } else {
        m_plug->setText(tr("Plug in the simulated instrument"));
        title = tr("%1 - simulated %2, unplugged (F9 plug in)").arg(m_baseTitle, model);
    }
    // Setting the title raises no LanguageChange, so this cannot recurse.
    m_window->setWindowTitle(title);
}
