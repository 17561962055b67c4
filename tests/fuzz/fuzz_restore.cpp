// A restore of arbitrary bytes lying as "Vantorel.Sav" in the backup folder. A
// refused backup must say "Impossible to restore" with a reason and leave the
// data in memory and the data file as they were; an accepted one must be in
// memory and in the data file, which reads back the same.
#include "TBackup.h"
#include "TDataFile.h"
#include "TDataSample.h"
#include "TestHelpers.h"

#include <QDir>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {

struct TAnsweringUi : TBackupUi {
    bool RetryMissingDisk(const QString&) override { std::abort(); }
    bool Confirm(const QString&) override { return true; }
    void ShowCopy(const QString&) override { }
    void HideCopy() override { }
};

// Folders in memory when the system has them: every input writes two files.
QTemporaryDir& Folder()
{
    static QTemporaryDir dir(QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm/fuzz_restore-XXXXXX") : QString());
    return dir;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Refused backups are logged; the fuzzer needs no log.
    static const bool made = (QLoggingCategory::setFilterRules(QStringLiteral("vantorel.*=false")), true)
        && QDir().mkpath(Folder().filePath("program")) && QDir().mkpath(Folder().filePath("usb"));
    if (!made)
        std::abort();
    auto context = MakeTestContext();
    context->SetProgramFolder(Folder().filePath("program"));
    context->Config.BackupFolder = Folder().filePath("usb");
    FillSampleModel(context->ListSerum, context->ListAnalytes);
    if (!SaveData(*context, DataFileName(*context)))
        std::abort();
    const QByteArray before = FileContent(DataFileName(*context));
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (!PutFile(Folder().filePath("usb/Vantorel.Sav"), bytes))
        std::abort();
    TAnsweringUi ui;
    const TBackupResult result = TBackup(*context, ui).Restore();
    if (!result.Ok) {
        if (!result.Message.startsWith(QStringLiteral("Impossible to restore\n"))
            || DataFileBytes(context->ListSerum, context->ListAnalytes) != before
            || FileContent(DataFileName(*context)) != before)
            std::abort();
        return 0;
    }
    const QByteArray restored = DataFileBytes(context->ListSerum, context->ListAnalytes);
    if (result.DataFileNotSaved || FileContent(DataFileName(*context)) != restored)
        std::abort();
    auto reread = MakeTestContext();
    if (!LoadData(*reread, DataFileName(*context))
        || DataFileBytes(reread->ListSerum, reread->ListAnalytes) != restored)
        std::abort();
    return 0;
}
