#include "TPdfText.h"

#include <QFile>
#include <QProcess>

QString PdfText(const QString& fileName)
{
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), { QStringLiteral("-layout"), fileName, QStringLiteral("-") });
    if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        return {};
    return QString::fromUtf8(tool.readAllStandardOutput());
}

bool PdfToPng(const QString& fileName, const QString& pngFile, int dpi)
{
    QString stem = pngFile;
    stem.chop(4); // pdftoppm adds ".png" itself
    QFile::remove(pngFile);
    return QProcess::execute(QStringLiteral("pdftoppm"),
               { QStringLiteral("-png"), QStringLiteral("-singlefile"), QStringLiteral("-r"), QString::number(dpi),
                   fileName, stem })
        == 0
        && QFile::exists(pngFile);
}
