#include "TPdfText.h"

#include <QProcess>

QString PdfText(const QString& fileName)
{
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), { QStringLiteral("-layout"), fileName, QStringLiteral("-") });
    const bool done = tool.waitForFinished(60000) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
    return done ? QString::fromUtf8(tool.readAllStandardOutput()) : QString();
}
