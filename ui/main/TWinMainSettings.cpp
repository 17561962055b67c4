#include "TWinMain.h"

#include "TDialogService.h"
#include "TLimitSheets.h"
#include "TQCContext.h"
#include "TSettings.h"
#include "TStatistics.h"
#include "TWinRandom.h"
#include "TWinRisks.h"
#include "TWinSigma.h"

#include <QRadioButton>

// The main window's statistical settings and random generator commands.

void TWinMain::MnuRisksClick()
{
    if (!WinRisks)
        return;
    WinRisks->RedrawChart = [this] { RepaintCharts(); };
    if (m_dialogs.Exec(*WinRisks) != QDialog::Accepted)
        return;
    // The risks hold for every analyte: all limits follow, and the stored marks with them.
    for (int i = 0; i < m_context.ListAnalytes.Count(); ++i) {
        RecomputeAll(m_context.ListAnalytes.Item(i), m_context.Risks());
        ClassifyAll(m_context.ListAnalytes.Item(i));
    }
    FillAnalyteList();
    RepaintCharts();
    SaveConfig(m_context);
}

void TWinMain::MnuRandomGeneratorClick()
{
    if (!WinRandom)
        return;
    if (!m_context.CurrentAnalyte) {
        m_dialogs.Error(QStringLiteral("No analyte"), mbOK, this);
        return;
    }
    if (m_dialogs.Exec(*WinRandom) != QDialog::Accepted)
        return;
    if (WinRandom->RBFifo->isChecked()) {
        QueueChanged(m_context.ListFifo.Synced());
        return;
    }
    // A special sheet is left as by its OK: its changes are kept.
    if (Sheets->Current() != TSheet::Enter)
        Sheets->BtOKLockClick();
    Sheets->ClearInterval();
    RecomputeChartWindow();
    RepaintCharts();
    // Written at once, as every other accepted change of the points is.
    SaveDataFile();
}

void TWinMain::MnuSigmaClick()
{
    if (!WinSigma)
        return;
    if (!m_context.CurrentAnalyte) {
        m_dialogs.Error(QStringLiteral("No analyte"), mbOK, this);
        return;
    }
    // The goals and the choice of rules live in their own file, written by the window.
    m_dialogs.Exec(*WinSigma);
}
