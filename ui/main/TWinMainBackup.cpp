#include "TMainMessages.h"
#include "TWinMain.h"

#include "TAuditTrail.h"
#include "TBackup.h"
#include "TDialogService.h"
#include "TFileLog.h"
#include "TLimitSheets.h"
#include "TQCContext.h"
#include "TQCDocument.h"
#include "TSettings.h"
#include "TShape.h"
#include "TStorage.h"
#include "TWinAnimCopyFic.h"
#include "TWinOptions.h"

#include <QApplication>
#include <QFileInfo>
#include <QJsonObject>
#include <QTimer>

// The main window's backup, restore and backup options commands.

namespace {

// The backup's boxes through the dialog service, its progress in the copy window.
class TBackupDialogs : public TBackupUi {
public:
    TBackupDialogs(TDialogService& dialogs, TWinAnimCopyFic& copy, QWidget* parent)
        : m_dialogs(dialogs)
        , m_copy(copy)
        , m_parent(parent)
    {
    }
    bool RetryMissingDisk(const QString& text) override
    {
        return m_dialogs.MessageBox(TMsgType::Error, text, mbRetry | mbCancel, m_parent) == mbRetry;
    }
    bool Confirm(const QString& text) override { return m_dialogs.Confirm(text, m_parent); }
    void ShowCopy(const QString& label) override { m_copy.Start(label); }
    void HideCopy() override { m_copy.Stop(); }

private:
    TDialogService& m_dialogs;
    TWinAnimCopyFic& m_copy;
    QWidget* m_parent;
};

// The hourglass while an operation runs.
struct TWaitCursor {
    TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

void TWinMain::BtBackupClick()
{
    if (!WinAnimCopyFic)
        return;
    // A fresh installation has no backup folder yet: it is chosen first.
    if (m_context.Config.BackupFolder.isEmpty()) {
        m_dialogs.Show(MainMessages::NoBackupFolder, this);
        MnuOptionsClick();
        if (m_context.Config.BackupFolder.isEmpty())
            return;
    }
    TBackupDialogs ui(m_dialogs, *WinAnimCopyFic, this);
    TBackupResult result;
    {
        TWaitCursor wait;
        result = TBackup(m_context, ui).Backup();
    }
    if (!result.Ok) {
        m_dialogs.Error(result.Message, mbYes, this);
        return;
    }
    CopyAuditTrail(TBackup(m_context, ui));
    TimerBackUp->stop();
    ShapeBackUp->SetBrushColor(Qt::green);
    m_dialogs.Show(MainMessages::BackupDone, this);
}

void TWinMain::Disketterestore1Click()
{
    if (!WinAnimCopyFic)
        return;
    Sheets->LeaveSpecialSheet();
    TBackupDialogs ui(m_dialogs, *WinAnimCopyFic, this);
    TBackupResult result;
    {
        TWaitCursor wait;
        result = TBackup(m_context, ui).Restore();
    }
    if (!result.Ok) {
        m_dialogs.Error(result.Message, mbYes, this);
        return;
    }
    const QString sav = TBackup(m_context, ui).TargetFile(QStringLiteral(".Sav"));
    ReportCommit(m_context.Document().CommitFile(TChangeKind::Restored, sav));
    FillAnalyteList();
    if (result.DataFileNotSaved)
        m_dialogs.ShowWithReason(MainMessages::CannotSaveData, this, result.Message);
    m_dialogs.Show(MainMessages::RestoreDone, this);
}

void TWinMain::MnuOptionsClick()
{
    const QJsonObject before = m_context.Document().SettingsJson(TChangeKind::BackupOptionsChanged);
    if (!WinOptions || m_dialogs.Exec(*WinOptions) != QDialog::Accepted)
        return;
    ApplyBackupReminder(true);
    ReportCommit(m_context.Document().CommitSettings(TChangeKind::BackupOptionsChanged, before));
}

void TWinMain::CopyAuditTrail(const TBackup& backup)
{
    // The backup is recorded first, so that the copy beside it holds its own entry.
    ReportCommit(m_context.Document().CommitFile(TChangeKind::BackupMade, backup.TargetFile(QStringLiteral(".Sav"))));
    QString error;
    if (AuditTrail && !AuditTrail->CopyTo(backup.Target(), &error))
        m_dialogs.Show(MainMessages::TrailNotCopied, this, error);
}
