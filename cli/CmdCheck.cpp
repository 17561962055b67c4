// vantorel-cli check FILE: says whether one of the program's files is sound.
#include "CliCommands.h"
#include "CliFiles.h"
#include "TAnalyte.h"

#include "TConfigReader.h"
#include "TFifoFile.h"

#include <QFileInfo>

namespace {

int Sound(QTextStream& out, const QString& fileName, const QString& what)
{
    out << fileName << ": sound " << what << "\n";
    return 0;
}

int Damaged(QTextStream& err, const QString& fileName, const QString& reason)
{
    return CliFail(err, QStringLiteral("check"), fileName + ": not sound: " + reason);
}

int CheckConfig(const QString& fileName, QTextStream& out, QTextStream& err)
{
    TConfigReader reader;
    if (!reader.ReadFile(fileName))
        return Damaged(err, fileName, reader.ErrorString());
    return Sound(out, fileName,
        QString("configuration file, version %1, %2 operator codes")
            .arg(QString::fromLatin1(reader.Record().Version, 2))
            .arg(reader.Operators().size()));
}

int CheckQueue(const QString& fileName, QTextStream& out, QTextStream& err)
{
    std::deque<TResu0> records;
    TFifoReader reader;
    if (!reader.ReadFile(fileName, records))
        return Damaged(err, fileName, reader.ErrorString());
    return Sound(out, fileName, QString("queue file, %1 queued results").arg(records.size()));
}

int CheckData(const QString& fileName, QTextStream& out, QTextStream& err)
{
    TDataRead data;
    QString error;
    if (!ReadDataFile(fileName, data, &error))
        return Damaged(err, fileName, error);
    int points = 0;
    for (int i = 0; i < data.Analytes.Count(); ++i)
        points += data.Analytes.Item(i).Count();
    const QString kind = data.Version == "20" ? QStringLiteral("version-2 data file") : QStringLiteral("data file");
    return Sound(out, fileName,
        QString("%1, version %2, %3 control materials, %4 analytes, %5 points")
            .arg(kind, data.Version)
            .arg(data.Serums.Count())
            .arg(data.Analytes.Count())
            .arg(points));
}

} // namespace

int CmdCheck(const TCliArgs& args, QTextStream& out, QTextStream& err)
{
    const QString fileName = args.Arguments.first();
    if (!QFileInfo(fileName).isFile())
        return CliFail(err, QStringLiteral("check"), fileName + ": no such file");
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == "cfr")
        return CheckConfig(fileName, out, err);
    if (suffix == "fif")
        return CheckQueue(fileName, out, err);
    if (suffix == "qcf" || suffix == "dat" || suffix == "sav")
        return CheckData(fileName, out, err);
    return CliFail(
        err, QStringLiteral("check"), fileName + ": unknown kind of file (expected .qcf, .cfr, .fif, .dat or .sav)");
}
