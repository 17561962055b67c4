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
    const QString command = QStringLiteral("dump");
    QJsonObject dump;
    QString error;
    if (args.Has("data")) {
        const QString dataFile = args.Text("data");
        TDataRead data;
        if (!ReadDataFile(dataFile, data, &error))
            return CliFail(err, command, dataFile + ": " + error);
        dump["version"] = data.Version;
        dump["materials"] = MaterialsJson(data.Serums);
        dump["analytes"] = AnalytesJson(data.Analytes);
    } else {
        TQCContext context;
        if (!OpenProgramFiles(args.Text("folder"), context, &error))
            return CliFail(err, command, error);
        dump["version"] = DataFileVersion(context);
        dump["materials"] = MaterialsJson(context.ListSerum);
        dump["analytes"] = AnalytesJson(context.ListAnalytes);
        dump["queue"] = QueueJson(context.ListFifo);
        dump["settings"] = SettingsJson(context.Config, context.FirstStart, context.ListOperators);
    }
    out << QString::fromUtf8(QJsonDocument(dump).toJson(QJsonDocument::Indented));
    return 0;
}
