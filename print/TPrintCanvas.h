#pragma once
#include <QColor>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

// The printing layer: what every report draws with. Coordinates are device
// pixels of the page's printable area, origin at its top left; font sizes are
// points, turned into pixels through the device's resolution. Drawing state
// (font, pen, brush, text alignment) stays set until it is changed, as on a
// printer's canvas.
// Unchanged leaves the orientation the printer holds.
enum class TOrientation { Portrait, Landscape, Unchanged };
enum class TPenStyle { Solid, Dot };
// The horizontal reference of TextOut: x is the text's left edge, centre or
// right edge; y is always its top.
enum class TTextAlign { Left, Centre, Right };

struct TPrintFont {
    QString Family = QStringLiteral("Arial");
    int PointSize = 8;
    bool Bold = false;
    bool Italic = false;
    QColor Colour = Qt::black;
    bool operator==(const TPrintFont&) const = default;
};

struct TPrintPen {
    QColor Colour = Qt::black;
    TPenStyle Style = TPenStyle::Solid;
    bool operator==(const TPrintPen&) const = default;
};

// Height of a line of text (ascent + descent) and the average character
// width of the current font, in pixels.
struct TTextMetrics {
    int Height = 0;
    int AverageCharWidth = 0;
};

class TPrintCanvas {
public:
    virtual ~TPrintCanvas() = default;

    // Starts the document: the print job's title (an empty one leaves the
    // printer's), the page orientation, the first page. False when the device
    // cannot be opened (nothing is printed).
    virtual bool BeginDoc(const QString& jobTitle, TOrientation orientation) = 0;
    // Ends the document and hands it over to the printer or the file. False
    // when it could not be completed: no file is left then.
    virtual bool EndDoc() = 0;
    virtual void NewPage() = 0;
    // The printable area in device pixels, and the pixels per inch.
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;
    virtual int Resolution() const = 0;

    virtual QSize TextExtent(const QString& text) = 0;
    virtual TTextMetrics TextMetrics() = 0;

    // Outlined with the pen and filled with the brush; right and bottom lie
    // just outside the shape, as on the printer's canvas.
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    virtual void Ellipse(int left, int top, int right, int bottom) = 0;
    virtual void Polygon(const QList<QPoint>& points) = 0;
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    // One line of text with its top at y and x placed by the text alignment,
    // on a background of the brush colour.
    virtual void TextOut(int x, int y, const QString& text) = 0;
    // One line of text centred horizontally and vertically in the rectangle
    // (right and bottom just outside it) and clipped to it.
    virtual void TextRect(int left, int top, int right, int bottom, const QString& text) = 0;

    const TPrintFont& Font() const { return m_font; }
    void SetFont(const TPrintFont& font) { m_font = font; }
    void SetFontFamily(const QString& family) { m_font.Family = family; }
    void SetFontSize(int points) { m_font.PointSize = points; }
    void SetBold(bool bold) { m_font.Bold = bold; }
    void SetItalic(bool italic) { m_font.Italic = italic; }
    void SetFontColour(const QColor& colour) { m_font.Colour = colour; }

    const TPrintPen& Pen() const { return m_pen; }
    void SetPen(const QColor& colour, TPenStyle style = TPenStyle::Solid) { m_pen = { colour, style }; }
    const QColor& Brush() const { return m_brush; }
    void SetBrush(const QColor& colour) { m_brush = colour; }
    TTextAlign TextAlign() const { return m_align; }
    void SetTextAlign(TTextAlign align) { m_align = align; }

private:
    TPrintFont m_font;
    TPrintPen m_pen;
    QColor m_brush = Qt::white;
    TTextAlign m_align = TTextAlign::Left;
};
