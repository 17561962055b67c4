#pragma once
#include <QString>

// The text of a PDF file as `pdftotext -layout` reads it, or an empty string
// when the tool fails.
QString PdfText(const QString& fileName);
