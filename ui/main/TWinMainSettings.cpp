#include "TMainMessages.h"
#include "TWinMain.h"

#include "TAnalyte.h"
#include "TDialogService.h"
#include "TLimitModes.h"
#include "TLimitSheets.h"
#include "TQCContext.h"
#include "TSettings.h"
#include "TStatistics.h"
#include "TWinAudit.h"
#include "TWinEntryPsw.h"
#include "TWinRandom.h"
#include "TWinRisks.h"
#include "TWinSigma.h"

#include <QJsonObject>
#include <QRadioButton>

// The main window's statistical settings and random generator commands.

void TWinMain::MnuRisksClick()
{
    if (!WinRisks)
        return;
    WinRisks->RedrawChart = [this] { RepaintCharts(); };
    const QJsonObject was = m_context.Document().SettingsJson(TChangeKind::RisksChanged);
    if (m_dialogs.Exec(*WinRisks) != QDialog::Accepted)
        return;
    // The risks hold for every analyte: all limits follow, and the stored marks with them.
    ReportCommit(m_context.Document().CommitSettings(TChangeKind::RisksChanged, was));
    FillAnalyteList();
}

void TWinMain::MnuRandomGeneratorClick()
{
    if (!WinRandom)
        return;
    if (!m_dialogs.RequireAnalyte(m_context.CurrentAnalyte, MainMessages::NoAnalyteOK, this))
        return;
    TAnalyte before = *m_context.CurrentAnalyte; // to record the runs added
    const int queued = m_context.ListFifo.Count();
    if (m_dialogs.Exec(*WinRandom) != QDialog::Accepted)
        return;
    if (WinRandom->RBFifo->isChecked()) {
        ReportCommit(m_context.Document().RunsQueued(queued, QStringLiteral("random")));
        return;
    }
    // A special sheet is left as by its OK: its changes are kept.
    if (Sheets->Current() != TSheet::Enter) {
        Sheets->BtOKLockClick();
        TLimitSettings::Take(*m_context.CurrentAnalyte).Restore(before); // the sheet recorded its limits
    }
    Sheets->ClearInterval();
    // Written at once, as every other accepted change of the points is.
    ReportCommit(m_context.Document().RunsAdded(*m_context.CurrentAnalyte, before, QStringLiteral("random")));
}

void TWinMain::MnuAuditTrailClick()
{
    if (WinAudit && TWinEntryPsw::AskPassword(m_context, m_dialogs, this))
        m_dialogs.Exec(*WinAudit);
}

void TWinMain::MnuSigmaClick()
{
    if (!WinSigma)
        return;
    if (!m_dialogs.RequireAnalyte(m_context.CurrentAnalyte, MainMessages::NoAnalyteOK, this))
        return;
    // The goals and the choice of rules live in their own file, written by the window;
    // the charts judge again with what it leaves.
    m_dialogs.Exec(*WinSigma);
    RecomputeChartWindow();
    RepaintCharts();
}
