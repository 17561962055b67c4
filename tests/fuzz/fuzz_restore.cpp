// A restore of arbitrary bytes lying as "Vantorel.Sav" in the backup folder. A
// refused backup says "Impossible to restore" with a reason and leaves the data in
// memory and the data file as they were; an accepted one is in both.
#include "TBackup.h"
#include "TDataFile.h"
#include "TDataSample.h"
#include "TScriptedBackupUi.h"
#include "TestHelpers.h"

#include <QDir>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // In memory where the system has it: every input writes two files. Refusals are logged; not here.
    static QTemporaryDir dir(QDir("/dev/shm").exists() ? "/dev/shm/fuzz_restore-XXXXXX" : QString());
    static const bool made = (QLoggingCategory::setFilterRules("vantorel.*=false"), QDir(dir.path()).mkdir("usb"));
    auto context = MakeTestContext();
    context->SetProgramFolder(dir.path());
    context->Config.BackupFolder = dir.filePath("usb");
    FillSampleModel(context->ListSerum, context->ListAnalytes);
    TScriptedBackupUi ui; // a missing folder is given up at once
    if (!made || !SaveData(*context, DataFileName(*context))
        || !PutFile(dir.filePath("usb/Vantorel.Sav"), QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))))
        std::abort();
    const QByteArray before = FileContent(DataFileName(*context));
    const TBackupResult result = TBackup(*context, ui).Restore();
    const QByteArray inMemory = DataFileBytes(context->ListSerum, context->ListAnalytes);
    if (result.Ok ? result.DataFileNotSaved
                  : (!result.Message.startsWith("Impossible to restore\n") || inMemory != before))
        std::abort();
    if (FileContent(DataFileName(*context)) != inMemory)
        std::abort();
    return 0;
}
