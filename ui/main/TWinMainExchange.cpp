#include "TMainMessages.h"
#include "TWinMain.h"

#include "TAnalyte.h"
#include "TArchive.h"
#include "TDialogService.h"
#include "TLimitSheets.h"
#include "TQCContext.h"
#include "TQCText.h"
#include "TQueueRecall.h"
#include "TStorage.h"
#include "TV2FileReader.h"
#include "TWinEntryPsw.h"
#include "TWinImport.h"
#include "TWinValidCQ.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>

// The main window's exchange commands: the queue of held-back runs, the
// clipboard, and the export and import files.

void TWinMain::MnuClearFifoClick()
{
    TFifo& fifo = m_context.ListFifo;
    if (fifo.Count() == 0) {
        m_dialogs.Show(MainMessages::QueueEmptyToClear, this);
        return;
    }
    if (!TWinEntryPsw::AskPassword(m_context, m_dialogs, this))
        return;
    if (!m_dialogs.Ask(MainMessages::ConfirmClearQueue, this, QString::number(fifo.Count())))
        return;
    ReportCommit(m_context.Document().ClearQueue());
}

void TWinMain::BtFifoClick()
{
    TFifo& fifo = m_context.ListFifo;
    if (fifo.IsEmpty()) {
        m_dialogs.Show(MainMessages::QueueEmpty, this);
        ApplyBackupReminder(false);
        return;
    }
    if (!Sheets->LeaveSpecialSheetAsking(QStringLiteral("Recalling a run from the queue")))
        return;
    // The run stays at the head of the queue, and so in its file, until it is
    // stored or moved to the tail: a crash while it is judged loses nothing.
    TResu0 run = fifo.Item(0);
    const TAnalyte* previous = m_context.CurrentAnalyte;
    const TRecallTarget target = PrepareRecalledRun(m_context.ListAnalytes, run, m_context.Risks());
    m_context.CurrentAnalyte = target.Analyte;
    if (target.LevelsGrown || target.Analyte != previous)
        FillAnalyteList();
    if (WinValidCQ && WinValidCQ->Execute(run)) {
        StoreRun(run);
        DropQueueHead();
        ClearEntryForm();
    } else {
        // Back at the tail before it leaves the head: at worst the file holds it twice.
        HoldRun(std::move(run));
        DropQueueHead();
    }
    ApplyBackupReminder(false);
}

void TWinMain::DropQueueHead() { ReportCommit(m_context.Document().RecallHead()); }

void TWinMain::RunImportWindow()
{
    TAnalyte* analyte = m_context.CurrentAnalyte;
    const TAnalyte before = analyte ? *analyte : TAnalyte(); // to record the runs added
    if (m_dialogs.Exec(*WinImport) != QDialog::Accepted)
        return;
    m_view.Selected = -1;
    // The added runs are kept at once, as an entered run is.
    if (analyte)
        ReportCommit(m_context.Document().RunsAdded(*analyte, before, WinImport->windowTitle()));
}

void TWinMain::MnuCopyClick() { TWinImport::CopyToClipboard(m_context.CurrentAnalyte, m_dialogs, this); }

void TWinMain::MnuPasteClick()
{
    if (!WinImport)
        return;
    if (m_context.ListAnalytes.Count() == 0) {
        m_dialogs.Show(MainMessages::NoAnalyteToPaste, this);
        return;
    }
    Sheets->LeaveSpecialSheet();
    if (!WinImport->PasteFromClipboard()) {
        m_dialogs.Show(MainMessages::BadClipboard, this);
        return;
    }
    RunImportWindow();
}

void TWinMain::MnuExportClick()
{
    const TAnalyte* analyte = m_dialogs.RequireAnalyte(m_context.CurrentAnalyte, MainMessages::NoAnalyteOK, this);
    if (!analyte)
        return;
    QString name = m_dialogs.SaveFileName(this, QStringLiteral("Export"),
        m_exportFolder.isEmpty() ? m_context.ProgramFolder() : m_exportFolder,
        QStringLiteral("Text files with tabs as separators (*.txt)"));
    if (name.isEmpty())
        return;
    if (QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".txt");
    m_exportFolder = QFileInfo(name).absolutePath();
    if (QFileInfo::exists(name) && !m_dialogs.Ask(MainMessages::OverwriteExport, this, QDir::toNativeSeparators(name)))
        return;
    QString error;
    if (!WriteQCTextFile(name, AsText(*analyte), &error))
        m_dialogs.Error(error, mbOK, this);
}

void TWinMain::MnuImportClick()
{
    if (!WinImport)
        return;
    Sheets->LeaveSpecialSheet();
    const QString name = m_dialogs.OpenFileName(this, QStringLiteral("Import"),
        m_importFolder.isEmpty() ? m_context.ProgramFolder() : m_importFolder,
        QStringLiteral("Text file from spreadsheet (*.txt);;Data file of Vantorel 2 (*.dat);;"
                       "Backup file of Vantorel 2 (*.sav)"));
    if (name.isEmpty())
        return;
    m_importFolder = QFileInfo(name).absolutePath();
    QString error;
    if (IsVersion2FileName(name)) {
        const QJsonObject before = TQCDocument::AnalytesJson(m_context.ListAnalytes);
        if (!ImportV2(name, m_context.ListAnalytes, m_context.Risks(), &error)) {
            m_dialogs.Show(MainMessages::CannotReadVersion2, this, error);
        } else {
            FillAnalyteList();
            ReportCommit(m_context.Document().CommitFile(TChangeKind::Imported, name, before));
        }
        return;
    }
    if (m_context.ListAnalytes.Count() == 0) {
        m_dialogs.Show(MainMessages::NoAnalyteToImport, this);
        return;
    }
    QString text;
    if (!ReadQCTextFile(name, text, &error)) {
        m_dialogs.Show(MainMessages::BadFileFormat, this, error);
        return;
    }
    WinImport->ShowImportedText(text);
    RunImportWindow();
}
