#include "TRecordingCanvas.h"

TRecordingCanvas::TRecordingCanvas(int width, int height)
    : m_width(width)
    , m_height(height)
{
}

void TRecordingCanvas::Record(TOp op, QList<int> args, const QString& text)
{
    Calls.append({ op, std::move(args), text, Font(), Pen(), Brush(), TextAlign(), Pages });
}

bool TRecordingCanvas::BeginDoc(const QString& jobTitle, TOrientation orientation)
{
    JobTitle = jobTitle;
    Orientation = orientation;
    Pages = 1;
    Record(BeginDocOp, {});
    return true;
}

bool TRecordingCanvas::EndDoc()
{
    Record(EndDocOp, {});
    return true;
}

void TRecordingCanvas::NewPage()
{
    ++Pages;
    Record(NewPageOp, {});
}

QSize TRecordingCanvas::TextExtent(const QString& text)
{
    const TTextMetrics m = TextMetrics();
    return QSize(int(text.size()) * m.AverageCharWidth, m.Height);
}

TTextMetrics TRecordingCanvas::TextMetrics() { return { Font().PointSize * 5 / 2, Font().PointSize * 5 / 4 }; }

void TRecordingCanvas::Rectangle(int left, int top, int right, int bottom)
{
    Record(RectangleOp, { left, top, right, bottom });
}

void TRecordingCanvas::Ellipse(int left, int top, int right, int bottom)
{
    Record(EllipseOp, { left, top, right, bottom });
}

void TRecordingCanvas::Polygon(const QList<QPoint>& points)
{
    QList<int> args;
    for (const QPoint& p : points)
        args << p.x() << p.y();
    Record(PolygonOp, args);
}

void TRecordingCanvas::Line(int x1, int y1, int x2, int y2) { Record(LineOp, { x1, y1, x2, y2 }); }

void TRecordingCanvas::TextOut(int x, int y, const QString& text) { Record(TextOutOp, { x, y }, text); }

void TRecordingCanvas::TextRect(int left, int top, int right, int bottom, const QString& text)
{
    Record(TextRectOp, { left, top, right, bottom }, text);
}

QList<TRecordingCanvas::TCall> TRecordingCanvas::Find(TOp op, const std::function<bool(const TCall&)>& test) const
{
    QList<TCall> found;
    for (const TCall& call : Calls)
        if (call.Op == op && (!test || test(call)))
            found.append(call);
    return found;
}

QStringList TRecordingCanvas::Texts(const std::function<bool(const TCall&)>& test) const
{
    QStringList texts;
    for (const TCall& call : Calls)
        if ((call.Op == TextOutOp || call.Op == TextRectOp) && (!test || test(call)))
            texts.append(call.Text);
    return texts;
}
