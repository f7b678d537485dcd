// The subcommand table, the parsing of a command line, --help, and the run.
//
// To add a subcommand: write `int runX(CliContext&)` in a file of its own
// (declared in CliSubcommands.h or a header beside it), and add one entry to
// the table below: its words, synopsis, one line of help, its options and
// the function. Parsing, --help, the manual page's list and the completion
// come from the table (the manual page and completion by hand: see
// packaging/tintwell-cli.1 and packaging/tintwell-cli.bash).

#include "CliCommand.h"
#include "CliContext.h"
#include "CliStandardsCommands.h"
#include "CliStandardsStation.h"
#include "CliStationCommands.h"
#include "CliSubcommands.h"

#include "DataFiles.h"
#include "EmulatorModel.h"

#include <QIODevice>
#include <QLocale>
#include <QRegularExpression>
#include <QTranslator>

#include <algorithm>
#include <memory>

namespace {

#define CLI_TEXT(text) QT_TRANSLATE_NOOP("Cli", text)

const QList<CliOption>& globalOptions()
{
    static const QList<CliOption> options = {
        {"device", true, "serial:SN|path:PATH", CLI_TEXT("the instrument to use when several are attached")},
        {"simulate", true, "MODEL[:VERSION]", CLI_TEXT("add an emulated instrument (TX310 unless named); may be repeated")},
        {"json", false, nullptr, CLI_TEXT("one JSON object per result, with \"schema\": 1")},
        {"lang", true, "zh|en", CLI_TEXT("the language of messages (default: the locale's)")},
        {"help", false, nullptr, CLI_TEXT("this help, or the help of a command")},
        {"version", false, nullptr, CLI_TEXT("the version")},
    };
    return options;
}

const CliOption kMode{"mode", true, "MODE", CLI_TEXT("set the display mode first: hazet, haze, t, lab, lch, yxy, hazetlab")};
const CliOption kFormat{"format", true, "FORMAT", CLI_TEXT("csv (the default), json, cgats, cxf or xlsx (with -o)")};
const CliOption kServer{"server", true, "HOST", CLI_TEXT("the station database's server: host name, address or socket folder")};
const CliOption kPort{"port", true, "PORT", CLI_TEXT("the server's port (default 5432)")};
const CliOption kDatabase{"database", true, "DB", CLI_TEXT("the database")};
const CliOption kUser{"user", true, "ROLE", CLI_TEXT("the role to log in as")};
const CliOption kCa{"ca", true, "FILE", CLI_TEXT("the certificate authority of the server's certificate (checks the host name)")};
const CliOption kPasswordStdin{"password-stdin", false, nullptr, CLI_TEXT("read the password from the first line of standard input")};
const CliOption kNewPasswordStdin{"new-password-stdin", false, nullptr,
                                  CLI_TEXT("read the new role's password from standard input (after the login's line "
                                           "with --password-stdin); without it, the key store's")};
const CliOption kIlluminant{"illuminant", true, "ILL",
                            CLI_TEXT("A, C, D50, D55, D65, D75, F2, F7 or F11 (default D65)")};
const CliOption kObserver{"observer", true, "2|10", CLI_TEXT("the CIE 1931 2° or 1964 10° observer (default 10)")};
const CliOption kReadings{"readings", true, "N",
                           CLI_TEXT("N readings of each measured specimen, compared by their mean (standard's first)")};
const CliOption kMedian{"median", false, nullptr, CLI_TEXT("the median of the readings instead of their mean")};
const CliOption kOutput{"output", true, "FILE", CLI_TEXT("write to FILE instead of standard output (-o)")};
const QList<CliOption> kStandardFields = {
    {"lab", true, "L,a,b", CLI_TEXT("the standard's L*, a* and b*")},
    {"haze", true, "H", CLI_TEXT("the standard's haze in percent")},
    {"t", true, "T", CLI_TEXT("the standard's transmittance in percent")},
    {"code", true, "CODE", CLI_TEXT("an article number or barcode, to find the standard by")},
    {"note", true, "TEXT", CLI_TEXT("a note")},
    {"tolerance", true, "LIST", CLI_TEXT("its limits: dE00<=1.0,dL=-0.8..0.8,db=-0.3..0.6:info (dL da db dC dH dEab "
                                         "dEuv dE94 dEcmc21 dEcmc11 dEcmc141 dE00 haze t; :info only informs)")},
    {"warn", true, "PERCENT", CLI_TEXT("the warning band: a PASS beyond this percentage of a limit is a warning")},
    {"shared-set", true, "SET", CLI_TEXT("judge by this shared tolerance set instead of limits of its own")},
};
// With a station database the library is the server's: these log in to it.
const QList<CliOption> kStationOptions = {kServer, kPort, kDatabase, kUser, kCa, kPasswordStdin};

// A standards command on the station database's library when one is set up
// or named, else on this computer's.
template <int (*run)(CliContext&), bool edits>
int standardsCommand(CliContext& cli)
{
    return stationLibraryInUse(cli) ? runStandardsOnServer(cli, edits, run) : run(cli);
}

} // namespace

