#include "TBackup.h"

#include "TAtomicFile.h"
#include "TDataFile.h"
#include "TDates.h"
#include "TQCContext.h"
#include "TSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

TBackupResult Failure(const QString& message) { return { false, message, false }; }

TBackupResult Failure(const char* message) { return Failure(QString::fromLatin1(message)); }

} // namespace

TBackup::TBackup(TQCContext& context, TBackupUi& ui)
    : m_context(context)
    , m_ui(ui)
{
    Writer
        = [](const TQCContext& context, const QString& name, QString* error) { return SaveData(context, name, error); };
}

QString TBackup::Target() const
{
    if (m_context.Config.BackupFolder.isEmpty())
        return QString(QChar::fromLatin1(m_context.Config.BackupDrive));
    return QDir::cleanPath(m_context.Config.BackupFolder);
}

QString TBackup::TargetFile(const QString& extension) const
{
    return Target() + QStringLiteral("/Vantorel") + extension;
}

bool TBackup::WaitForDisk()
{
    // Without a chosen folder nothing can answer: the drive letter is no path.
    const auto present = [this] { return !m_context.Config.BackupFolder.isEmpty() && DiskPresent(Target()); };
    while (!present())
        if (!m_ui.RetryMissingDisk(QString::fromLatin1(MsgNoDiskette) + Target()))
            return false;
    return true;
}

TBackupResult TBackup::Backup()
{
    if (!WaitForDisk() || !m_ui.Confirm(QString::fromLatin1(MsgConfirmBackup)))
        return Failure(MsgBackupAborted);
    const QString sav = TargetFile(QStringLiteral(".Sav"));
    const QString old = TargetFile(QStringLiteral(".Old"));
    const QString tmp = TargetFile(QStringLiteral(".tmp"));
    m_ui.ShowCopy(QStringLiteral("Backuping data to ") + sav);
    // The backup before last waits under ".tmp" until the new one is written, so
    // that a failed write can put both earlier backups back.
    QFile::remove(tmp);
    QFile::rename(old, tmp);
    QFile::rename(sav, old);
    QString error;
    if (!Writer(m_context, sav, &error)) {
        QFile::remove(sav);
        QFile::rename(old, sav);
        QFile::rename(tmp, old);
        m_ui.HideCopy();
        return Failure(error);
    }
    m_context.Config.LastBackupDate = m_context.Clock().TodayDays();
    SaveConfig(m_context);
    QFile::remove(tmp);
    m_ui.HideCopy();
    return { true, QString(), false };
}

TBackupResult TBackup::Restore()
{
    if (!WaitForDisk())
        return Failure(MsgRestoreAborted);
    const QString sav = TargetFile(QStringLiteral(".Sav"));
    const QFileInfo info(sav);
    if (!info.isFile())
        return Failure(MsgNoBackupFile);
    const QString question = QStringLiteral("Confirm data restore from diskette. The date of source file is : ")
        + ShortDateText(DateTimeToDayCount(info.lastModified()));
    if (!m_ui.Confirm(question))
        return Failure(MsgRestoreAborted);
    m_ui.ShowCopy(QStringLiteral("Restoring data from ") + sav);
    const bool loaded = LoadData(m_context, sav);
    m_ui.HideCopy();
    if (!loaded)
        return Failure(MsgImpossibleRestore);
    QString error;
    if (!Writer(m_context, DataFileName(m_context), &error))
        return { true, error, true };
    return { true, QString(), false };
}
