#include "TDesktopEntryFile.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

QMap<QString, QString> ReadDesktopEntry(const QString& fileName)
{
    QMap<QString, QString> keys;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return keys;
    bool inGroup = false;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
        if (line.startsWith('['))
            inGroup = line == QLatin1String("[Desktop Entry]");
        const qsizetype equals = line.indexOf('=');
        if (!inGroup || equals <= 0)
            continue;
        QString value;
        const QString raw = line.mid(equals + 1);
        for (qsizetype i = 0; i < raw.size(); ++i) {
            if (raw[i] != '\\' || i + 1 == raw.size()) {
                value += raw[i];
                continue;
            }
            const QChar next = raw[++i];
            value += next == 's' ? QChar(' ') : next == 'n' ? QChar('\n') : next == 't' ? QChar('\t') : next;
        }
        keys.insert(line.left(equals).trimmed(), value);
    }
    return keys;
}

QStringList ExecArguments(const QString& exec)
{
    QStringList arguments;
    QString current;
    bool quoted = false, any = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (quoted && c == '\\' && i + 1 < exec.size()) {
            current += exec[++i];
        } else if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (c == '%' && i + 1 < exec.size() && exec[i + 1] == '%') {
            current += c;
            ++i;
        } else if (c == ' ' && !quoted) {
            if (any || !current.isEmpty())
                arguments << current;
            current.clear();
            any = false;
        } else {
            current += c;
        }
    }
    if (any || !current.isEmpty())
        arguments << current;
    return arguments;
}

QString DesktopFileProblems(const QString& fileName)
{
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (validator.isEmpty())
        return QStringLiteral("absent");
    QProcess process;
    process.start(validator, { fileName });
    process.waitForFinished();
    QStringList problems;
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split('\n'))
        if (line.contains(QLatin1String("error:")) || line.contains(QLatin1String("warning:")))
            problems << line;
    if (process.exitCode() != 0 && problems.isEmpty())
        problems << QStringLiteral("exit code %1").arg(process.exitCode());
    return problems.join('\n');
}
