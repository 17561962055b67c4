#include "TPaperMargins.h"

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
    return process.waitForFinished(60000) && process.exitCode() == 0 ? process.readAllStandardOutput() : "";
}
// The least distance of the box l, t, r, b from the edges of a page w x h, in mm for `perMm` units a mm.
double Least(double l, double t, double r, double b, double w, double h, double perMm)
{
    return std::min({ l, t, w - r, h - b }) / perMm;
}
} // namespace

TPaperMargins PaperMargins(const QString& pdfFile)
{
    TPaperMargins m { 1e9, 1e9 };
    static const QRegularExpression box(
        R"re(<(page|word) \w+="([-\d.]+)" \w+="([-\d.]+)"(?: \w+="([-\d.]+)" \w+="([-\d.]+)")?)re");
    double w = 0, h = 0;
    for (auto it = box.globalMatch(QString::fromUtf8(Run("pdftotext", { "-bbox", pdfFile, "-" }))); it.hasNext();) {
        const QRegularExpressionMatch x = it.next();
        if (x.captured(1) == "page")
            std::tie(w, h) = std::pair(x.captured(2).toDouble(), x.captured(3).toDouble());
        else
            m.Words = std::min(m.Words,
                Least(x.captured(2).toDouble(), x.captured(3).toDouble(), x.captured(4).toDouble(),
                    x.captured(5).toDouble(), w, h, 72 / 25.4));
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
        if (!ink.isEmpty())
            m.Ink = std::min(m.Ink,
                Least(
                    ink.left(), ink.top(), ink.right() + 1, ink.bottom() + 1, page.width(), page.height(), 72 / 25.4));
    }
    return { m.Words < 1e9 ? m.Words : -1, m.Ink < 1e9 ? m.Ink : -1 };
}
