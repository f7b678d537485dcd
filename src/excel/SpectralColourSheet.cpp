#include "SpectralColourSheet.h"

#include <QCoreApplication>

namespace {

QString text(const char* source)
{
    return QCoreApplication::translate("SpectralColourSheet", source);
}

QString number(double value)
{
    return QString::number(value, 'f', 4);
}

QString conditionsText(colorimetry::Illuminant illuminant, colorimetry::Observer observer)
{
    return colorimetry::illuminantName(illuminant) + QLatin1Char('/') + colorimetry::observerName(observer);
}

QString flag(bool inRange)
{
    return inRange ? text(QT_TRANSLATE_NOOP("SpectralColourSheet", "yes")) : text(QT_TRANSLATE_NOOP("SpectralColourSheet", "no"));
}

} // namespace

QString spectralColourSheetName()
{
    return QStringLiteral("Colour");
}

QList<QStringList> spectralColourRows(const QList<NamedSpectrum>& spectra, const colorimetry::ColourConditions& conditions)
{
    using namespace colorimetry;
    const QString dash = QStringLiteral("—");
    QList<QStringList> rows;
    rows << QStringList{text(QT_TRANSLATE_NOOP("SpectralColourSheet", "Illuminant")), illuminantName(conditions.illuminant)};
    rows << QStringList{text(QT_TRANSLATE_NOOP("SpectralColourSheet", "Observer")), observerName(conditions.observer)};
    rows << QStringList{text(QT_TRANSLATE_NOOP("SpectralColourSheet", "Weights")),
                        text(QT_TRANSLATE_NOOP("SpectralColourSheet",
                                               "ASTM E308 Table 5, 10 nm, the bands beyond 400 and 700 nm added to the end bands"))};
    rows << QStringList{text(QT_TRANSLATE_NOOP("SpectralColourSheet", "Indices")),
                        text(QT_TRANSLATE_NOOP("SpectralColourSheet", "E313 yellowness under %1, CIE whiteness and tint under %2"))
                            .arg(conditionsText(yellownessIlluminant(conditions.illuminant), conditions.observer),
                                 conditionsText(Illuminant::D65, conditions.observer))};
    rows << QStringList{};
    rows << QStringList{text(QT_TRANSLATE_NOOP("SpectralColourSheet", "No")),
                        text(QT_TRANSLATE_NOOP("SpectralColourSheet", "Name")),
                        QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z"), QStringLiteral("L*"),
                        QStringLiteral("a*"), QStringLiteral("b*"), QStringLiteral("C*"), QStringLiteral("h"),
                        QStringLiteral("x"), QStringLiteral("y"),
                        text(QT_TRANSLATE_NOOP("SpectralColourSheet", "Yellowness E313")),
                        text(QT_TRANSLATE_NOOP("SpectralColourSheet", "Yellowness in range")),
                        text(QT_TRANSLATE_NOOP("SpectralColourSheet", "CIE whiteness")),
                        text(QT_TRANSLATE_NOOP("SpectralColourSheet", "CIE tint")),
                        text(QT_TRANSLATE_NOOP("SpectralColourSheet", "Whiteness in range"))};
    int unnamed = 0;
    for (qsizetype i = 0; i < spectra.size(); ++i) {
        const NamedSpectrum& spectrum = spectra.at(i);
        const CurveColour c = curveColour(spectrum.record.values, conditions);
        QStringList row{QString::number(i + 1),
                        spectrum.name.isEmpty() ? QStringLiteral("spec%1").arg(++unnamed) : spectrum.name};
        for (const double value : {c.xyz.x, c.xyz.y, c.xyz.z, c.lab.l, c.lab.a, c.lab.b, c.lch.c, c.lch.h, c.yxy.cx, c.yxy.cy}) {
            row << number(value);
        }
        row << (c.yellowness ? number(c.yellowness->yellowness) : dash) << (c.yellowness ? flag(c.yellowness->inRange) : dash);
        row << (c.whiteness ? number(c.whiteness->whiteness) : dash) << (c.whiteness ? number(c.whiteness->tint) : dash)
            << (c.whiteness ? flag(c.whiteness->inRange) : dash);
        rows << row;
    }
    return rows;
}
