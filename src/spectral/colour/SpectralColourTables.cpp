#include "SpectralColourTables.h"

#include "TristimulusWeights.h"

#include <QCoreApplication>

using namespace colorimetry;

namespace {

QString dialogText(const char* text)
{
    return QCoreApplication::translate("MeterPageFor310", text);
}

QString number(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

// An index outside the specimens its standard admits is shown in brackets.
QString indexText(double value, bool inRange)
{
    const QString text = number(value, 2);
    return inRange ? text : QStringLiteral("(%1)").arg(text);
}

} // namespace

QString verdictText(bool pass)
{
    return pass ? QCoreApplication::translate("FirstPageFor310", "PASS")
                : QCoreApplication::translate("FirstPageFor310", "NG");
}

CurveColourTable::CurveColourTable(const SpectralColourModel& model, QObject* parent)
    : QAbstractTableModel(parent), m_model(model)
{
}

int CurveColourTable::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_model.curveCount();
}

int CurveColourTable::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CurveColourTable::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_model.curveCount()) {
        return {};
    }
    const int row = index.row();
    const CurveColour& c = m_model.colour(row);
    if (role == Qt::ToolTipRole) {
        const bool outside = (index.column() == Whiteness || index.column() == Tint)
                                 ? (c.whiteness && !c.whiteness->inRange)
                                 : (index.column() == Yellowness && c.yellowness && !c.yellowness->inRange);
        return outside ? dialogText("Outside the range of specimens the index is defined for") : QVariant();
    }
    if (role == Qt::TextAlignmentRole) {
        return index.column() == Name ? int(Qt::AlignLeft | Qt::AlignVCenter) : int(Qt::AlignCenter);
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    switch (index.column()) {
    case Name:
        return m_model.name(row);
    case First:
    case Second:
    case Third: {
        // x and y of Yxy are chromaticities: four decimals.
        const bool chromaticity = m_model.curveValues() == CurveValues::Yxy && index.column() != First;
        return number(m_model.values(row)[size_t(index.column() - First)], chromaticity ? 4 : 2);
    }
    case Whiteness:
        return c.whiteness ? indexText(c.whiteness->whiteness, c.whiteness->inRange) : QStringLiteral("-");
    case Tint:
        return c.whiteness ? indexText(c.whiteness->tint, c.whiteness->inRange) : QStringLiteral("-");
    case Yellowness:
        return c.yellowness ? indexText(c.yellowness->yellowness, c.yellowness->inRange) : QStringLiteral("-");
    case LuminousY:
        return number(TristimulusWeights::standard(Illuminant::C, Observer::Cie1931TwoDegree)
                          .xyz(m_model.curve(row))
                          .y,
                      2);
    default:
        return {};
    }
}

QVariant CurveColourTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::ToolTipRole && section == LuminousY) {
        return dialogText("Y under C, 2°: the luminous transmittance of a transmittance curve, "
                          "the luminous reflectance of a reflectance curve");
    }
    if (orientation == Qt::Horizontal && role == Qt::ToolTipRole
        && (section == Whiteness || section == Tint || section == Yellowness)) {
        return section == Yellowness ? dialogText("ASTM E313 yellowness under %1")
                                           .arg(illuminantName(m_model.yellownessIlluminant()))
                                     : dialogText("CIE whiteness and tint under D65");
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return section + 1;
    }
    static const char* const values[3][3] = {{"L*", "a*", "b*"}, {"L*", "C*", "h"}, {"Y", "x", "y"}};
    switch (section) {
    case Name:
        return dialogText("Name");
    case First:
    case Second:
    case Third:
        return QString::fromLatin1(values[int(m_model.curveValues())][section - First]);
    case Whiteness:
        return dialogText("WI");
    case Tint:
        return dialogText("Tint");
    case Yellowness:
        return dialogText("YI %1").arg(illuminantName(m_model.yellownessIlluminant()));
    case LuminousY:
        return dialogText("Y C/2°");
    default:
        return {};
    }
}

void CurveColourTable::reset()
{
    beginResetModel();
    endResetModel();
}

void CurveColourTable::refresh()
{
    if (rowCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1), {Qt::DisplayRole, Qt::ToolTipRole});
    }
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

ComparisonTable::ComparisonTable(const SpectralColourModel& model, QObject* parent)
    : QAbstractTableModel(parent), m_model(model)
{
}

int ComparisonTable::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_model.comparison().size());
}

int ComparisonTable::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ComparisonTable::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        return int(Qt::AlignCenter);
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    const IlluminantDifference& d = m_model.comparison().at(size_t(index.row()));
    switch (index.column()) {
    case Illuminant:
        return d.reference ? dialogText("%1 (reference)").arg(illuminantName(d.illuminant)) : illuminantName(d.illuminant);
    case DL:
        return number(d.dL, 2);
    case Da:
        return number(d.da, 2);
    case Db:
        return number(d.db, 2);
    case DC:
        return number(d.dC, 2);
    case DH:
        return number(d.dH, 2);
    case DEab:
        return number(d.deltaEab, 2);
    case DE:
        return number(d.deltaE, 2);
    case Metamerism:
        return d.reference ? QStringLiteral("-") : number(d.metamerism, 2);
    case Result:
        // Which of the standard's limits decided (or warned), beside the verdict.
        if (!d.decidedBy.isEmpty()) {
            return d.warning ? QCoreApplication::translate("SpectralColourTables", "%1 (warning: %2)")
                                   .arg(verdictText(d.pass), d.decidedBy)
                             : QCoreApplication::translate("SpectralColourTables", "%1 (%2)")
                                   .arg(verdictText(d.pass), d.decidedBy);
        }
        return verdictText(d.pass);
    default:
        return {};
    }
}

QVariant ComparisonTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) {
        return {};
    }
    switch (section) {
    case Illuminant:
        return dialogText("Illuminant");
    case DL:
        return QStringLiteral("△L*");
    case Da:
        return QStringLiteral("△a*");
    case Db:
        return QStringLiteral("△b*");
    case DC:
        return QStringLiteral("△C*");
    case DH:
        return QStringLiteral("△H*");
    case DEab:
        return formulaText(DeltaEFormula::CieAb);
    case DE:
        return formulaText(m_model.settings().formula);
    case Metamerism:
        return dialogText("MI (%1)").arg(formulaText(m_model.settings().formula));
    case Result:
        return dialogText("Result");
    default:
        return {};
    }
}

void ComparisonTable::reset()
{
    beginResetModel();
    endResetModel();
}
