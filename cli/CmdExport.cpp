// vantorel-cli export --analyte NAME: an analyte's points as QC text.
#include "CliCommands.h"
#include "CliFiles.h"

#include "TArchive.h"
#include "TQCContext.h"

int CmdExport(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (!CheckOptions(args, { "--folder", "--analyte" }, err))
        return 1;
    bool hasAnalyte = false;
    const QString name = CliOption(args, "--analyte", QString(), &hasAnalyte);
    if (!hasAnalyte) {
        err << "usage: vantorel-cli export --analyte NAME [--folder DIR]\n";
        return 1;
    }
    TQCContext context;
    if (!OpenProgramFiles(args, context, err))
        return 1;
    const TAnalyte* analyte = context.ListAnalytes.FindByName(name);
    if (!analyte) {
        err << "No analyte named " << name << "\n";
        return 1;
    }
    out << AsText(*analyte);
    return 0;
}
