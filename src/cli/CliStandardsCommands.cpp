#include "CliStandardsCommands.h"

#include "CliContext.h"
#include "CliValues.h"
#include "RecordJournal.h"
#include "StandardFiles.h"
#include "StandardLibrary.h"

#include <QFileInfo>
#include <QLocale>
#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

using R = ComparisonRecord;

QJsonValue numberOrNull(double value)
{
    return std::isfinite(value) ? QJsonValue(value) : QJsonValue();
}

QString numberText(double value)
{
    return std::isfinite(value) ? QString::number(value, 'g', QLocale::FloatingPointShortest) : QStringLiteral("-");
}

QJsonObject standardJson(const Standard& s, const StandardLibrary& library, bool full)
{
    const LibraryToleranceSet set = library.setOf(s);
    QJsonObject values;
    values.insert(QStringLiteral("L"), numberOrNull(s.values[R::LabL]));
    values.insert(QStringLiteral("a"), numberOrNull(s.values[R::LabA]));
    values.insert(QStringLiteral("b"), numberOrNull(s.values[R::LabB]));
    values.insert(QStringLiteral("haze"), numberOrNull(s.values[R::Haze]));
    values.insert(QStringLiteral("t"), numberOrNull(s.values[R::Transmittance]));
    QJsonObject tolerance;
    tolerance.insert(QStringLiteral("limits"), formatToleranceLimits(set.limits));
    tolerance.insert(QStringLiteral("warn"), set.warnPercent);
    tolerance.insert(QStringLiteral("shared"), set.name.isEmpty() ? QJsonValue() : QJsonValue(set.name));
    tolerance.insert(QStringLiteral("version"), set.id.isNull() ? QJsonValue() : QJsonValue(double(set.version)));
    QJsonObject object;
    object.insert(QStringLiteral("type"), QStringLiteral("standard"));
    object.insert(QStringLiteral("name"), s.name);
    object.insert(QStringLiteral("code"), s.code.isEmpty() ? QJsonValue() : QJsonValue(s.code));
    object.insert(QStringLiteral("version"), double(s.version));
    object.insert(QStringLiteral("values"), values);
    object.insert(QStringLiteral("tolerance"), tolerance);
    if (full) {
        object.insert(QStringLiteral("note"), s.note);
        object.insert(QStringLiteral("origin"), standardOriginToken(s.origin.kind));
        QJsonArray spectrum;
        for (const double v : s.spectrum) {
            spectrum.append(v);
        }
        object.insert(QStringLiteral("spectrum"), s.spectrum.isEmpty() ? QJsonValue() : QJsonValue(spectrum));
        object.insert(QStringLiteral("versions"), double(library.versions(s.id).size()));
        object.insert(QStringLiteral("modified"), s.modified.toString(Qt::ISODate));
    }
    return object;
}

QString setText(const LibraryToleranceSet& set)
{
    QString text = set.limits.isEmpty() ? QStringLiteral("-") : formatToleranceLimits(set.limits);
    if (set.warnPercent > 0.0) {
        text += QStringLiteral(" warn %1%").arg(numberText(set.warnPercent));
    }
    if (!set.name.isEmpty()) {
        text += QStringLiteral(" (%1)").arg(set.name);
    }
    return text;
}

// The library's refusal, said, and the usage status.
int refused(CliContext& cli, const StandardLibrary& library)
{
    cli.message(library.errorText());
    return ExitUsage;
}

std::optional<Standard> named(CliContext& cli, const StandardLibrary& library, const QString& name)
{
    std::optional<Standard> s = library.findByName(name);
    if (!s) {
        cli.message(Cli::tr("There is no standard \"%1\" in the library.").arg(name));
    }
    return s;
}

// The library and the standard its first word names (show, set, remove);
// nothing, with the exit status in status, when either is missing.
struct NamedStandard
{
    std::unique_ptr<StandardLibrary> library;
    Standard standard;
};
std::optional<NamedStandard> openNamed(CliContext& cli, int& status)
{
    std::unique_ptr<StandardLibrary> library = CliStandards::openLibrary(cli);
    if (!library) {
        status = ExitFile;
        return std::nullopt;
    }
    const std::optional<Standard> s = named(cli, *library, cli.args().positionals.value(0));
    if (!s) {
        status = ExitUsage;
        return std::nullopt;
    }
    return NamedStandard{std::move(library), *s};
}

