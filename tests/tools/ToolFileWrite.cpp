// One write of the program's files, for the tests on real (full or read-only) file
// systems: ToolFileWrite <step> <what> <mount> <folder>
//   step: "prepare" writes the earlier files, "write" tries the write and prints
//   "ok" or the reason (one line);
//   what: data, settings, queue, archive (the program folder is <mount>), backup,
//   restore (the program folder is <folder>, the backup folder <mount>).
// The write replaces the sample model with the larger demonstration data.
#include "TArchive.h"
#include "TBackup.h"
#include "TDataFile.h"
#include "TDataSample.h"
#include "TDemonstrationData.h"
#include "TSettings.h"
#include "TestHelpers.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

namespace {

struct TAnsweringUi : TBackupUi {
    bool RetryMissingDisk(const QString&) override { return false; }
    bool Confirm(const QString&) override { return true; }
    void ShowCopy(const QString&) override { }
    void HideCopy() override { }
};

QString Prepare(TQCContext& context, const QString& what)
{
    FillSampleModel(context.ListSerum, context.ListAnalytes);
    context.ListOperators = QStringList { "AB", "CD" };
    if (!SaveData(context, DataFileName(context)) || !SaveConfig(context) || !context.ListFifo.Push(TResu0()))
        return "cannot prepare";
    TAnsweringUi ui;
    if (what == "restore")
        MakeDemonstrationData(context);
    return what != "backup" && what != "restore"                               ? "ok"
        : TBackup(context, ui).Backup().Ok && TBackup(context, ui).Backup().Ok ? "ok"
                                                                               : "cannot back up";
}

QString Write(TQCContext& context, const QString& what)
{
    QString error;
    TAnsweringUi ui;
    if (what == "restore") {
        const TBackupResult result = TBackup(context, ui).Restore();
        return result.Ok ? "ok" : result.Message;
    }
    if (!LoadData(context, DataFileName(context), &error))
        return error;
    if (what == "archive")
        return ArchiveLevel(
                   context.ListAnalytes.Item(0), 0, context.ProgramFolder(), context.ListSerum, context.Risks(), &error)
            ? "ok"
            : error;
    if (what == "queue")
        return context.ListFifo.Push(TResu0()) ? "ok" : context.ListFifo.ErrorString();
    if (what == "settings") {
        context.ListOperators << "EF";
        return SaveConfig(context, &error) ? "ok" : error;
    }
    MakeDemonstrationData(context);
    if (what == "data")
        return SaveData(context, DataFileName(context), &error) ? "ok" : error;
    const TBackupResult result = TBackup(context, ui).Backup();
    return result.Ok ? "ok" : result.Message;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        std::fprintf(stderr, "usage: ToolFileWrite prepare|write <what> <mount> <folder>\n");
        return 2;
    }
    const QString what = args[2];
    const bool onMount = what != "backup" && what != "restore";
    auto context = MakeTestContext();
    context->SetProgramFolder(onMount ? args[3] : args[4]);
    context->Config.BackupFolder = args[3];
    context->Config.LastBackupDate = 100;
    context->ListFifo.SetFileName(context->BaseName() + ".fif");
    if (!QDir().mkpath(args[4]))
        return 1;
    if (args[1] == "write")
        LoadConfig(*context);
    context->ListFifo.Load();
    const QString outcome = args[1] == "prepare" ? Prepare(*context, what) : Write(*context, what);
    std::printf("%s\n", qPrintable(QString(outcome).replace('\n', " | ")));
    return 0;
}
