#pragma once
// A library standard as data: a product's standard colour (or haze and
// transmittance) with its tolerance set. No widgets.

#include "ComparisonRecord.h"
#include "ToleranceSet.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QUuid>

// Where a standard's values came from.
struct StandardOrigin
{
    enum class Kind { Typed, Measured, File };
    Kind kind = Kind::Typed;
    // Measured: the instrument's model and serial number and when.
    QString model;
    QString serial;
    QDateTime time;
    // File: the file it was read from.
    QString path;

    bool operator==(const StandardOrigin& o) const
    {
        return kind == o.kind && model == o.model && serial == o.serial && time == o.time && path == o.path;
    }
};

// "typed", "measured", "file" (the CSV column and the command line's JSON).
QString standardOriginToken(StandardOrigin::Kind kind);
std::optional<StandardOrigin::Kind> standardOriginFromToken(const QString& token);

inline constexpr int kStandardSpectrumBands = 31; // 400..700 nm in 10 nm steps

struct Standard
{
    // Made when the standard is added; never changes.
    QUuid id;
    // Unique in the library, case-insensitive.
    QString name;
    // Article number or barcode (optional); findByCode looks it up exactly.
    QString code;
    // The values a comparison's standard column shows, kUnknown where the
    // standard has none (L*a*b* only, or haze and T only). L*C*h and Yxy follow
    // from L*a*b* (withLab fills them in).
    ComparisonRecord::Values values = unknownValues();
    // Empty, or 31 reflectance or transmittance values in percent, 400..700 nm.
    QList<double> spectrum;
    StandardOrigin origin;
    QString note;
    // 1 when added, raised by every edit; every version stays readable.
    qint64 version = 0;
    // The set that judges against this standard: its own (a set without a
    // name) or a shared one; null: none yet (judged by the instrument).
    QUuid toleranceSetId;
    // When this version was written (UTC).
    QDateTime modified;

    static ComparisonRecord::Values unknownValues();
    bool hasLab() const;
    bool hasHaze() const;
    bool hasTransmittance() const;
    // Sets L*a*b* and the L*C*h and Yxy the instrument would show for it.
    void withLab(double l, double a, double b);
};

// The record's library fields for a comparison against standard judged by
// set (a copy, with its id and version).
LibraryJudgement libraryJudgementFor(const Standard& standard, const LibraryToleranceSet& set);
