#include "TDialogService.h"
#include "TProgram.h"
#include "TQCContext.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Before anything asks for a standard folder, as the companion does.
    QApplication::setApplicationName(QStringLiteral("Vantorel"));
    TQCContext context;
    TQtDialogService dialogs;
    TProgram program(context, dialogs);
    return program.Run();
}
