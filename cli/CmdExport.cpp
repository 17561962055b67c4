// vantorel-cli export --analyte NAME: an analyte's points as QC text.
#include "CliCommands.h"
#include "CliFiles.h"

#include "TArchive.h"
#include "TQCContext.h"

int CmdExport(const TCliArgs& args, QTextStream& out, QTextStream& err)
{
    const QString name = args.Text("analyte");
    TQCContext context;
    if (!OpenProgramFiles(args.Text("folder"), context, err))
        return 1;
    const TAnalyte* analyte = context.ListAnalytes.FindByName(name);
    if (!analyte) {
        err << "No analyte named " << name << "\n";
        return 1;
    }
    out << AsText(*analyte);
    return 0;
}