const QList<CliSubcommand>& cliSubcommands()
{
    static const QList<CliSubcommand> table = {
        {{QStringLiteral("devices")}, "", CLI_TEXT("list the attached instruments: path, serial number, model, firmware"),
         {}, 0, runDevices},
        {{QStringLiteral("identify")}, "", CLI_TEXT("model, serial number, firmware, layout and display mode"), {}, 0,
         runIdentify},
        {{QStringLiteral("measure")}, "[--mode MODE] [--readings N [--median]]",
         CLI_TEXT("one measurement, in the display mode in force (the mean of N readings with --readings)"),
         {kMode, kReadings, kMedian}, 0, runMeasure},
        {{QStringLiteral("compare")},
         "--standard VALUES|FILE|measure|--standard-name NAME|--standard-code CODE [--sample VALUES|FILE|measure|key] "
         "[--count N] [--readings N [--median]] [--tolerance T] [--fail-on-warning] [--mode MODE]",
         CLI_TEXT("one comparison (N with --count), judged as the window judges; NG gives exit status 1"),
         {{"standard", true, "VALUES|FILE|measure", CLI_TEXT("the standard: values (L=50,a=1,b=2 or the mode's values in order), a file, or a measurement")},
          {"sample", true, "VALUES|FILE|measure|key", CLI_TEXT("the sample (default measure); key waits for the instrument's measuring key")},
          {"count", true, "N", CLI_TEXT("N samples against the one standard (JSON lines with --json)")},
          {"tolerance", true, "haze=H,t=T,de=E", CLI_TEXT("judge against these instead of the instrument's tolerances")},
          {"wait", true, "SECONDS", CLI_TEXT("how long to wait for the measuring key (default 60)")},
          {"standard-name", true, "NAME", CLI_TEXT("judge against this standard of the library and its tolerances")},
          {"standard-code", true, "CODE", CLI_TEXT("the same, the standard found by its code")},
          {"fail-on-warning", false, nullptr, CLI_TEXT("a PASS with a warning gives exit status 1")},
          kReadings, kMedian, kMode},
         0, runCompare},
        {{QStringLiteral("standards"), QStringLiteral("list")}, "[--json]",
         CLI_TEXT("the standards of the library: name, code, version and tolerances"), kStationOptions, 0,
         standardsCommand<runStandardsList, false>},
        {{QStringLiteral("standards"), QStringLiteral("show")}, "NAME", CLI_TEXT("one standard of the library in full"),
         kStationOptions, 1, standardsCommand<runStandardsShow, false>},
        {{QStringLiteral("standards"), QStringLiteral("add")},
         "NAME [--lab L,a,b] [--haze H] [--t T] [--code CODE] [--note TEXT] [--tolerance LIST] [--warn PERCENT] "
         "[--shared-set SET]",
         CLI_TEXT("add a standard to the library"), kStandardFields + kStationOptions, 1,
         standardsCommand<runStandardsAdd, true>},
        {{QStringLiteral("standards"), QStringLiteral("set")},
         "NAME [--lab L,a,b] [--haze H] [--t T] [--code CODE] [--note TEXT] [--tolerance LIST] [--warn PERCENT] "
         "[--shared-set SET]",
         CLI_TEXT("change a standard: a new version, the others stay readable"), kStandardFields + kStationOptions, 1,
         standardsCommand<runStandardsSet, true>},
        {{QStringLiteral("standards"), QStringLiteral("share")}, "SET [--tolerance LIST] [--warn PERCENT]",
         CLI_TEXT("make or change a shared tolerance set (a new version) that standards name with --shared-set"),
         QList<CliOption>{kStandardFields[5], kStandardFields[6]} + kStationOptions, 1,
         standardsCommand<runStandardsShare, true>},
        {{QStringLiteral("standards"), QStringLiteral("remove")}, "NAME",
         CLI_TEXT("take a standard out of the library (its versions stay readable)"), kStationOptions, 1,
         standardsCommand<runStandardsRemove, true>},
        {{QStringLiteral("standards"), QStringLiteral("import")}, "FILE",
         CLI_TEXT("standards from a CSV, CGATS, CxF3 or standard-colour workbook file; known names get a new version"),
         kStationOptions, 1, standardsCommand<runStandardsImport, true>},
        {{QStringLiteral("standards"), QStringLiteral("export")}, "FILE [--model MODEL]",
         CLI_TEXT("the library to a CSV, CGATS, CxF3 or (for MODEL) standard-colour workbook file"),
         QList<CliOption>{{"model", true, "MODEL", CLI_TEXT("the instrument model a workbook is made for")}} + kStationOptions,
         1, standardsCommand<runStandardsExport, false>},
        {{QStringLiteral("settings"), QStringLiteral("get")}, "", CLI_TEXT("the tolerances, formula, threshold and display mode"),
         {}, 0, runSettingsGet},
        {{QStringLiteral("settings"), QStringLiteral("set")},
         "[--haze-tolerance H] [--t-tolerance T] [--threshold E] [--formula F] [--mode MODE]",
         CLI_TEXT("change the instrument's settings; the others stay as stored"),
         {{"haze-tolerance", true, "H", CLI_TEXT("haze tolerance in percent, 0 to 100")},
          {"t-tolerance", true, "T", CLI_TEXT("transmittance tolerance in percent, 0 to 100")},
          {"threshold", true, "E", CLI_TEXT("delta-E threshold, 0.1 to 50")},
          {"formula", true, "F", CLI_TEXT("colour-difference formula: ab, uv, 94, cmc2:1, cmc1:1, cmc1.4:1, 00 (or its code)")},
          kMode},
         0, runSettingsSet},
        {{QStringLiteral("records"), QStringLiteral("export")}, "[--format FORMAT] [-o FILE]",
         CLI_TEXT("the comparison records stored in the instrument"), {kFormat, kOutput}, 0, runRecordsExport},
        {{QStringLiteral("spectral"), QStringLiteral("export")},
         "[--format FORMAT] [-o FILE] [--illuminant ILL] [--observer 2|10]",
         CLI_TEXT("the spectral records stored in the instrument, with their colour (D65/10° unless given) in "
                  "CGATS, CxF3 and the workbook"),
         {kFormat, kOutput, kIlluminant, kObserver}, 0, runSpectralExport},
        {{QStringLiteral("spectral"), QStringLiteral("colour")}, "FILE [--illuminant ILL] [--observer 2|10]",
         CLI_TEXT("XYZ and L*a*b* of every curve of a CGATS, CxF3, CSV or workbook file (D65/10° unless given)"),
         {kIlluminant, kObserver}, 1, runSpectralColour},
        {{QStringLiteral("spectral"), QStringLiteral("compare")},
         "FILE --standard NAME --sample NAME --illuminants D65,A,F11 [--observer 2|10]",
         CLI_TEXT("differences of two curves under each illuminant, and the metamerism index (additive "
                  "correction) against the first"),
         {{"standard", true, "NAME", CLI_TEXT("the standard: the name of a curve of the file")},
          {"sample", true, "NAME", CLI_TEXT("the sample: the name of a curve of the file")},
          {"illuminants", true, "ILL,ILL,...", CLI_TEXT("the reference illuminant first, then the test illuminants")},
          kObserver},
         1, runSpectralCompare},
        {{QStringLiteral("spectral"), QStringLiteral("indices")}, "FILE [--illuminant ILL] [--observer 2|10]",
         CLI_TEXT("E313 yellowness, CIE whiteness and tint of every curve, flagged outside their ranges (D65/10° "
                  "unless given)"),
         {kIlluminant, kObserver}, 1, runSpectralIndices},
        {{QStringLiteral("stdcolor"), QStringLiteral("upload")}, "FILE",
         CLI_TEXT("send a standard-colour library (workbook, CGATS or CxF3), checked whole before anything is sent"),
         {}, 1, runStdcolorUpload},
        {{QStringLiteral("journal"), QStringLiteral("export")}, "[--since DATE] [--mode MODE] [--format FORMAT] [-o FILE]",
         CLI_TEXT("the comparisons the window kept in its journal, without starting it"),
         {{"since", true, "DATE", CLI_TEXT("only records from DATE (yyyy-MM-dd or yyyy-MM-ddThh:mm) on")},
          {"mode", true, "MODE", CLI_TEXT("only records of this display mode")}, kFormat, kOutput},
         0, runJournalExport},
        {{QStringLiteral("report"), QStringLiteral("batch")}, "[--session ID | --since DATE] [--standard NAME] -o FILE.pdf",
         CLI_TEXT("the batch report of the comparisons the window kept in its journal, as a PDF"),
         {{"session", true, "ID", CLI_TEXT("only the records of this journal session")},
          {"since", true, "DATE", CLI_TEXT("only records from DATE (yyyy-MM-dd or yyyy-MM-ddThh:mm) on")},
          {"standard", true, "NAME", CLI_TEXT("only the rows compared with this standard (its name or number)")},
          kOutput},
         0, runReportBatch},
        {{QStringLiteral("db"), QStringLiteral("migrate")}, "[--server HOST] [--database DB] [--user ROLE] [--password-stdin]",
         CLI_TEXT("apply the station database's schema (as a role that may create tables and roles)"),
         {kServer, kPort, kDatabase, kUser, kCa, kPasswordStdin}, 0, runDbMigrate},
        {{QStringLiteral("db"), QStringLiteral("configure")},
         "--server HOST --database DB --station NAME --user ROLE [--ca FILE] [--password-stdin] [--test]",
         CLI_TEXT("where this station sends its records; the password goes to the desktop's key store"),
         {kServer, kPort, kDatabase, kUser, kCa, kPasswordStdin,
          {"station", true, "NAME", CLI_TEXT("this station's name")},
          {"test", false, nullptr, CLI_TEXT("connect once and check the schema")}},
         0, runDbConfigure},
        {{QStringLiteral("db"), QStringLiteral("add-station")},
         "NAME [--role ROLE] [--new-password-stdin] [--server HOST] [--database DB] [--user ROLE] [--password-stdin]",
         CLI_TEXT("create the login role of a station (named NAME unless --role) that writes only its own records"),
         {kServer, kPort, kDatabase, kUser, kCa, kPasswordStdin, kNewPasswordStdin,
          {"role", true, "ROLE", CLI_TEXT("the station's login role (default: its name)")}},
         1, runDbAddStation},
        {{QStringLiteral("db"), QStringLiteral("add-manager")},
         "ROLE [--new-password-stdin] [--server HOST] [--database DB] [--user ROLE] [--password-stdin]",
         CLI_TEXT("create a manager's login role that reads every station's records and writes none"),
         {kServer, kPort, kDatabase, kUser, kCa, kPasswordStdin, kNewPasswordStdin}, 1, runDbAddManager},
        {{QStringLiteral("db"), QStringLiteral("add-editor")},
         "ROLE [--new-password-stdin] [--server HOST] [--database DB] [--user ROLE] [--password-stdin]",
         CLI_TEXT("create a login role that edits the library of standards and reads no records"),
         {kServer, kPort, kDatabase, kUser, kCa, kPasswordStdin, kNewPasswordStdin}, 1, runDbAddEditor},
        {{QStringLiteral("history")},
         "[--from DATE] [--to DATE] [--at STATION]... [--model M] [--standard S] [--name PATTERN] [--verdict pass|ng] [--stats]",
         CLI_TEXT("the records of every station in the station database, or their statistics"),
         {kServer, kPort, kDatabase, kUser, kCa, kPasswordStdin,
          {"from", true, "DATE", CLI_TEXT("records from DATE on")},
          {"to", true, "DATE", CLI_TEXT("records before DATE")},
          {"at", true, "STATION", CLI_TEXT("records of this station; may be repeated")},
          {"model", true, "MODEL", CLI_TEXT("records of this instrument model")},
          {"standard", true, "STANDARD", CLI_TEXT("records compared with this standard")},
          {"name", true, "PATTERN", CLI_TEXT("test names matching PATTERN (* and ? as wildcards)")},
          {"verdict", true, "pass|ng", CLI_TEXT("only PASS or only NG records")},
          {"stats", false, nullptr, CLI_TEXT("count, PASS count and delta-E statistics instead of the records")}},
         0, runHistory},
    };
    return table;
}

