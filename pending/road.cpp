void TWinMain::StoreRun(TResu0& run)
{
    TAnalyte& analyte = *m_context.CurrentAnalyte;
    m_view.Selected = TQCEntry::StoreRun(analyte, run, m_context.Risks());
    RecomputeChartWindow();
    RepaintCharts();
    SaveDataFile();
}

void TWinMain::HoldRun(TResu0 run)
{
    if (!m_context.ListFifo.Push(std::move(run)))
        m_dialogs.Error(QStringLiteral("Unable to save fifo"), mbYes, this);
    RefreshFifoCaption();
}

void TWinMain::SaveDataFile()
{
    if (!SaveData(m_context, DataFileName(m_context)))
        m_dialogs.Error(QStringLiteral("Cannot save data"), mbYes, this);
}

