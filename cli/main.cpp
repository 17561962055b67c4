// vantorel-cli: the command-line companion. It works on the program's own files
// and never writes them; the print commands write only their PDF file.
#include "CliCommands.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
    // Printing lays out text in fonts, which takes Qt's GUI part: the print
    // commands run it on the platform without a display. The others stay
    // without it.
    // Qt's own notes on the platform (such as a missing runtime folder) would
    // break the rule of one line on standard error for a failure.
    const bool printing = argc > 1 && qstrcmp(argv[1], "print") == 0;
    if (printing) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                fprintf(stderr, "%s\n", qPrintable(message));
        });
    }
    const std::unique_ptr<QCoreApplication> app
        = printing ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName("Vantorel");
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = RunCommandLine(QCoreApplication::arguments(), out, err);
    out.flush();
    err.flush();
    return status;
}
