// vantorel-cli export --analyte NAME: an analyte's points as QC text.
#include "CliCommands.h"
#include "CliFiles.h"

#include "TArchive.h"
#include "TQCContext.h"

int CmdExport(const TCliArgs& args, QTextStream& out, QTextStream& err)
{
    const QString name = args.Text("analyte");
    const QString command = QStringLiteral("export");
    TQCContext context;
    QString error;
    if (!OpenProgramFiles(args.Text("folder"), context, &error))
        return CliFail(err, command, error);
    const TAnalyte* analyte = context.ListAnalytes.FindByName(name);
    if (!analyte)
        return CliFail(err, command, "no analyte named " + name);
    out << AsText(*analyte);
    return 0;
}
