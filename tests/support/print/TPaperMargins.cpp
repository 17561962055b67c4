#include "TPaperMargins.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>

namespace {

constexpr double MmPerPoint = 25.4 / 72;

bool Run(const QString& tool, const QStringList& arguments, QByteArray* output = nullptr)
{
    QProcess process;
    process.start(tool, arguments);
    const bool done
        = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (output)
        *output = process.readAllStandardOutput();
    return done;
}

// The least of the distances from the four edges of a page of width w and height h.
double Least(double left, double top, double right, double bottom, double w, double h)
{
    return std::min({ left, top, w - right, h - bottom });
}

} // namespace

TPaperMargins PaperMargins(const QString& pdfFile)
{
    TPaperMargins margins;
    QByteArray html;
    if (Run(QStringLiteral("pdftotext"), { QStringLiteral("-bbox"), pdfFile, QStringLiteral("-") }, &html)) {
        static const QRegularExpression tag(
            R"re(<(page|word) [a-zA-Z]+="([-\d.]+)" [a-zA-Z]+="([-\d.]+)"(?: [a-zA-Z]+="([-\d.]+)" [a-zA-Z]+="([-\d.]+)")?)re");
        double w = 0, h = 0, least = 1e9;
        for (auto it = tag.globalMatch(QString::fromUtf8(html)); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            if (m.captured(1) == QLatin1String("page")) {
                w = m.captured(2).toDouble();
                h = m.captured(3).toDouble();
            } else {
                least = std::min(least,
                    Least(m.captured(2).toDouble(), m.captured(3).toDouble(), m.captured(4).toDouble(),
                        m.captured(5).toDouble(), w, h));
            }
        }
        if (least < 1e9)
            margins.Words = least * MmPerPoint;
    }
    QTemporaryDir dir;
    if (!Run(QStringLiteral("pdftoppm"),
            { QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"), pdfFile,
                dir.filePath(QStringLiteral("page")) }))
        return margins;
    double least = 1e9;
    for (const QFileInfo& file : QDir(dir.path()).entryInfoList({ QStringLiteral("page*.png") })) {
        const QImage page = QImage(file.filePath()).convertToFormat(QImage::Format_Grayscale8);
        QRect ink;
        for (int y = 0; y < page.height(); ++y) {
            const uchar* line = page.constScanLine(y);
            for (int x = 0; x < page.width(); ++x)
                if (line[x] < 250)
                    ink |= QRect(x, y, 1, 1);
        }
        if (!ink.isEmpty())
            least = std::min(
                least, Least(ink.left(), ink.top(), ink.right() + 1, ink.bottom() + 1, page.width(), page.height()));
    }
    if (least < 1e9)
        margins.Ink = least * MmPerPoint;
    return margins;
}
