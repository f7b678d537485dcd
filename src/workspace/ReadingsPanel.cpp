#include "ReadingsPanel.h"

#include "ComparisonColumns.h"
#include "FirstPageForm.h"
#include "InstrumentState.h"
#include "MeasurementSession.h"
#include "Readings.h"
#include "ReadingsSettings.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include <cmath>
#include <type_traits>

namespace {

using R = ComparisonRecord;

QString page(const char* text)
{
    return QCoreApplication::translate("FirstPageFor310", text);
}

struct ShownQuantity
{
    int index;
    const char* name;
};

// The values a display mode shows, with their names.
QList<ShownQuantity> shownQuantities(DisplayMode mode, bool legacy)
{
    if (legacy) {
        return {{R::LegacyL, "L*"}, {R::LegacyA, "a*"}, {R::LegacyB, "b*"}, {R::LegacyC, "C*"}, {R::LegacyH, "h"}};
    }
    const QList<ShownQuantity> lab{{R::LabL, "L*"}, {R::LabA, "a*"}, {R::LabB, "b*"}};
    switch (mode) {
    case DisplayMode::HazeT: return {{R::Haze, "Haze"}, {R::Transmittance, "T"}};
    case DisplayMode::Haze: return {{R::Haze, "Haze"}};
    case DisplayMode::Transmittance: return {{R::Transmittance, "T"}};
    case DisplayMode::LCh: return {{R::LchL, "L*"}, {R::LchC, "C*"}, {R::LchH, "h"}};
    case DisplayMode::Yxy: return {{R::Y, "Y"}, {R::X, "x"}, {R::SmallY, "y"}};
    case DisplayMode::HazeTLab: return QList<ShownQuantity>{{R::Haze, "Haze"}, {R::Transmittance, "T"}} + lab;
    default: return lab;
    }
}

int decimalsOf(const ShownQuantity& q, bool legacy)
{
    return ComparisonColumns::liveDecimals(legacy ? ComparisonColumns::Layout::Legacy : ComparisonColumns::Layout::Current,
                                           q.index);
}

QString number(double v, int decimals)
{
    return std::isfinite(v) ? QString::number(v, 'f', decimals) : QStringLiteral("-");
}

template <typename List>
QString sideSpread(const QString& side, int n, const List& readings, const QList<ShownQuantity>& quantities, bool legacy)
{
    QString text = page("%1: n = %2").arg(side).arg(n);
    if (n < 2) {
        return text;
    }
    const auto deviation = [&] {
        if constexpr (std::is_same_v<List, LegacyReadings>) {
            return legacyReadingsDeviation(readings);
        } else {
            return readingsDeviation(readings);
        }
    }();
    const auto range = [&] {
        if constexpr (std::is_same_v<List, LegacyReadings>) {
            return legacyReadingsRange(readings);
        } else {
            return readingsRange(readings);
        }
    }();
    for (const ShownQuantity& q : quantities) {
        const int decimals = decimalsOf(q, legacy);
        text += QLatin1Char('\n')
                + page("  %1: SD %2, range %3")
                      .arg(QString::fromLatin1(q.name), number(deviation[std::size_t(q.index)], decimals + 1),
                           number(range[std::size_t(q.index)], decimals));
    }
    return text;
}

} // namespace

ReadingsPanel::ReadingsPanel(FirstPageForm& form, MeasurementSession& session, const InstrumentState& state,
                             QObject* parent)
    : QObject(parent), ui(form), m_session(session), m_state(state)
{
    load();
    for (QSpinBox* box : {ui.spinBox_standardReadings, ui.spinBox_sampleReadings}) {
        connect(box, &QSpinBox::valueChanged, this, &ReadingsPanel::settingsChanged);
    }
    connect(ui.comboBox_readingsAverage, &QComboBox::currentIndexChanged, this, &ReadingsPanel::settingsChanged);
    connect(ui.doubleSpinBox_reReadAbove, &QDoubleSpinBox::valueChanged, this, &ReadingsPanel::settingsChanged);
    connect(ui.pushButton_discardReading, &QPushButton::clicked, this, [this] { m_session.discardLastReading(); });
    connect(&m_session, &MeasurementSession::readingTaken, this, &ReadingsPanel::showReading);
    connect(&m_session, &MeasurementSession::reReadAsked, this,
            [this](int target, double deltaE, double limit, bool) { showReRead(target, deltaE, limit); });
}

void ReadingsPanel::load()
{
    const ReadingsSettings settings = ReadingsSettings::loadUser();
    {
        const QSignalBlocker b1(ui.spinBox_standardReadings);
        const QSignalBlocker b2(ui.spinBox_sampleReadings);
        const QSignalBlocker b3(ui.comboBox_readingsAverage);
        const QSignalBlocker b4(ui.doubleSpinBox_reReadAbove);
        ui.spinBox_standardReadings->setValue(settings.plan.perStandard);
        ui.spinBox_sampleReadings->setValue(settings.plan.perSample);
        ui.comboBox_readingsAverage->setCurrentIndex(settings.plan.median ? 1 : 0);
        ui.doubleSpinBox_reReadAbove->setValue(settings.plan.reReadAbove);
    }
    m_session.setReadingsPlan(settings.plan);
}

