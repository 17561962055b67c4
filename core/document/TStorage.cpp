#include "TStorage.h"

#include "TAtomicFile.h"
#include "TDataFile.h"
#include "TDemonstrationData.h"
#include "TFifoFile.h"
#include "TQCContext.h"
#include "TQCDocument.h"
#include "TSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

TStorage::TStorage(TQCContext& context)
    : m_context(context)
{
}

TStorage::~TStorage() = default;

QString TStorage::FindProgramFolder(bool create)
{
    return FindProgramFolder(QCoreApplication::applicationDirPath(), create);
}

QString TStorage::FindProgramFolder(const QString& exeFolder, bool create)
{
    // An installed copy (its documents in <prefix>/share/vantorel) never keeps data
    // beside the executable, even for a user who may write to /usr/bin.
    const bool installed = !exeFolder.isEmpty() && QFileInfo(QDir(exeFolder).filePath("../share/vantorel")).isDir();
    if (!exeFolder.isEmpty() && !installed && QFileInfo(exeFolder).isWritable())
        return exeFolder;
    const QString userFolder = UserDataFolder();
    if (userFolder.isEmpty())
        return QString();
    if (QFileInfo::exists(userFolder) || (create && QDir().mkpath(userFolder)))
        return userFolder;
    return QString();
}

QString TStorage::UserDataFolder()
{
    // Named here rather than taken from the application's name, which the
    // program and the companion set at different moments (or not at all).
    const QString shared = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return shared.isEmpty() ? QString() : shared + QStringLiteral("/Vantorel");
}

QString TStorage::FindDocument(const QString& name)
{
    return FindDocument(QCoreApplication::applicationDirPath(), name);
}

QString TStorage::FindDocument(const QString& exeFolder, const QString& name)
{
    const QDir exe(exeFolder);
    const QString beside = exe.filePath(name);
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed = QDir::cleanPath(exe.filePath(QStringLiteral("../share/vantorel/") + name));
    if (QFileInfo::exists(installed))
        return installed;
    return beside;
}

bool TStorage::LockFolder(TStartResult& result)
{
    m_lock = std::make_unique<QLockFile>(m_context.BaseName() + QStringLiteral(".lock"));
    // The lock lives as long as the program: only a dead owner makes it stale.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return true;
    result.Outcome
        = m_lock->error() == QLockFile::LockFailedError ? TStartOutcome::AlreadyRunning : TStartOutcome::NoFolder;
    result.Detail = result.Outcome == TStartOutcome::AlreadyRunning
        ? QString(MsgAlreadyRunning)
        : QString("Cannot create the lock file in %1").arg(m_context.ProgramFolder());
    m_lock.reset();
    return false;
}

TStartResult TStorage::Start(const QString& folder, const THooks& hooks)
{
    TStartResult result;
    m_hooks = hooks;
    m_context.Random().Seed(quint64(m_context.Clock().Now().toMSecsSinceEpoch()));
    const QString chosen = folder.isEmpty() ? FindProgramFolder(true) : folder;
    if (chosen.isEmpty() || !QFileInfo(chosen).isDir()) {
        result.Outcome = TStartOutcome::NoFolder;
        result.Detail = QString("No folder for the program's files: %1").arg(chosen);
        return result;
    }
    m_context.SetProgramFolder(chosen);
    if (!LockFolder(result))
        return result;
    RemoveStaleTemporaryFiles(m_context.ProgramFolder()); // left by saves the program was killed in
    LoadConfig(m_context);
    if (m_hooks.LoadPictures)
        m_hooks.LoadPictures();
    m_context.ListFifo.SetStore(FifoFileStore(m_context.BaseName() + QStringLiteral(".fif")));
    m_context.ListFifo.Load();
    ReadDataStep(result, m_context.FirstStart, false);
    m_running = true;
    return result;
}

TStartResult TStorage::OpenReadOnly(const QString& folder)
{
    TStartResult result;
    const QString chosen = folder.isEmpty() ? FindProgramFolder(false) : folder;
    if (chosen.isEmpty() || !QFileInfo(chosen).isDir()) {
        result.Outcome = TStartOutcome::NoFolder;
        result.Detail = QString("No such folder: %1").arg(chosen.isEmpty() ? QStringLiteral("(none)") : chosen);
        return result;
    }
    m_context.SetProgramFolder(chosen);
    LoadConfig(m_context);
    // Read the queue file without following it: nothing may be written.
    TFifo& fifo = m_context.ListFifo;
    fifo.SetStore(FifoFileStore(m_context.BaseName() + QStringLiteral(".fif")));
    fifo.Load();
    fifo.SetStore(nullptr);
    ReadDataStep(result, m_context.FirstStart, true);
    return result;
}

void TStorage::ReadDataStep(TStartResult& result, bool firstStart, bool readOnly)
{
    m_context.CurrentAnalyte = nullptr;
    m_context.ListAnalytes.Clear();
    m_context.ListSerum.Clear();
    const QString name = DataFileName(m_context);
    const bool exists = QFileInfo::exists(name);
    if (readOnly && !exists)
        return;
    QString error;
    if (::LoadData(m_context, name, &error))
        return;
    if (readOnly) {
        result.Outcome = TStartOutcome::CannotReadData;
        result.Detail = error;
        return;
    }
    // The next save replaces the file: keep what was there for a rescue.
    if (exists)
        result.UnreadableCopy = KeepUnreadableCopy(name);
    if (firstStart) {
        for (TResu0& queued : MakeDemonstrationData(m_context))
            m_context.ListFifo.Push(std::move(queued));
        return;
    }
    result.Outcome = TStartOutcome::CannotReadData;
    result.Detail = error;
}

QString TStorage::KeepUnreadableCopy(const QString& fileName) const
{
    const QString stamp = m_context.Clock().Now().toString("yyyyMMdd-HHmmss");
    QString copy = QString("%1-unreadable-%2.qcf").arg(m_context.BaseName(), stamp);
    for (int n = 2; QFileInfo::exists(copy); ++n)
        copy = QString("%1-unreadable-%2-%3.qcf").arg(m_context.BaseName(), stamp).arg(n);
    return QFile::copy(fileName, copy) ? copy : QString();
}

TStopResult TStorage::Stop()
{
    TStopResult result;
    if (!m_running)
        return result;
    m_running = false;
    TQCDocument& document = m_context.Document();
    const auto save = [&document](TFile file, QString& error) {
        const TCommitResult saved = document.Save(file);
        error = saved.Ok() ? QString() : saved.Failures.first().Reason;
        return saved.Ok();
    };
    result.DataSaved = save(TFile::Data, result.DataError);
    m_context.CurrentAnalyte = nullptr;
    m_context.ListAnalytes.Clear();
    m_context.ListSerum.Clear();
    TFifo& fifo = m_context.ListFifo;
    result.FifoSaved = save(TFile::Queue, result.FifoError);
    fifo.SetStore(nullptr);
    fifo.Clear();
    if (m_hooks.FreePictures)
        m_hooks.FreePictures();
    result.ConfigSaved = save(TFile::Settings, result.ConfigError);
    m_context.ListOperators.clear();
    m_lock.reset();
    return result;
}
