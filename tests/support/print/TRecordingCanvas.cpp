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

QString TRecordingCanvas::Describe(TOp op, const TTest& test, const std::function<QString(const TCall&)>& detail) const
{
    QStringList drawn;
    for (const TCall& c : Find(op, test)) {
        QStringList args;
        for (int a : c.Args)
            args << QString::number(a);
        QString call = QString::number(c.Page) + ':' + args.join(',');
        for (const QString& more : { c.Text, detail ? detail(c) : QString() })
            if (!more.isEmpty())
                call += ' ' + more;
        drawn << call;
    }
    return drawn.join(' ');
}
