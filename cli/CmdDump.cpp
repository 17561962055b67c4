// vantorel-cli dump: the program's data, queue and settings as one JSON object.
#include "CliCommands.h"
#include "CliFiles.h"
#include "CliJson.h"
#include "TAnalyte.h"

#include "TFileStamp.h"
#include "TQCContext.h"

#include <QJsonDocument>

int CmdDump(const TCliArgs& args, QTextStream& out, QTextStream& err)
{
    QJsonObject dump;
    if (args.Has("data")) {
        const QString dataFile = args.Text("data");
        TDataRead data;
        QString error;
        if (!ReadDataFile(dataFile, data, error)) {
            err << dataFile << ": " << OneLine(error) << "\n";
            return 1;
        }
        dump["version"] = data.Version;
        dump["materials"] = MaterialsJson(data.Serums);
        dump["analytes"] = AnalytesJson(data.Analytes);
    } else {
        TQCContext context;
        if (!OpenProgramFiles(args.Text("folder"), context, err))
            return 1;
        dump["version"] = DataFileVersion(context);
        dump["materials"] = MaterialsJson(context.ListSerum);
        dump["analytes"] = AnalytesJson(context.ListAnalytes);
        dump["queue"] = QueueJson(context.ListFifo);
        dump["settings"] = SettingsJson(context.Config, context.FirstStart, context.ListOperators);
    }
    out << QString::fromUtf8(QJsonDocument(dump).toJson(QJsonDocument::Indented));
    return 0;
}
