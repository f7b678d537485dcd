#include "CsvColumns.h"

#include <algorithm>

namespace formats::csv {

namespace {

bool formulaStart(QChar c)
{
    return c == QLatin1Char('=') || c == QLatin1Char('+') || c == QLatin1Char('@') || c == QLatin1Char('\t')
           || c == QLatin1Char('\r');
}

} // namespace

bool needsGuard(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char('\'')) {
        ++i;
    }
    return i < text.size() && formulaStart(text.at(i));
}

QList<Column> currentColumns(DisplayMode displayMode)
{
    const Column stdHaze{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard Haze"), Field::Standard, R::Haze};
    const Column stdT{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard Transmittance"), Field::Standard,
                      R::Transmittance};
    const Column smpHaze{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample Haze"), Field::Sample, R::Haze};
    const Column smpT{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample Transmittance"), Field::Sample,
                      R::Transmittance};
    const Column hazeTol{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Haze Tolerance"), Field::HazeTolerance};
    const Column dHaze{kColorimeter, QT_TRANSLATE_NOOP("Colorimeter", "\u25B3Haze"), Field::HazeDifference};
    const Column tTol{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Transmittance Tolerance"),
                      Field::TransmittanceTolerance};
    const Column dT{kColorimeter, QT_TRANSLATE_NOOP("Colorimeter", "\u25B3Transmittance"),
                    Field::TransmittanceDifference};
    const Column eTol{kColorimeter, QT_TRANSLATE_NOOP("Colorimeter", "△E Thresholds"), Field::DeltaEThreshold};
    const Column dE{kColorimeter, QT_TRANSLATE_NOOP("Colorimeter", "△E"), Field::DeltaE};
    const QList<Column> lab{{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard L*"), Field::Standard, R::LabL},
                            {kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard a*"), Field::Standard, R::LabA},
                            {kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard b*"), Field::Standard, R::LabB}};
    const QList<Column> sampleLab{{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample L*"), Field::Sample, R::LabL},
                                  {kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample a*"), Field::Sample, R::LabA},
                                  {kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample b*"), Field::Sample, R::LabB}};
    QList<Column> columns{{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "NO"), Field::Sequence},
                          {kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Model"), Field::Model},
                          {kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "SN"), Field::Serial},
                          {kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Name"), Field::Name},
                          {kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Time"), Field::Time}};
    switch (displayMode) {
    case DisplayMode::HazeT:
        columns << stdHaze << stdT << smpHaze << smpT << hazeTol << dHaze << tTol << dT;
        break;
    case DisplayMode::Haze:
        columns << stdHaze << smpHaze << hazeTol << dHaze;
        break;
    case DisplayMode::Transmittance:
        columns << stdT << smpT << tTol << dT;
        break;
    case DisplayMode::Lab:
        columns << lab << sampleLab << eTol << dE;
        break;
    case DisplayMode::LCh:
        columns << Column{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard L*"), Field::Standard, R::LchL}
                << Column{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard C*"), Field::Standard, R::LchC}
                << Column{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard h"), Field::Standard, R::LchH}
                << Column{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample L*"), Field::Sample, R::LchL}
                << Column{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample C*"), Field::Sample, R::LchC}
                << Column{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample h"), Field::Sample, R::LchH} << eTol
                << dE;
        break;
    case DisplayMode::Yxy:
        columns << Column{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard Y"), Field::Standard, R::Y}
                << Column{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard x"), Field::Standard, R::X}
                << Column{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard y"), Field::Standard, R::SmallY}
                << Column{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample Y"), Field::Sample, R::Y}
                << Column{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample x"), Field::Sample, R::X}
                << Column{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample y"), Field::Sample, R::SmallY} << eTol
                << dE;
        break;
    case DisplayMode::HazeTLab:
        columns << stdHaze << stdT << lab << smpHaze << smpT << sampleLab << hazeTol << dHaze << tTol << dT << eTol << dE;
        break;
    default:
        break;
    }
    columns << Column{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Result"), Field::Result};
    return columns;
}

QList<Column> legacyColumns()
{
    return {
        {nullptr, "NO", Field::Sequence, 0, "序号"},
        {nullptr, "Model", Field::Model, 0, "型号"},
        {nullptr, "SN", Field::Serial, 0, "序列号"},
        {nullptr, "Name", Field::Name, 0, "名称"},
        {nullptr, "Time", Field::Time, 0, "时间"},
        {nullptr, "Standard L*", Field::LegacyStandard, R::LegacyL, "标准色L*"},
        {nullptr, "Standard a*", Field::LegacyStandard, R::LegacyA, "标准色a*"},
        {nullptr, "Standard b*", Field::LegacyStandard, R::LegacyB, "标准色b*"},
        {nullptr, "Standard C*", Field::LegacyStandard, R::LegacyC, "标准色C*"},
        {nullptr, "Standard h", Field::LegacyStandard, R::LegacyH, "标准色h"},
        {nullptr, "Sample L*", Field::LegacySample, R::LegacyL, "样品色L*"},
        {nullptr, "Sample a*", Field::LegacySample, R::LegacyA, "样品色a*"},
        {nullptr, "Sample b*", Field::LegacySample, R::LegacyB, "样品色b*"},
        {nullptr, "Sample C*", Field::LegacySample, R::LegacyC, "样品色C*"},
        {nullptr, "Sample h", Field::LegacySample, R::LegacyH, "样品色h"},
        {nullptr, "\u25B3E Formula", Field::Formula, 0, "\u25B3E公式"},
        {nullptr, "\u25B3E Thresholds", Field::Threshold, 0, "\u25B3E阀值"},
        {nullptr, "\u25B3E", Field::DeltaE, 0, "\u25B3E"},
        {nullptr, "Result", Field::Result, 0, "是否合格"},
    };
}

QList<Column> libraryColumns(bool legacy)
{
    if (legacy) {
        return {
            {nullptr, "Library standard", Field::LibraryStandard, 0, "库标准"},
            {nullptr, "Standard version", Field::StandardVersion, 0, "标准版本"},
            {nullptr, "Warning", Field::Warning, 0, "预警"},
            {nullptr, "Decided by", Field::DecidedBy, 0, "判定依据"},
        };
    }
    return {
        {kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Library standard"), Field::LibraryStandard},
        {kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard version"), Field::StandardVersion},
        {kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Warning"), Field::Warning},
        {kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Decided by"), Field::DecidedBy},
    };
}

bool judgedWithLibrary(const QList<ComparisonRecord>& records)
{
    return std::any_of(records.cbegin(), records.cend(),
                       [](const ComparisonRecord& r) { return !r.library.standardName.isEmpty(); });
}

QList<Column> readingsColumns(const QList<Column>& tableColumns)
{
    const bool legacy = !tableColumns.isEmpty() && !tableColumns.first().context;
    QList<Column> columns;
    if (legacy) {
        columns << Column{nullptr, "Standard n", Field::StandardCount, 0, "标准色读数次数"}
                << Column{nullptr, "Sample n", Field::SampleCount, 0, "样品色读数次数"};
    } else {
        columns << Column{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard n"), Field::StandardCount}
                << Column{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample n"), Field::SampleCount};
    }
    for (const Column& column : tableColumns) {
        const auto spread = [&](Field deviation, Field range) {
            Column sd = column;
            sd.field = deviation;
            Column r = column;
            r.field = range;
            columns << sd << r;
        };
        switch (column.field) {
        case Field::Standard: spread(Field::StandardDeviation, Field::StandardRange); break;
        case Field::Sample: spread(Field::SampleDeviation, Field::SampleRange); break;
        case Field::LegacyStandard: spread(Field::LegacyStandardDeviation, Field::LegacyStandardRange); break;
        case Field::LegacySample: spread(Field::LegacySampleDeviation, Field::LegacySampleRange); break;
        default: break;
        }
    }
    return columns;
}

namespace {

bool isDeviation(Field field)
{
    return field == Field::StandardDeviation || field == Field::SampleDeviation
           || field == Field::LegacyStandardDeviation || field == Field::LegacySampleDeviation;
}

bool isRange(Field field)
{
    return field == Field::StandardRange || field == Field::SampleRange || field == Field::LegacyStandardRange
           || field == Field::LegacySampleRange;
}

} // namespace

QString titleOf(const Column& column, bool chineseUi)
{
    const QString base = column.context ? QCoreApplication::translate(column.context, column.title)
                                        : QString::fromUtf8(chineseUi ? column.chinese : column.title);
    if (isDeviation(column.field)) {
        return column.context ? QCoreApplication::translate(kPage, "%1 SD").arg(base)
                              : (chineseUi ? QStringLiteral("%1标准差") : QStringLiteral("%1 SD")).arg(base);
    }
    if (isRange(column.field)) {
        return column.context ? QCoreApplication::translate(kPage, "%1 range").arg(base)
                              : (chineseUi ? QStringLiteral("%1极差") : QStringLiteral("%1 range")).arg(base);
    }
    return base;
}

QString englishTitleOf(const Column& column)
{
    const QString base = QString::fromUtf8(column.title);
    if (isDeviation(column.field)) {
        return QStringLiteral("%1 SD").arg(base);
    }
    if (isRange(column.field)) {
        return QStringLiteral("%1 range").arg(base);
    }
    return base;
}

QString spectralTitle(int k)
{
    return QStringLiteral("%1nm").arg(kFirstWavelengthNm + kWavelengthStepNm * k);
}

} // namespace formats::csv
