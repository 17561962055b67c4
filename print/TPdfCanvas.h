#pragma once
#include "TPainterCanvas.h"

#include <QBuffer>
#include <QPageSize>
#include <QString>
#include <memory>

class QPdfWriter;

// The file and the writer of a PDF canvas, made before the canvas that paints on them.
struct TPdfTarget {
    TPdfTarget(const QString& fileName, int resolution, QPageSize::PageSizeId paper);
    ~TPdfTarget();
    QString FileName;
    QBuffer Content; // the whole document, written to FileName at the end
    std::unique_ptr<QPdfWriter> Writer;
};

// The printing layer writing a PDF file: A4 (or the paper given) with the
// canvas's margins, 600 pixels per inch by default. The file appears only when EndDoc succeeds (through
// the checked atomic writer, so a full disk is a failure); before that, or after any failure, the
// previous file (or none) stays in place.
class TPdfCanvas : private TPdfTarget, public TPainterCanvas {
public:
    explicit TPdfCanvas(const QString& fileName, int resolution = 600, QPageSize::PageSizeId paper = QPageSize::A4);
    ~TPdfCanvas() override;

    bool BeginDoc(const QString& jobTitle, TOrientation orientation) override;
    bool EndDoc() override;

    // Why BeginDoc or EndDoc failed.
    const QString& ErrorString() const { return m_error; }

private:
    QString m_error;
};