// Applies --lab, --haze, --t, --code, --note to s; --tolerance and --warn to
// ownSet (starting from current). False with the usage said.
bool applyOptions(CliContext& cli, const StandardLibrary& library, Standard& s, const LibraryToleranceSet& current,
                  std::optional<LibraryToleranceSet>& ownSet, int& status)
{
    const CliArguments& args = cli.args();
    const auto bad = [&](const QString& text) {
        status = cli.usage(text);
        return false;
    };
    if (args.has(QStringLiteral("lab"))) {
        const QStringList parts = args.value(QStringLiteral("lab")).split(QLatin1Char(','));
        double lab[3] = {0, 0, 0};
        bool ok = parts.size() == 3;
        for (int i = 0; ok && i < 3; ++i) {
            lab[i] = parts[i].trimmed().toDouble(&ok);
            ok = ok && std::isfinite(lab[i]);
        }
        if (!ok) {
            return bad(Cli::tr("--lab takes three numbers L,a,b, not \"%1\".").arg(args.value(QStringLiteral("lab"))));
        }
        s.withLab(lab[0], lab[1], lab[2]);
    }
    for (const auto& [option, index] : {std::pair{QStringLiteral("haze"), int(R::Haze)},
                                        std::pair{QStringLiteral("t"), int(R::Transmittance)}}) {
        if (args.has(option)) {
            bool ok = false;
            const double value = args.value(option).trimmed().toDouble(&ok);
            if (!ok || !std::isfinite(value)) {
                return bad(Cli::tr("--%1 takes a number, not \"%2\".").arg(option, args.value(option)));
            }
            s.values[std::size_t(index)] = value;
        }
    }
    if (args.has(QStringLiteral("code"))) {
        s.code = args.value(QStringLiteral("code")).trimmed();
    }
    if (args.has(QStringLiteral("note"))) {
        s.note = args.value(QStringLiteral("note"));
    }
    if (args.has(QStringLiteral("shared-set"))) {
        if (args.has(QStringLiteral("tolerance")) || args.has(QStringLiteral("warn"))) {
            return bad(Cli::tr("A standard has its own --tolerance and --warn or a --shared-set, not both."));
        }
        const QString name = args.value(QStringLiteral("shared-set"));
        const std::optional<LibraryToleranceSet> shared = library.findSharedSet(name);
        if (!shared) {
            return bad(Cli::tr("There is no shared tolerance set \"%1\"; make it with standards share.").arg(name));
        }
        s.toleranceSetId = shared->id;
    }
    if (args.has(QStringLiteral("tolerance")) || args.has(QStringLiteral("warn"))) {
        LibraryToleranceSet set = current.name.isEmpty() ? current : LibraryToleranceSet();
        if (args.has(QStringLiteral("tolerance"))) {
            const ToleranceParse parsed = parseToleranceLimits(args.value(QStringLiteral("tolerance")));
            if (!parsed.ok()) {
                return bad(parsed.error);
            }
            set.limits = parsed.limits;
        }
        if (args.has(QStringLiteral("warn"))) {
            const std::optional<double> warn = parseWarnPercent(args.value(QStringLiteral("warn")));
            if (!warn) {
                return bad(Cli::tr("--warn takes a percentage from 0 up to 100, not \"%1\".")
                               .arg(args.value(QStringLiteral("warn"))));
            }
            set.warnPercent = *warn;
        }
        ownSet = set;
    }
    return true;
}

} // namespace

namespace CliStandards {

std::unique_ptr<StandardLibrary> openLibrary(CliContext& cli)
{
    const CliEnvironment& env = cli.environment();
    QString path = env.standardsPath;
    if (path.isEmpty() && !env.journalPath.isEmpty()) {
        path = QFileInfo(env.journalPath).absolutePath() + QStringLiteral("/standards.sqlite");
    }
    auto library = std::make_unique<StandardLibrary>(path);
    if (!library->open()) {
        cli.message(library->errorText());
        return nullptr;
    }
    return library;
}

std::optional<Standard> chosenStandard(CliContext& cli, StandardLibrary& library, bool& named, int& status)
{
    const CliArguments& args = cli.args();
    const bool byName = args.has(QStringLiteral("standard-name"));
    const bool byCode = args.has(QStringLiteral("standard-code"));
    named = byName || byCode;
    if (!named) {
        return std::nullopt;
    }
    if (byName && byCode) {
        status = cli.usage(Cli::tr("Name the library standard by --standard-name or by --standard-code, not both."));
        return std::nullopt;
    }
    const QString key = args.value(byName ? QStringLiteral("standard-name") : QStringLiteral("standard-code"));
    const std::optional<Standard> found = byName ? library.findByName(key) : library.findByCode(key);
    if (!found) {
        status = cli.usage(byName ? Cli::tr("There is no standard \"%1\" in the library.").arg(key)
                                  : Cli::tr("No standard in the library has the code \"%1\".").arg(key));
    }
    return found;
}

} // namespace CliStandards