QStringList CliArguments::values(const QString& name) const
{
    QStringList list = m_values.values(name);
    std::reverse(list.begin(), list.end()); // QMultiHash hands the last inserted first
    return list;
}

namespace {

const CliOption* findOption(const QString& name)
{
    for (const CliOption& o : globalOptions()) {
        if (name == QLatin1String(o.name)) {
            return &o;
        }
    }
    for (const CliSubcommand& c : cliSubcommands()) {
        for (const CliOption& o : c.options) {
            if (name == QLatin1String(o.name)) {
                return &o;
            }
        }
    }
    return nullptr;
}

// A model's name, known or not ("TX430", "TX999:3.50"), rather than a
// command's word or a file operand: a word that follows --simulate.
bool looksLikeModel(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z]+[0-9]+(:[0-9.]*)?$"));
    return pattern.match(text.trimmed()).hasMatch();
}

// Words that begin some command ("settings" of "settings get"): not unknown,
// only incomplete.
bool beginsCommand(const QStringList& words)
{
    return std::any_of(cliSubcommands().cbegin(), cliSubcommands().cend(), [&](const CliSubcommand& c) {
        return words.size() <= c.words.size() && c.words.mid(0, words.size()) == words;
    });
}

// Options anywhere on the line; everything else is a word or an operand.
bool parse(const QStringList& arguments, CliArguments& parsed, QString& error)
{
    for (int i = 0; i < arguments.size(); ++i) {
        QString arg = arguments.at(i);
        if (arg == QLatin1String("--")) {
            parsed.positionals << arguments.mid(i + 1);
            return true;
        }
        if (arg == QLatin1String("-o")) {
            arg = QStringLiteral("--output");
        } else if (arg == QLatin1String("-h")) {
            arg = QStringLiteral("--help");
        }
        if (!arg.startsWith(QLatin1String("--"))) {
            if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
                error = Cli::tr("Unknown option %1.").arg(arg);
                return false;
            }
            parsed.positionals << arg;
            continue;
        }
        const int equals = arg.indexOf(QLatin1Char('='));
        const QString name = arg.mid(2, equals < 0 ? -1 : equals - 2);
        const CliOption* option = findOption(name);
        if (!option) {
            error = Cli::tr("Unknown option --%1.").arg(name);
            return false;
        }
        QString value;
        if (equals >= 0) {
            if (!option->takesValue) {
                error = Cli::tr("--%1 takes no value.").arg(name);
                return false;
            }
            value = arg.mid(equals + 1);
        } else if (name == QLatin1String("simulate")) {
            // A model only when one follows: "--simulate devices" simulates a
            // TX310; "--simulate TX999 devices" names a model that is then refused.
            if (i + 1 < arguments.size() && looksLikeModel(arguments.at(i + 1))) {
                value = arguments.at(++i);
            }
        } else if (option->takesValue) {
            if (i + 1 >= arguments.size()) {
                error = Cli::tr("--%1 needs a value.").arg(name);
                return false;
            }
            value = arguments.at(++i);
        }
        parsed.add(name, value);
    }
    return true;
}

