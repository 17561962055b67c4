#pragma once
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <QVariant>

// The form an option's value must have. The command line is checked against it
// before the command runs, and the command receives the value read.
enum class TCliForm {
    Text, // any text: a QString
    DateTime, // YYYY-MM-DDThh:mm:ss in local time: the day count as a double
    Levels, // level numbers 1 to 3 separated by commas: a QList<int>
    OnOff, // "on" or "off": a bool
    Date, // YYYY-MM-DD: a QDate
    Flag, // an option without a value: true when given
};

// One option "--Name VALUE" of a command, as help shows it.
struct TCliOption {
    QString Name; // without the dashes
    QString ValueName; // DIR, FILE, NAME, ...; empty for a flag
    QString Meaning; // one line
    QString Default; // what holds without it; empty when required
    TCliForm Form = TCliForm::Text;
    bool Required = false;
};

// One argument after the options, such as check's FILE; always required.
struct TCliArgument {
    QString Name;
    QString Meaning;
};

// A command line checked against its command: the options given, each with its
// value in its form (the first one when an option is repeated), and the
// arguments after them.
struct TCliArgs {
    QHash<QString, QVariant> Options;
    QStringList Arguments;

    bool Has(const QString& option) const { return Options.contains(option); }
    QString Text(const QString& option) const { return Options.value(option).toString(); }
};

// A command's work on a checked command line: output on out, errors as one line
// on err. Returns the exit status (0 success, 1 failure).
using TCliHandler = int (*)(const TCliArgs& args, QTextStream& out, QTextStream& err);

// One command of the companion. A subcommand has a name of two words
// ("print data") and is listed on its own.
struct TCliCommand {
    QString Name;
    QString Summary; // one line for the list of commands
    QList<TCliOption> Options;
    QList<TCliArgument> Arguments;
    QList<QStringList> Exclusive; // groups of options, of each group one at most may be given
    TCliHandler Run = nullptr;
};

// Writes "vantorel-cli COMMAND: reason" as one line on err, the one shape of
// every failure of a command. Returns the failure status, 1.
int CliFail(QTextStream& err, const QString& command, const QString& reason);

// The companion's commands, in the order help lists them.
const QList<TCliCommand>& CliCommands();

// Runs the companion on its command line (the program's name first): the help,
// the version, or one command. Returns the exit status.
int RunCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err);

// The commands, each in its own file.
int CmdAuditList(const TCliArgs& args, QTextStream& out, QTextStream& err);
int CmdAuditVerify(const TCliArgs& args, QTextStream& out, QTextStream& err);
int CmdPrintAudit(const TCliArgs& args, QTextStream& out, QTextStream& err);
int CmdCheck(const TCliArgs& args, QTextStream& out, QTextStream& err);
int CmdDump(const TCliArgs& args, QTextStream& out, QTextStream& err);
int CmdEvaluate(const TCliArgs& args, QTextStream& out, QTextStream& err);
int CmdSigma(const TCliArgs& args, QTextStream& out, QTextStream& err);
int CmdExport(const TCliArgs& args, QTextStream& out, QTextStream& err);
int CmdPrintData(const TCliArgs& args, QTextStream& out, QTextStream& err);
int CmdPrintCharts(const TCliArgs& args, QTextStream& out, QTextStream& err);
int CmdPrintDaily(const TCliArgs& args, QTextStream& out, QTextStream& err);
int CmdPrintLimits(const TCliArgs& args, QTextStream& out, QTextStream& err);
int CmdPrintArchives(const TCliArgs& args, QTextStream& out, QTextStream& err);
int CmdPrintArchive(const TCliArgs& args, QTextStream& out, QTextStream& err);
