#pragma once
#include "TPrintCanvas.h"

#include <QFont>
#include <QPainter>
#include <memory>

class QFontMetrics;
class QPagedPaintDevice;
class QPaintDevice;

// The printing layer on a Qt paged device: a printer in the program, a PDF
// writer in the companion and the tests. The device is not owned.
class TPainterCanvas : public TPrintCanvas {
public:
    explicit TPainterCanvas(QPagedPaintDevice& device);
    // A canvas of one page on an image or another device without pages: the
    // windows draw what they also print with it.
    explicit TPainterCanvas(QPaintDevice& device);
    ~TPainterCanvas() override;

    bool BeginDoc(const QString& jobTitle, TOrientation orientation) override;
    bool EndDoc() override;
    void NewPage() override;
    int PageWidth() const override;
    int PageHeight() const override;
    int Resolution() const override;

    QSize TextExtent(const QString& text) override;
    TTextMetrics TextMetrics() override;

    void Rectangle(int left, int top, int right, int bottom) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void Polygon(const QList<QPoint>& points) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void TextOut(int x, int y, const QString& text) override;
    void TextRect(int left, int top, int right, int bottom, const QString& text) override;

    // The least distance from the paper's edge to the printable area, made
    // when a document begins.
    static constexpr int MinimumMarginMm = 10;

    // The Qt font a printing font stands for: "Arial" is printed in Liberation
    // Sans, which has its metrics.
    static QFont QtFont(const TPrintFont& font);

protected:
    // Gives the job title to the device (a PDF's title, a printer's document name).
    virtual void SetJobTitle(const QString& title);

private:
    const QFontMetrics& Metrics();
    void ApplyPen();
    void ApplyFill();

    QPaintDevice& m_device;
    QPagedPaintDevice* m_paged = nullptr; // null without pages
    QPainter m_painter;
    // The font last given to the painter, and its metrics.
    TPrintFont m_appliedFont;
    std::unique_ptr<QFontMetrics> m_metrics;
};