void ReadingsPanel::settingsChanged()
{
    ReadingsSettings settings;
    settings.plan.perStandard = ui.spinBox_standardReadings->value();
    settings.plan.perSample = ui.spinBox_sampleReadings->value();
    settings.plan.median = ui.comboBox_readingsAverage->currentIndex() == 1;
    settings.plan.reReadAbove = ui.doubleSpinBox_reReadAbove->value();
    settings.saveUser();
    m_session.setReadingsPlan(settings.plan);
    ui.label_readingsStatus->clear();
    ui.label_readingsStatus->hide();
    ui.pushButton_discardReading->hide();
}

QString ReadingsPanel::statusText(int target, int taken, int needed, const QList<double>& mainValues, int decimals)
{
    const QString side = target == MeasurementSession::Standard ? page("Standard") : page("Sample");
    QStringList values;
    for (double v : mainValues) {
        values << number(v, decimals);
    }
    const QString head = taken >= needed ? page("%1: %2 readings taken").arg(side).arg(taken)
                                         : page("%1: reading %2 of %3").arg(side).arg(taken).arg(needed);
    return values.isEmpty() ? head : QStringLiteral("%1 \u2014 %2").arg(head, values.join(QStringLiteral(" \u00B7 ")));
}

void ReadingsPanel::retranslate()
{
    if (ui.label_readingsStatus->isHidden()) {
        return;
    }
    const Shown shown = m_shown;
    showReading(shown.target, shown.taken, shown.needed, shown.legacy);
    if (shown.reRead) {
        showReRead(shown.target, shown.deltaE, shown.limit);
    }
}

void ReadingsPanel::showReading(int target, int taken, int needed, bool legacy)
{
    m_shown = Shown{target, taken, needed, legacy, false, 0.0, 0.0};
    const MeasurementSession::PendingReadings& pending = m_session.pendingReadings();
    const ShownQuantity main = shownQuantities(m_state.displayMode, legacy).first();
    QList<double> values;
    const qsizetype count = legacy ? pending.legacyValues.size() : pending.values.size();
    for (qsizetype i = 0; i < count; ++i) {
        values << (legacy ? pending.legacyValues.at(i)[std::size_t(main.index)] : pending.values.at(i)[std::size_t(main.index)]);
    }
    QLabel* status = ui.label_readingsStatus;
    status->setStyleSheet(QString());
    status->setText(statusText(target, taken, needed, values, decimalsOf(main, legacy)));
    status->setAccessibleName(status->text());
    status->setToolTip(status->text());
    status->show();
    ui.pushButton_discardReading->setVisible(true);
    ui.pushButton_discardReading->setEnabled(count > 0 && taken < needed);
}

void ReadingsPanel::showReRead(int target, double deltaE, double limit)
{
    m_shown.reRead = true;
    m_shown.deltaE = deltaE;
    m_shown.limit = limit;
    const QString side = target == MeasurementSession::Standard ? page("Standard") : page("Sample");
    QLabel* status = ui.label_readingsStatus;
    status->setText(page("%1: readings differ by \u0394E %2, more than %3: take one more reading")
                        .arg(side, number(deltaE, 2), number(limit, 2)));
    status->setStyleSheet(QStringLiteral("color: rgb(200, 0, 0);"));
    status->setAccessibleName(status->text());
    status->setToolTip(status->text());
    status->show();
}

QString ReadingsPanel::recordToolTip(const ComparisonRecord& record)
{
    if (!hasSeveralReadings(record)) {
        return QString();
    }
    const bool legacy = record.legacy;
    const QList<ShownQuantity> quantities = shownQuantities(record.settings.displayMode, legacy);
    const QString average = record.readings.median ? page("Median of the readings") : page("Mean of the readings");
    const QString standard = legacy ? sideSpread(page("Standard"), standardReadingCount(record), record.readings.legacyStandard,
                                                 quantities, true)
                                    : sideSpread(page("Standard"), standardReadingCount(record), record.readings.standard,
                                                 quantities, false);
    const QString sample = legacy ? sideSpread(page("Sample"), sampleReadingCount(record), record.readings.legacySample,
                                               quantities, true)
                                  : sideSpread(page("Sample"), sampleReadingCount(record), record.readings.sample,
                                               quantities, false);
    return average + QLatin1Char('\n') + standard + QLatin1Char('\n') + sample;
}

QString ReadingsPanel::shownName(const ComparisonRecord& record, const QString& name)
{
    if (!hasSeveralReadings(record)) {
        return name;
    }
    return page("%1 (n=%2)").arg(name).arg(sampleReadingCount(record));
}
