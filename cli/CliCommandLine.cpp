// The companion's command line, read with Qt's parser: the list of commands, the
// help of each, the version, and every usage error as one line.
#include "CliCommands.h"
#include "CliFiles.h"

#include "TDates.h"
#include "TQCTypes.h"

#include <QCommandLineParser>
#include <QDateTime>

namespace {

const QString Program = QStringLiteral("vantorel-cli");
const int HelpWidth = 79;

const QCommandLineOption HelpOption({ "h", "help" }, "shows this help");
const QCommandLineOption VersionOption({ "v", "version" }, "shows the version");

// The value of `text` in `form`; when the text has another form, an invalid
// value and what the form wants in `wanted`.
QVariant ReadValue(TCliForm form, const QString& text, QString& wanted)
{
    if (form == TCliForm::DateTime) {
        wanted = QStringLiteral("a local date and time YYYY-MM-DDThh:mm:ss");
        const QDateTime dateTime = QDateTime::fromString(text, Qt::ISODate);
        if (!dateTime.isValid() || dateTime.date().year() < 1900 || dateTime.timeSpec() != Qt::LocalTime)
            return {};
        return DateTimeToDayCount(dateTime);
    }
    if (form == TCliForm::Levels) {
        wanted = QStringLiteral("level numbers 1 to 3 separated by commas");
        QList<int> levels;
        for (const QString& part : text.split(',')) {
            bool ok = false;
            const int level = part.trimmed().toInt(&ok);
            if (!ok || level < 1 || level > MaxLevels)
                return {};
            levels << level;
        }
        return QVariant::fromValue(levels);
    }
    if (form == TCliForm::Date) {
        wanted = QStringLiteral("a date YYYY-MM-DD");
        const QDate date = QDate::fromString(text, Qt::ISODate);
        return date.isValid() && text.size() == 10 ? QVariant(date) : QVariant();
    }
    if (form == TCliForm::OnOff) {
        wanted = QStringLiteral("on or off");
        return text == "on" || text == "off" ? QVariant(text == "on") : QVariant();
    }
    return text;
}

// "  name  meaning" with the meaning from column `column`, wrapped at the help's width.
QString HelpRow(const QString& name, const QString& meaning, int column)
{
    QStringList lines { QString() };
    for (const QString& word : meaning.split(' ')) {
        if (!lines.last().isEmpty() && lines.last().size() + 1 + word.size() > HelpWidth - column)
            lines << QString();
        lines.last() += (lines.last().isEmpty() ? "" : " ") + word;
    }
    return QString("  %1").arg(name, -(column - 2)) + lines.join('\n' + QString(column, ' ')) + '\n';
}

QString OptionSyntax(const TCliOption& option)
{
    return "--" + option.Name + (option.ValueName.isEmpty() ? QString() : ' ' + option.ValueName);
}

QString CommandHelp(const TCliCommand& command)
{
    QString usage = "Usage: " + Program + ' ' + command.Name;
    bool optional = false;
    int column = 14; // "  -h, --help  "
    for (const TCliOption& option : command.Options) {
        if (option.Required)
            usage += ' ' + OptionSyntax(option);
        optional = optional || !option.Required;
        column = std::max(column, int(OptionSyntax(option).size()) + 4);
    }
    if (optional)
        usage += QStringLiteral(" [options]");
    for (const TCliArgument& argument : command.Arguments) {
        usage += ' ' + argument.Name;
        column = std::max(column, int(argument.Name.size()) + 4);
    }
    QString help = usage + '\n' + command.Summary + ".\n";
    if (!command.Arguments.isEmpty())
        help += QStringLiteral("\nArguments:\n");
    for (const TCliArgument& argument : command.Arguments)
        help += HelpRow(argument.Name, argument.Meaning, column);
    help += QStringLiteral("\nOptions:\n");
    for (const TCliOption& option : command.Options) {
        const QString note = option.Required ? QStringLiteral("required") : "default: " + option.Default;
        help += HelpRow(OptionSyntax(option), option.Meaning + " (" + note + ")", column);
    }
    help += HelpRow("-h, --help", HelpOption.description(), column);
    if (!command.Exclusive.isEmpty())
        help += '\n';
    for (const QStringList& group : command.Exclusive)
        help += "--" + group.join(" and --") + " cannot go together.\n";
    return help;
}

QString ProgramHelp()
{
    QString help = "Usage: " + Program + " COMMAND [options]\n"
        + "Reads the files of Vantorel, the laboratory's quality control program, for\n"
          "support staff and scripts. It never writes them.\n\nCommands:\n";
    int column = 0;
    for (const TCliCommand& command : CliCommands())
        column = std::max(column, int(command.Name.size()) + 4);
    for (const TCliCommand& command : CliCommands())
        help += HelpRow(command.Name, command.Summary, column);
    help += QStringLiteral("\nOptions:\n") + HelpRow("-h, --help", HelpOption.description(), 17)
        + HelpRow("-v, --version", VersionOption.description(), 17);
    return help + "\n\"" + Program + " COMMAND --help\" shows the options of a command, \"man " + Program
        + "\"\nthe manual.\n";
}

// Checks the command line of one command (the words after the command's name)
// and runs it.
int RunCommand(const TCliCommand& command, const QStringList& words, QTextStream& out, QTextStream& err)
{
    const QString name = Program + ' ' + command.Name;
    const auto fail = [&](const QString& reason) { return CliFail(err, command.Name, reason); };
    QCommandLineParser parser;
    parser.addOption(HelpOption);
    for (const TCliOption& option : command.Options)
        parser.addOption(QCommandLineOption(option.Name, option.Meaning, option.ValueName));
    if (!parser.parse(QStringList { name } + words))
        return fail(parser.errorText());
    if (parser.isSet(HelpOption)) {
        out << CommandHelp(command);
        return 0;
    }
    TCliArgs args;
    args.Arguments = parser.positionalArguments();
    if (args.Arguments.size() > command.Arguments.size())
        return fail("unexpected argument " + args.Arguments[command.Arguments.size()]);
    if (args.Arguments.size() < command.Arguments.size())
        return fail(command.Arguments[args.Arguments.size()].Name + " is missing");
    for (const TCliOption& option : command.Options) {
        if (!parser.isSet(option.Name)) {
            if (option.Required)
                return fail(OptionSyntax(option) + " is required");
            continue;
        }
        if (option.Form == TCliForm::Flag) {
            args.Options.insert(option.Name, true);
            continue;
        }
        const QString text = parser.values(option.Name).constFirst();
        QString wanted;
        const QVariant value = ReadValue(option.Form, text, wanted);
        if (!value.isValid())
            return fail("--" + option.Name + " wants " + wanted + ", not " + text);
        args.Options.insert(option.Name, value);
    }
    for (const QStringList& group : command.Exclusive) {
        QStringList given;
        for (const QString& option : group)
            if (args.Has(option))
                given << "--" + option;
        if (given.size() > 1)
            return fail(given.join(" and ") + " cannot go together");
    }
    return command.Run(args, out, err);
}

} // namespace

