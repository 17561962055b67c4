#include "TRecordingCanvas.h"

QList<TRecordingCanvas::TCall> TRecordingCanvas::Find(TOp op, const TTest& test) const
{
    QList<TCall> found;
    for (const TCall& call : Calls)
        if (call.Op == op && (!test || test(call)))
            found.append(call);
    return found;
}

QStringList TRecordingCanvas::Texts(const TTest& test) const
{
    QStringList texts;
    for (const TCall& call : Calls)
        if ((call.Op == TextOutOp || call.Op == TextRectOp) && (!test || test(call)))
            texts.append(call.Text);
    return texts;
}
