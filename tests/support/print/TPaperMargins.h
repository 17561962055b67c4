#pragma once
#include <QString>

// The smallest distances, in millimetres, from the paper's edges to what a PDF
// file prints: to the box of any word (`pdftotext -bbox`) and to any ink of its
// pages drawn at 72 pixels per inch (`pdftoppm`). Negative when something lies
// beyond the paper; -1000 when a tool fails or nothing is printed.
struct TPaperMargins {
    double Words = -1000;
    double Ink = -1000;
};
TPaperMargins PaperMargins(const QString& pdfFile);
