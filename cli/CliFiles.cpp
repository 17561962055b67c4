#include "CliFiles.h"
#include "TAnalyte.h"

#include "TDataFile.h"
#include "TDataFileReader.h"
#include "TFileStamp.h"
#include "TQCContext.h"
#include "TQualityGoals.h"
#include "TStorage.h"
#include "TV2FileReader.h"

#include <QFile>
#include <QFileInfo>

namespace {

// The final stamp of a file, or false when it has none.
bool FinalStamp(const QString& fileName, TFileStamp& stamp)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() < TFileStamp::Size || !file.seek(file.size() - TFileStamp::Size))
        return false;
    const QByteArray bytes = file.read(TFileStamp::Size);
    return bytes.size() == TFileStamp::Size && stamp.Parse(bytes.constData());
}

bool ReadVersion2(const QString& fileName, TDataRead& data, QString* error)
{
    TListAnalytes analytes;
    if (!ImportV2(fileName, analytes, TRisks(), error))
        return false;
    data.Analytes = std::move(analytes);
    data.Version = QStringLiteral("20");
    return true;
}

} // namespace

bool ReadDataFile(const QString& fileName, TDataRead& data, QString* error)
{
    const auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    if (!QFileInfo(fileName).isFile())
        return fail(QStringLiteral("no such file"));
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    TFileStamp stamp;
    const bool version2
        = suffix == "dat" || (suffix == "sav" && FinalStamp(fileName, stamp) && stamp.IsVersion('2', '0'));
    if (version2)
        return ReadVersion2(fileName, data, error);
    if (suffix != "qcf" && suffix != "sav")
        return fail(QStringLiteral("not a data file (expected .qcf, .dat or .sav)"));
    TDataFileReader reader;
    if (!reader.Read(fileName, TRisks(), data.Serums, data.Analytes))
        return fail(reader.ErrorString());
    data.Version = QString::fromLatin1(reader.DataVersion());
    return true;
}

QString DataFileVersion(const TQCContext& context)
{
    TFileStamp stamp;
    if (!FinalStamp(DataFileName(context), stamp))
        stamp = TFileStamp();
    return QString::fromLatin1(stamp.Version, 2);
}

bool OpenProgramFiles(const QString& folder, TQCContext& context, QString* error)
{
    TStorage storage(context);
    const TStartResult result = storage.OpenReadOnly(folder);
    if (result.Outcome == TStartOutcome::Started)
        return true;
    if (error)
        *error = result.Outcome == TStartOutcome::CannotReadData
            ? QString::fromLatin1(TStorage::MsgCannotReadData) + ": " + result.Detail
            : result.Detail;
    return false;
}

QString OneLine(QString text)
{
    text.replace("\r\n", " ");
    text.replace('\r', ' ');
    text.replace('\n', ' ');
    return text.trimmed();
}

QString GoalsFileName(const QString& dataFile, const TQCContext& context)
{
    if (dataFile.isEmpty())
        return TQualityGoals::FileName(context.BaseName());
    const QFileInfo data(dataFile);
    return TQualityGoals::FileName(data.absolutePath() + '/' + data.completeBaseName());
}