const CliSubcommand* resolve(const QStringList& positionals)
{
    const CliSubcommand* best = nullptr;
    for (const CliSubcommand& c : cliSubcommands()) {
        if (positionals.mid(0, c.words.size()) == c.words && (!best || c.words.size() > best->words.size())) {
            best = &c;
        }
    }
    return best;
}

QString optionLine(const CliOption& o)
{
    QString head = QStringLiteral("  --%1").arg(QLatin1String(o.name));
    if (o.valueName) {
        head += QLatin1Char(' ') + QLatin1String(o.valueName);
    }
    return head.leftJustified(34) + QLatin1Char(' ') + QCoreApplication::translate("Cli", o.help);
}

QString exitStatusHelp()
{
    return Cli::tr("Exit status:\n"
                   "  0  every comparison PASS, or the operation succeeded\n"
                   "  1  at least one comparison NG\n"
                   "  2  the command line is wrong (also: several instruments and no --device)\n"
                   "  3  no instrument, the one named is absent, or the Tintwell window holds it\n"
                   "  4  the instrument refused or did not answer in time\n"
                   "  5  a file could not be read or written\n");
}

QString generalHelp()
{
    QString text = Cli::tr("Usage: tintwell-cli [OPTIONS] COMMAND [ARGUMENTS]\n"
                           "Every instrument operation from a script. Results go to standard output,\n"
                           "messages to standard error; it never asks anything.\n\nCommands:\n");
    for (const CliSubcommand& c : cliSubcommands()) {
        text += (QStringLiteral("  ") + c.words.join(QLatin1Char(' '))).leftJustified(20) + QLatin1Char(' ')
                + QCoreApplication::translate("Cli", c.summary) + QLatin1Char('\n');
    }
    text += QLatin1Char('\n') + Cli::tr("Options:") + QLatin1Char('\n');
    for (const CliOption& o : globalOptions()) {
        text += optionLine(o) + QLatin1Char('\n');
    }
    text += QLatin1Char('\n') + exitStatusHelp();
    text += QLatin1Char('\n') + Cli::tr("\"tintwell-cli COMMAND --help\" describes a command; \"man tintwell-cli\" all of them.\n");
    return text;
}

