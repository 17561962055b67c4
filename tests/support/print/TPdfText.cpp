#include "TPdfText.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {
QByteArray Run(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    const bool done = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    return done && process.exitCode() == 0 ? process.readAllStandardOutput() : QByteArray();
}
// The least distance in mm of the box l, t, r, b from the edges of a page w x h measured in points.
double Least(double l, double t, double r, double b, double w, double h)
{
    return std::min({ l, t, w - r, h - b }) * 25.4 / 72;
}
} // namespace

QString PdfText(const QString& fileName) { return QString::fromUtf8(Run("pdftotext", { "-layout", fileName, "-" })); }

TPaperMargins PaperMargins(const QString& pdfFile)
{
    TPaperMargins m { 1e9, 1e9 };
    static const QRegularExpression box(
        R"re(<(page|word) \w+="([-\d.]+)" \w+="([-\d.]+)"(?: \w+="([-\d.]+)" \w+="([-\d.]+)")?)re");
    double w = 0, h = 0;
    for (auto it = box.globalMatch(QString::fromUtf8(Run("pdftotext", { "-bbox", pdfFile, "-" }))); it.hasNext();) {
        const QRegularExpressionMatch x = it.next();
        const auto at = [&x](int i) { return x.captured(i).toDouble(); };
        if (x.captured(1) == "page")
            std::tie(w, h) = std::pair(at(2), at(3));
        else
            m.Words = std::min(m.Words, Least(at(2), at(3), at(4), at(5), w, h));
    }
    QTemporaryDir dir;
    Run("pdftoppm", { "-r", "72", "-png", pdfFile, dir.filePath("page") });
    for (const QString& file : QDir(dir.path()).entryList({ "*.png" })) {
        const QImage page = QImage(dir.filePath(file)).convertToFormat(QImage::Format_Grayscale8);
        QRect ink;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (page.constScanLine(y)[x] < 250)
                    ink |= QRect(x, y, 1, 1);
        if (!ink.isEmpty()) // a pixel a point at 72 dpi
            m.Ink = std::min(
                m.Ink, Least(ink.left(), ink.top(), ink.right() + 1, ink.bottom() + 1, page.width(), page.height()));
    }
    return { m.Words < 1e9 ? m.Words : -1, m.Ink < 1e9 ? m.Ink : -1 };
}