int CliFail(QTextStream& err, const QString& command, const QString& reason)
{
    err << Program << ' ' << command << ": " << OneLine(reason) << '\n';
    return 1;
}

int RunCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.addOption(HelpOption);
    parser.addOption(VersionOption);
    if (!parser.parse(arguments)) {
        err << Program << ": " << parser.errorText() << '\n';
        return 1;
    }
    if (parser.isSet(HelpOption)) {
        out << ProgramHelp();
        return 0;
    }
    if (parser.isSet(VersionOption)) {
        out << Program << ' ' << VANTOREL_VERSION << '\n';
        return 0;
    }
    // The command whose words open the command line, the longest first.
    const QStringList words = parser.positionalArguments();
    const TCliCommand* found = nullptr;
    for (const TCliCommand& command : CliCommands()) {
        const QStringList name = command.Name.split(' ');
        if (words.mid(0, name.size()) == name && (!found || found->Name.count(' ') < command.Name.count(' ')))
            found = &command;
    }
    if (found)
        return RunCommand(*found, words.mid(found->Name.count(' ') + 1), out, err);
    if (words.isEmpty())
        err << Program << ": no command given (" << Program << " --help lists them)\n";
    else
        err << Program << ": unknown command " << words.first() << " (" << Program << " --help lists the commands)\n";
    return 1;
}
