// vantorel-cli: the command-line companion. It works on the program's own files
// and never writes them unless a command says so.
#include "CliCommands.h"

#include <QCoreApplication>
#include <QMap>

// The commands, each in its own file.
int CmdDump(const QStringList& args, QTextStream& out, QTextStream& err);
int CmdCheck(const QStringList& args, QTextStream& out, QTextStream& err);
int CmdExport(const QStringList& args, QTextStream& out, QTextStream& err);
int CmdEvaluate(const QStringList& args, QTextStream& out, QTextStream& err);

QString CliOption(const QStringList& args, const QString& name, const QString& fallback, bool* present)
{
    const int index = args.indexOf(name);
    if (present)
        *present = index >= 0;
    if (index < 0 || index + 1 >= args.size())
        return fallback;
    return args[index + 1];
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("Vantorel");
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QMap<QString, TCliCommand> commands {
        { "dump", CmdDump },
        { "check", CmdCheck },
        { "export", CmdExport },
        { "evaluate", CmdEvaluate },
    };
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || !commands.contains(args.first())) {
        err << "usage: vantorel-cli " << QStringList(commands.keys()).join('|') << " [options]\n";
        return 1;
    }
    const QString command = args.takeFirst();
    const int status = commands.value(command)(args, out, err);
    out.flush();
    err.flush();
    return status;
}