int runStandardsList(CliContext& cli)
{
    const std::unique_ptr<StandardLibrary> library = CliStandards::openLibrary(cli);
    if (!library) {
        return ExitFile;
    }
    for (const Standard& s : library->standards()) {
        if (cli.json()) {
            cli.printJson(standardJson(s, *library, false));
        } else {
            cli.print(QStringLiteral("%1\t%2\tv%3\t%4")
                          .arg(s.name, s.code.isEmpty() ? QStringLiteral("-") : s.code)
                          .arg(s.version)
                          .arg(setText(library->setOf(s))));
        }
    }
    return ExitOk;
}

int runStandardsShow(CliContext& cli)
{
    int status = ExitOk;
    std::optional<NamedStandard> found = openNamed(cli, status);
    if (!found) {
        return status;
    }
    const std::unique_ptr<StandardLibrary>& library = found->library;
    std::optional<Standard> s = found->standard;
    if (cli.json()) {
        cli.printJson(standardJson(*s, *library, true));
        return ExitOk;
    }
    cli.print(QStringLiteral("name\t%1").arg(s->name));
    cli.print(QStringLiteral("code\t%1").arg(s->code.isEmpty() ? QStringLiteral("-") : s->code));
    cli.print(QStringLiteral("version\t%1 (%2 kept)").arg(s->version).arg(library->versions(s->id).size()));
    cli.print(QStringLiteral("L a b\t%1 %2 %3")
                  .arg(numberText(s->values[R::LabL]), numberText(s->values[R::LabA]), numberText(s->values[R::LabB])));
    cli.print(QStringLiteral("haze\t%1").arg(numberText(s->values[R::Haze])));
    cli.print(QStringLiteral("t\t%1").arg(numberText(s->values[R::Transmittance])));
    cli.print(QStringLiteral("spectrum\t%1").arg(s->spectrum.isEmpty() ? QStringLiteral("-")
                                                                       : QString::number(s->spectrum.size())));
    cli.print(QStringLiteral("tolerance\t%1").arg(setText(library->setOf(*s))));
    cli.print(QStringLiteral("origin\t%1").arg(standardOriginToken(s->origin.kind)));
    cli.print(QStringLiteral("note\t%1").arg(s->note));
    return ExitOk;
}

int runStandardsAdd(CliContext& cli)
{
    const std::unique_ptr<StandardLibrary> library = CliStandards::openLibrary(cli);
    if (!library) {
        return ExitFile;
    }
    Standard s;
    s.name = cli.args().positionals.value(0);
    std::optional<LibraryToleranceSet> ownSet;
    int status = ExitOk;
    if (!applyOptions(cli, *library, s, LibraryToleranceSet(), ownSet, status)) {
        return status;
    }
    const std::optional<Standard> added = library->add(s, ownSet);
    if (!added) {
        return refused(cli, *library);
    }
    cli.message(Cli::tr("Added \"%1\" (version %2).").arg(added->name).arg(added->version));
    return ExitOk;
}

int runStandardsSet(CliContext& cli)
{
    int status = ExitOk;
    std::optional<NamedStandard> found = openNamed(cli, status);
    if (!found) {
        return status;
    }
    const std::unique_ptr<StandardLibrary>& library = found->library;
    std::optional<Standard> s = found->standard;
    static const QStringList kSettable{QStringLiteral("lab"), QStringLiteral("haze"), QStringLiteral("t"),
                                       QStringLiteral("code"), QStringLiteral("note"), QStringLiteral("tolerance"),
                                       QStringLiteral("warn"), QStringLiteral("shared-set")};
    if (std::none_of(kSettable.cbegin(), kSettable.cend(), [&](const QString& o) { return cli.args().has(o); })) {
        return cli.usage(Cli::tr("standards set needs at least one of --%1.").arg(kSettable.join(QStringLiteral(", --"))));
    }
    std::optional<LibraryToleranceSet> ownSet;
    if (!applyOptions(cli, *library, *s, library->setOf(*s), ownSet, status)) {
        return status;
    }
    const std::optional<Standard> edited = library->edit(*s, ownSet);
    if (!edited) {
        return refused(cli, *library);
    }
    cli.message(Cli::tr("\"%1\" is now version %2.").arg(edited->name).arg(edited->version));
    return ExitOk;
}

