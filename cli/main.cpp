// vantorel-cli: the command-line companion. It works on the program's own files
// and never writes them unless a command says so.
#include "CliCommands.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("Vantorel");
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = RunCommandLine(app.arguments(), out, err);
    out.flush();
    err.flush();
    return status;
}
