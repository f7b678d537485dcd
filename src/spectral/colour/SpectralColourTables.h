#pragma once
// The two tables of the spectral dialog's colour views as column mappings
// of a SpectralColourModel: the colour of each curve, and the comparison's
// rows. Texts are for the eye only and translated in the dialog's context
// ("MeterPageFor310"). After the model changes, the owner calls reset() (the
// rows changed) or refresh() (only values changed: cheap, the view repaints
// what it shows).

#include "SpectralColourModel.h"

#include <QAbstractTableModel>

class CurveColourTable : public QAbstractTableModel
{
    Q_OBJECT

public:
    // LuminousY: Y under C and the 2° observer, the luminous transmittance of
    // a transmittance curve (as haze measurements report it), the luminous
    // reflectance of a reflectance curve; the L*a*b* beside a transmittance
    // curve are the colour of the transmitted light.
    enum Column { Name, First, Second, Third, Whiteness, Tint, Yellowness, LuminousY, ColumnCount };

    // model must outlive the table.
    explicit CurveColourTable(const SpectralColourModel& model, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    void reset();
    void refresh();

private:
    const SpectralColourModel& m_model;
};

class ComparisonTable : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Illuminant, DL, Da, Db, DC, DH, DEab, DE, Metamerism, Result, ColumnCount };

    explicit ComparisonTable(const SpectralColourModel& model, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    void reset();

private:
    const SpectralColourModel& m_model;
};

// "PASS" or "NG", translated as the workspace's verdicts are.
QString verdictText(bool pass);
