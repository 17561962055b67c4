#include "TBackup.h"

#include "TAnalyte.h"
#include "TAtomicFile.h"
#include "TDataFile.h"
#include "TDataFileReader.h"
#include "TDataFileWriter.h"
#include "TDates.h"
#include "TFileLog.h"
#include "TListAnalytes.h"
#include "TListSerum.h"
#include "TQCContext.h"
#include "TSettings.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

TBackupResult Failure(const QString& message)
{
    qCWarning(lcBackup).noquote() << message;
    return { false, message, false };
}

TBackupResult Failure(const char* message) { return Failure(QString::fromLatin1(message)); }

TBackupResult Failure(const char* message, const QString& reason)
{
    return Failure(MessageWithReason(message, reason));
}

// Renames over an existing file (QFile::rename does not); false with the reason.
bool Replace(const QString& from, const QString& to, QString& error)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    error = QStringLiteral("Cannot rename %1 to %2: %3").arg(from, to, qt_error_string(errno));
    return false;
}

// The file's bytes as they come back from the medium, not from the page cache
// (as far as the system lets go of it).
QByteArray ReadBack(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    ::posix_fadvise(file.handle(), 0, 0, POSIX_FADV_DONTNEED);
    return file.readAll();
}

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

QString TBackup::CheckBackupFile(const QString& fileName) const
{
    QByteArray expected;
    QBuffer buffer(&expected);
    buffer.open(QIODevice::WriteOnly);
    if (!TDataFileWriter().Write(buffer, m_context.ListSerum, m_context.ListAnalytes))
        return QStringLiteral("The data cannot be written");
    QByteArray written = ReadBack(fileName);
    TListSerum serums;
    TListAnalytes analytes;
    TDataFileReader reader;
    QBuffer in(&written);
    in.open(QIODevice::ReadOnly);
    if (!reader.Read(in, m_context.Risks(), serums, analytes))
        return QStringLiteral("%1 does not read back: %2").arg(fileName, reader.ErrorString());
    if (written != expected)
        return QStringLiteral("%1 does not read back as written (%2 of %3 bytes)")
            .arg(fileName)
            .arg(written.size())
            .arg(expected.size());
    return QString();
}

QString TBackup::Rotate(const QString& fresh)
{
    // The backup before last waits under ".tmp" until the new one is in place, so
    // that every step can be undone.
    const QString sav = TargetFile(QStringLiteral(".Sav"));
    const QString old = TargetFile(QStringLiteral(".Old"));
    const QString tmp = TargetFile(QStringLiteral(".tmp"));
    const bool hadSav = QFileInfo::exists(sav);
    // The ".Old" moves only when a ".Sav" comes to take its place.
    const bool parkOld = hadSav && QFileInfo::exists(old);
    QString error, undo;
    if (parkOld && !Replace(old, tmp, error))
        return error;
    if (hadSav && !Replace(sav, old, error)) {
        if (parkOld && !Replace(tmp, old, undo))
            error += QLatin1Char('\n') + undo;
        return error;
    }
    if (!Replace(fresh, sav, error)) {
        if ((hadSav && !Replace(old, sav, undo)) || (parkOld && !Replace(tmp, old, undo)))
            error += QLatin1Char('\n') + undo;
        return error;
    }
    if (parkOld && !QFile::remove(tmp))
        qCWarning(lcBackup).noquote() << "Cannot remove" << tmp;
    return QString();
}

TBackupResult TBackup::Backup()
{
    if (!WaitForDisk())
        return Failure(MsgBackupAborted);
    QString reason;
    if (!FolderWritable(Target(), &reason))
        return Failure(QStringLiteral("Cannot write %1: %2").arg(Target(), reason));
    if (!m_ui.Confirm(QString::fromLatin1(MsgConfirmBackup)))
        return Failure(MsgBackupAborted);
    const QString sav = TargetFile(QStringLiteral(".Sav"));
    // Written beside the backups and checked before any of them moves.
    const QString fresh = TargetFile(QStringLiteral(".new"));
    m_ui.ShowCopy(QStringLiteral("Backuping data to ") + sav);
    QString error;
    if (!Writer(m_context, fresh, &error) || !(error = CheckBackupFile(fresh)).isEmpty()
        || !(error = Rotate(fresh)).isEmpty()) {
        QFile::remove(fresh);
        m_ui.HideCopy();
        return Failure(error);
    }
    m_context.Config.LastBackupDate = m_context.Clock().TodayDays();
    // The date is kept in memory and written again at exit when this fails.
    QString configError;
    if (!SaveConfig(m_context, &configError))
        qCWarning(lcBackup).noquote() << "The backup date was not saved:" << configError;
    qCInfo(lcBackup).noquote() << "Backup written to" << sav;
    m_ui.HideCopy();
    return { true, QString(), false };
}

TBackupResult TBackup::Restore()
{
    if (!WaitForDisk())
        return Failure(MsgRestoreAborted);
    // Reading is all a restore needs: a write-protected medium serves.
    QString reason;
    if (!FolderReadable(Target(), &reason))
        return Failure(MsgImpossibleRestore, QStringLiteral("Cannot read %1: %2").arg(Target(), reason));
    const QString sav = TargetFile(QStringLiteral(".Sav"));
    const QFileInfo info(sav);
    if (!info.isFile())
        return Failure(MsgNoBackupFile);
    const QString question = QStringLiteral("Confirm data restore from diskette. The date of source file is : ")
        + ShortDateText(DateTimeToDayCount(info.lastModified()));
    if (!m_ui.Confirm(question))
        return Failure(MsgRestoreAborted);
    m_ui.ShowCopy(QStringLiteral("Restoring data from ") + sav);
    QString error;
    const bool loaded = LoadData(m_context, sav, &error);
    m_ui.HideCopy();
    if (!loaded)
        return Failure(MsgImpossibleRestore, error);
    qCInfo(lcBackup).noquote() << "Restored from" << sav;
    if (!Writer(m_context, DataFileName(m_context), &error)) {
        qCWarning(lcBackup).noquote() << "The restored data are not in the data file yet:" << error;
        return { true, error, true };
    }
    return { true, QString(), false };
}
