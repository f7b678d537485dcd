#pragma once
// A library standard's tolerances as data: limits on the differences of a
// sample from the standard, each deciding the verdict or only informing, and
// a warning band. Records keep a copy of the set they were judged against
// (with its id and version), so an edit of the library never changes the
// verdict of a row already taken.
//
// The text form is the command line's LIST: comma-separated limits,
//   dE00<=1.0,dL=-0.8..0.8,db=-0.3..0.6:info
// delta-E limits as `<=limit`, every other quantity as a range `low..high`
// (a single number `dL=0.8` stands for -0.8..0.8); `:info` makes a limit
// inform only.
//
// Limits on curves: `dE00@A<=2.0`, `dL@F11=-1..1` limit the difference of a
// standard's and a sample's curves under that illuminant (the spectral
// Compare view judges them); `mi<=0.5` (delta-E*ab), `mi00<=0.5` (delta-E00)
// or `mi94`, `micmc21`, ... limit the metamerism index under every test
// illuminant, `mi@F11<=0.5` under F11 only. A record, which has no curves,
// is judged by the other limits alone.

#include <QList>
#include <QString>
#include <QUuid>

#include <array>
#include <optional>

enum class DeltaEFormula;

enum class ToleranceQuantity {
    dL, da, db, dC, dH,
    dEab, dEuv, dE94, dEcmc21, dEcmc11, dEcmc141, dE00,
    Haze, T,
};
inline constexpr int kToleranceQuantityCount = 14;

// The command line's token: "dL", "da", ..., "dE00", "haze", "t".
QString toleranceQuantityToken(ToleranceQuantity quantity);
// The quantity of a token (case-insensitive); nothing for an unknown one.
std::optional<ToleranceQuantity> toleranceQuantityFromToken(const QString& token);
// Delta-E quantities have a limit (`<=`), the others a range.
bool isDeltaEQuantity(ToleranceQuantity quantity);
// The colour-difference formula of a delta-E quantity; none for the others.
std::optional<DeltaEFormula> toleranceFormula(ToleranceQuantity quantity);

struct ToleranceLimit
{
    // {quantity, low, high, decides} as before limits on curves existed.
    ToleranceLimit(ToleranceQuantity q = ToleranceQuantity::dE00, double lowBound = 0.0, double highBound = 0.0,
                   bool deciding = true)
        : quantity(q), low(lowBound), high(highBound), decides(deciding)
    {
    }

    ToleranceQuantity quantity = ToleranceQuantity::dE00;
    // A range low..high of sample minus standard (percent for haze and T).
    // Delta-E: only high counts (the sample passes with delta-E <= high);
    // low is 0.
    double low = 0.0;
    double high = 0.0;
    // false: the limit only informs; going beyond it is a warning, never NG.
    bool decides = true;
    // Under this illuminant ("A", "F11": the colorimetry engine's name), from
    // the curves; empty: of the standard's own values.
    QString illuminant;
    // A limit on the metamerism index, in the formula quantity names (a
    // delta-E quantity), from the curves.
    bool metamerism = false;

    // Judged from a standard's and a sample's curves, never on a record.
    bool onCurves() const { return metamerism || !illuminant.isEmpty(); }
    bool operator==(const ToleranceLimit& other) const
    {
        return quantity == other.quantity && low == other.low && high == other.high && decides == other.decides &&
               illuminant == other.illuminant && metamerism == other.metamerism;
    }
    bool operator!=(const ToleranceLimit& other) const { return !(*this == other); }
};

struct LibraryToleranceSet
{
    QUuid id;
    // Empty: the standard's own set; otherwise a shared set's name (unique,
    // case-insensitive).
    QString name;
    // Raised by every edit; a record names the version it was judged with.
    qint64 version = 0;
    QList<ToleranceLimit> limits;
    // A passing value beyond this percentage of its limit (of a range: of the
    // bound on the value's side) is a warning. 0: no warning band.
    double warnPercent = 0.0;

    bool isEmpty() const { return limits.isEmpty(); }
    // Same limits and band (id, name and version aside).
    bool sameLimits(const LibraryToleranceSet& other) const
    {
        return limits == other.limits && warnPercent == other.warnPercent;
    }
};

// Some limit is on the standard's own values (not on curves): a record can
// be judged by the set.
bool hasValueLimits(const QList<ToleranceLimit>& limits);
// The limit's token as the LIST writes it: "dE00", "dE00@A", "mi", "mi00@F11".
QString toleranceLimitToken(const ToleranceLimit& limit);
// value beyond the limit (a delta-E or index above it, a difference outside
// the range), with the noise margin judging uses.
bool toleranceLimitExceeded(const ToleranceLimit& limit, double value);

// The LIST text of the limits ("dE00<=1,dL=-0.8..0.8,db=-0.3..0.6:info");
// numbers in the shortest form that reads back the same.
QString formatToleranceLimits(const QList<ToleranceLimit>& limits);

struct ToleranceParse
{
    QList<ToleranceLimit> limits;
    // Empty when the text was read; else what is wrong, translated, naming
    // the offending item.
    QString error;
    bool ok() const { return error.isEmpty(); }
};
// Reads a LIST. Strict: an unknown quantity, a missing or non-finite number,
// a range whose low is above its high, a negative delta-E limit, a quantity
// given twice, an empty item or an unknown suffix are errors; so are an
// unknown illuminant after @, a metamerism index as a range, and haze, T or
// delta-E*uv under an illuminant (a curve pair has no instrument's white). An empty text
// is an empty list.
ToleranceParse parseToleranceLimits(const QString& text);
// A warning band from the command line's --warn: a number from 0 up to
// (not including) 100; nothing otherwise.
std::optional<double> parseWarnPercent(const QString& text);

// What the record knows of the library standard it was judged against.
// standardId null: no library standard; the instrument's tolerances judge
// as they always have.
struct LibraryJudgement
{
    QUuid standardId;
    QString standardName;
    QString standardCode;
    qint64 standardVersion = 0;
    // The set in force: a copy, with its id and version.
    LibraryToleranceSet tolerances;
    // Outcome of the last judging (judgeRecord fills these in).
    bool warning = false;
    // Token of the limit that decided NG, or that warned; empty if none.
    QString decidedBy;

    bool inUse() const { return !standardId.isNull(); }
};

// The differences a set judges, indexed by ToleranceQuantity; NaN where not
// known.
using ToleranceDifferences = std::array<double, kToleranceQuantityCount>;

struct ToleranceOutcome
{
    bool pass = true;
    bool warning = false;
    // The limit that decided NG (the first deciding limit exceeded, in the
    // set's order) or, on a PASS, the first that warned; nothing otherwise.
    std::optional<ToleranceQuantity> decidedBy;
};

// The verdict of differences against a set: NG when a deciding limit is
// exceeded or its quantity is not known (what was not compared never
// passes); a PASS is a warning when a deciding limit's value lies beyond the
// warning band, or an informing limit's value beyond its band or its limit.
// A value equal to a bound passes, with the same 1e-9 noise margin as the
// instrument's tolerances. An empty set passes. Limits on curves are left
// out.
ToleranceOutcome judgeAgainstSet(const LibraryToleranceSet& set, const ToleranceDifferences& differences);