QString commandHelp(const CliSubcommand& c)
{
    QString text = QStringLiteral("Usage: tintwell-cli %1 %2\n%3\n")
                       .arg(c.words.join(QLatin1Char(' ')), QLatin1String(c.synopsis),
                            QCoreApplication::translate("Cli", c.summary));
    if (!c.options.isEmpty()) {
        text += QLatin1Char('\n') + Cli::tr("Options:") + QLatin1Char('\n');
        for (const CliOption& o : c.options) {
            text += optionLine(o) + QLatin1Char('\n');
        }
    }
    text += QLatin1Char('\n') + exitStatusHelp();
    return text;
}

// The catalogue of the language asked for (or the locale's) for this run.
class RunLanguage
{
public:
    explicit RunLanguage(const QString& language)
    {
        if (language.isEmpty() || !QCoreApplication::instance()) {
            return;
        }
        if (m_translator.load(dataFilePath(QStringLiteral("Tintwell_%1.qm").arg(language)))) {
            QCoreApplication::installTranslator(&m_translator);
            m_installed = true;
        }
    }
    ~RunLanguage()
    {
        if (m_installed) {
            QCoreApplication::removeTranslator(&m_translator);
        }
    }

private:
    QTranslator m_translator;
    bool m_installed = false;
};

void writeText(QIODevice* device, const QString& text)
{
    device->write(text.toUtf8());
}

} // namespace

