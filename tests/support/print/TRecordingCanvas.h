#pragma once
#include "TPrintCanvas.h"

#include <functional>

// A printing layer that records every drawing call with its coordinates and drawing state. Its fonts
// have round metrics, a character 1.25 and a line 2.5 pixels per point (10 and 20 at 8 points), so
// positions can be worked out by hand.
class TRecordingCanvas : public TPrintCanvas {
public:
    enum TOp { RectangleOp, EllipseOp, PolygonOp, LineOp, TextOutOp, TextRectOp };
    struct TCall {
        TOp Op;
        QList<int> Args; // left, top, right, bottom / x1, y1, x2, y2 / x, y
        QString Text;
        TPrintFont Font;
        TPrintPen Pen;
        QColor Brush;
        TTextAlign Align;
        int Page; // 1 for the first page
    };
    using TTest = std::function<bool(const TCall&)>;

    TRecordingCanvas(int width = 1000, int height = 1500)
        : m_width(width)
        , m_height(height)
    {
    }
    bool BeginDoc(const QString&, TOrientation) override { return true; }
    bool EndDoc() override { return true; }
    void NewPage() override { ++Pages; }
    int PageWidth() const override { return m_width; }
    int PageHeight() const override { return m_height; }
    int Resolution() const override { return 100; }
    QSize TextExtent(const QString& text) override
    {
        return QSize(int(text.size()) * TextMetrics().AverageCharWidth, TextMetrics().Height);
    }
    TTextMetrics TextMetrics() override { return { Font().PointSize * 5 / 2, Font().PointSize * 5 / 4 }; }
    void Rectangle(int l, int t, int r, int b) override { Record(RectangleOp, { l, t, r, b }); }
    void Ellipse(int l, int t, int r, int b) override { Record(EllipseOp, { l, t, r, b }); }
    void Polygon(const QList<QPoint>&) override { Record(PolygonOp, {}); }
    void Line(int x1, int y1, int x2, int y2) override { Record(LineOp, { x1, y1, x2, y2 }); }
    void TextOut(int x, int y, const QString& text) override { Record(TextOutOp, { x, y }, text); }
    void TextRect(int l, int t, int r, int b, const QString& text) override
    {
        Record(TextRectOp, { l, t, r, b }, text);
    }

    QList<TCall> Find(TOp op, const TTest& test = {}) const;
    // The texts drawn (TextOut and TextRect) that pass a test.
    QStringList Texts(const TTest& test = {}) const;
    // The calls of one kind that pass a test as "page:arguments text detail", separated by blanks.
    QString Describe(TOp op, const TTest& test, const std::function<QString(const TCall&)>& detail = {}) const;

    QList<TCall> Calls;
    int Pages = 1; // the current page counts from the start, as the table printer expects

private:
    void Record(TOp op, const QList<int>& args, const QString& text = QString())
    {
        Calls.append({ op, args, text, Font(), Pen(), Brush(), TextAlign(), Pages });
    }

    int m_width;
    int m_height;
};
