void TWinMain::RefreshFifoCaption()
{
    const int count = m_context.ListFifo.Count();
    BtFifo->setText(QStringLiteral("&Queue : %1").arg(count));
    if (count > 0) {
        if (!TimerBtFifo->isActive())
            TimerBtFifo->start();
    } else if (TimerBtFifo->isActive()) {
        TimerBtFifo->stop();
        ShapeFifo->SetBrushColor(LimeLight);
    }
}