int runCli(const QStringList& arguments, CliEnvironment& environment)
{
    CliArguments parsed;
    QString error;
    const bool parsedOk = parse(arguments, parsed, error);
    QString language = parsed.value(QStringLiteral("lang"));
    if (parsed.has(QStringLiteral("lang")) && language != QLatin1String("zh") && language != QLatin1String("en")) {
        writeText(environment.err, Cli::tr("--lang takes zh or en.") + QLatin1Char('\n'));
        return ExitUsage;
    }
    if (language.isEmpty()) {
        language = QLocale().language() == QLocale::Chinese ? QStringLiteral("zh") : QStringLiteral("en");
    }
    RunLanguage catalogue(language);
    if (!parsedOk) {
        writeText(environment.err, error + QLatin1Char('\n') + Cli::tr("Try \"tintwell-cli --help\".") + QLatin1Char('\n'));
        return ExitUsage;
    }
    const CliSubcommand* command = resolve(parsed.positionals);
    // An unknown command is refused whatever follows it, --help and --version too.
    if (!command && !parsed.positionals.isEmpty() && !beginsCommand(parsed.positionals)) {
        writeText(environment.err, Cli::tr("Unknown command \"%1\".").arg(parsed.positionals.join(QLatin1Char(' ')))
                                       + QLatin1Char('\n') + Cli::tr("Try \"tintwell-cli --help\".") + QLatin1Char('\n'));
        return ExitUsage;
    }
    if (parsed.has(QStringLiteral("version")) && !command) {
        writeText(environment.out, QStringLiteral("tintwell-cli %1\n").arg(QLatin1String(TINTWELL_VERSION)));
        return ExitOk;
    }
    if (parsed.has(QStringLiteral("help"))) {
        writeText(environment.out, command ? commandHelp(*command) : generalHelp());
        return ExitOk;
    }
    if (!command) {
        writeText(environment.err, (parsed.positionals.isEmpty()
                                        ? Cli::tr("No command given.")
                                        : Cli::tr("Unknown command \"%1\".").arg(parsed.positionals.join(QLatin1Char(' '))))
                                       + QLatin1Char('\n') + Cli::tr("Try \"tintwell-cli --help\".") + QLatin1Char('\n'));
        return ExitUsage;
    }
    // Options of another command are refused rather than silently ignored.
    for (const QString& name : parsed.given()) {
        const bool global = std::any_of(globalOptions().cbegin(), globalOptions().cend(),
                                        [&](const CliOption& o) { return name == QLatin1String(o.name); });
        const bool own = std::any_of(command->options.cbegin(), command->options.cend(),
                                     [&](const CliOption& o) { return name == QLatin1String(o.name); });
        if (!global && !own) {
            writeText(environment.err, Cli::tr("%1 takes no --%2.").arg(command->words.join(QLatin1Char(' ')), name)
                                           + QLatin1Char('\n'));
            return ExitUsage;
        }
    }
    parsed.positionals = parsed.positionals.mid(command->words.size());
    if (parsed.positionals.size() != command->positionals) {
        writeText(environment.err, Cli::tr("Usage: tintwell-cli %1 %2")
                                       .arg(command->words.join(QLatin1Char(' ')), QLatin1String(command->synopsis))
                                       + QLatin1Char('\n'));
        return ExitUsage;
    }
    CliContext context(environment, *command, parsed);
    context.setChinese(language == QLatin1String("zh"));
    for (const QString& model : context.args().values(QStringLiteral("simulate"))) {
        if (!context.devices().addSimulated(model, error)) {
            return context.usage(error);
        }
    }
    const int status = command->run(context);
    context.progressDone();
    return status;
}
