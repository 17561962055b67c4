#pragma once
#include <QString>

// The text of a PDF file as `pdftotext -layout` reads it, or an empty string
// when the tool fails.
QString PdfText(const QString& fileName);
// Renders the first page of a PDF file to `pngFile` at the given resolution
// with `pdftoppm`; false when the tool fails.
bool PdfToPng(const QString& fileName, const QString& pngFile, int dpi = 100);
