#pragma once
#include <QString>

// The text of a PDF file as `pdftotext -layout` reads it, or an empty string
// when the tool fails.
QString PdfText(const QString& fileName);

// The least distance, in mm, from the paper's edge to any word box of a PDF
// (`pdftotext -bbox`) and to any ink of its pages (`pdftoppm` at 72 dpi); -1
// when a tool fails or prints nothing.
struct TPaperMargins {
    double Words = -1;
    double Ink = -1;
};
TPaperMargins PaperMargins(const QString& pdfFile);