int runStandardsRemove(CliContext& cli)
{
    int status = ExitOk;
    std::optional<NamedStandard> found = openNamed(cli, status);
    if (!found) {
        return status;
    }
    const std::unique_ptr<StandardLibrary>& library = found->library;
    std::optional<Standard> s = found->standard;
    if (!library->remove(s->id)) {
        return refused(cli, *library);
    }
    cli.message(Cli::tr("Removed \"%1\"; its versions stay readable.").arg(s->name));
    return ExitOk;
}

int runStandardsImport(CliContext& cli)
{
    const std::unique_ptr<StandardLibrary> library = CliStandards::openLibrary(cli);
    if (!library) {
        return ExitFile;
    }
    const QString path = cli.args().positionals.value(0);
    const StandardFiles::ReadResult read = StandardFiles::readFile(path);
    if (!read.ok()) {
        cli.message(read.error);
        return StandardFiles::kindOf(path) ? ExitFile : ExitUsage;
    }
    StandardFiles::ImportCount count;
    QString error;
    if (!StandardFiles::importInto(*library, read.standards, count, &error)) {
        cli.message(error);
        return ExitUsage;
    }
    cli.message(Cli::tr("%1 added, %2 changed, %3 unchanged.").arg(count.added).arg(count.edited).arg(count.unchanged));
    return ExitOk;
}

int runStandardsExport(CliContext& cli)
{
    const std::unique_ptr<StandardLibrary> library = CliStandards::openLibrary(cli);
    if (!library) {
        return ExitFile;
    }
    const QString path = cli.args().positionals.value(0);
    const std::optional<StandardFiles::Kind> kind = StandardFiles::kindOf(path);
    if (!kind) {
        return cli.usage(Cli::tr("%1: standards are written to .csv, .ti3, .txt, .cxf or .xlsx files.").arg(path));
    }
    if (*kind == StandardFiles::Kind::Workbook && !cli.args().has(QStringLiteral("model"))) {
        return cli.usage(Cli::tr("A standard-colour workbook is made for one model: give --model MODEL."));
    }
    QString error;
    if (!StandardFiles::writeFile(library->standards(), *library, path, cli.args().value(QStringLiteral("model")),
                                  &error)) {
        cli.message(error);
        return ExitFile;
    }
    return ExitOk;
}

int runStandardsShare(CliContext& cli)
{
    const std::unique_ptr<StandardLibrary> library = CliStandards::openLibrary(cli);
    if (!library) {
        return ExitFile;
    }
    const QString name = cli.args().positionals.value(0);
    LibraryToleranceSet set = library->findSharedSet(name).value_or(LibraryToleranceSet());
    set.name = set.id.isNull() ? name : set.name;
    if (!cli.args().has(QStringLiteral("tolerance")) && !cli.args().has(QStringLiteral("warn"))) {
        return cli.usage(Cli::tr("standards share needs --tolerance LIST, --warn PERCENT or both."));
    }
    if (cli.args().has(QStringLiteral("tolerance"))) {
        const ToleranceParse parsed = parseToleranceLimits(cli.args().value(QStringLiteral("tolerance")));
        if (!parsed.ok()) {
            return cli.usage(parsed.error);
        }
        set.limits = parsed.limits;
    }
    if (cli.args().has(QStringLiteral("warn"))) {
        const std::optional<double> warn = parseWarnPercent(cli.args().value(QStringLiteral("warn")));
        if (!warn) {
            return cli.usage(Cli::tr("--warn takes a percentage from 0 up to 100, not \"%1\".")
                                 .arg(cli.args().value(QStringLiteral("warn"))));
        }
        set.warnPercent = *warn;
    }
    const std::optional<LibraryToleranceSet> saved = library->saveSharedSet(set);
    if (!saved) {
        return refused(cli, *library);
    }
    cli.message(Cli::tr("Shared tolerance set \"%1\" is version %2.").arg(saved->name).arg(saved->version));
    return ExitOk;
}
