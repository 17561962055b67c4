#pragma once
#include "TPrintCanvas.h"

#include <QList>
#include <QString>
#include <functional>

// A printing layer that draws nothing and records every call with its
// coordinates and the drawing state of the moment. Its fonts have round
// metrics: a character is 1.25 and a line 2.5 pixels per point (10 and 20 at
// 8 points), so positions can be worked out by hand.
class TRecordingCanvas : public TPrintCanvas {
public:
    enum TOp { BeginDocOp, EndDocOp, NewPageOp, RectangleOp, EllipseOp, PolygonOp, LineOp, TextOutOp, TextRectOp };
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

    TRecordingCanvas(int width = 1000, int height = 1500);

    bool BeginDoc(const QString& jobTitle, TOrientation orientation) override;
    bool EndDoc() override;
    void NewPage() override;
    int PageWidth() const override { return m_width; }
    int PageHeight() const override { return m_height; }
    int Resolution() const override { return 100; }
    QSize TextExtent(const QString& text) override;
    TTextMetrics TextMetrics() override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void Polygon(const QList<QPoint>& points) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void TextOut(int x, int y, const QString& text) override;
    void TextRect(int left, int top, int right, int bottom, const QString& text) override;

    QList<TCall> Calls;
    QString JobTitle;
    TOrientation Orientation = TOrientation::Landscape;
    int Pages = 1; // the current page counts from the start, as PrintTable expects

    // The calls of one kind that pass a test, in order.
    QList<TCall> Find(TOp op, const std::function<bool(const TCall&)>& test = {}) const;
    // The texts drawn (TextOut and TextRect) that pass a test.
    QStringList Texts(const std::function<bool(const TCall&)>& test = {}) const;

private:
    void Record(TOp op, QList<int> args, const QString& text = QString());

    int m_width;
    int m_height;
};
