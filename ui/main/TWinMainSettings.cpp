#include "TWinMain.h"

#include "TDialogService.h"
#include "TQCContext.h"
#include "TSettings.h"
#include "TStatistics.h"
#include "TWinRisks.h"

// The main window's statistical settings command.

void TWinMain::MnuRisksClick()
{
    if (!WinRisks)
        return;
    WinRisks->RedrawChart = [this] { RepaintCharts(); };
    if (m_dialogs.Exec(*WinRisks) != QDialog::Accepted)
        return;
    if (m_context.ListAnalytes.Count() > 0 && m_context.CurrentAnalyte)
        RecomputeAll(*m_context.CurrentAnalyte, m_context.Risks());
    FillAnalyteList();
    RepaintCharts();
    SaveConfig(m_context);
}
