#include "TDialogService.h"
#include "TProgram.h"
#include "TQCContext.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Before anything asks for a standard folder, as the companion does.
    QApplication::setApplicationName(QStringLiteral("Vantorel"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/vantorel-256.png")));
    TQCContext context;
    TQtDialogService dialogs;
    TProgram program(context, dialogs);
    return program.Run();
}
