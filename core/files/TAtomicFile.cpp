#include "TAtomicFile.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

bool WriteFileAtomically(const QString& fileName, const std::function<bool(QIODevice&)>& write, QString* error)
{
    QSaveFile file(fileName);
    auto fail = [&](const QString& reason) {
        file.cancelWriting();
        if (error)
            *error = QString("Cannot write %1: %2").arg(fileName, reason);
        return false;
    };
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (!write(file) || file.error() != QFileDevice::NoError)
        return fail(file.error() != QFileDevice::NoError ? file.errorString() : QStringLiteral("write failed"));
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

bool DiskPresent(const QString& folder)
{
    if (folder.isEmpty())
        return false;
    const QFileInfo info(folder);
    if (!info.isDir())
        return false;
    // Writable in fact, not only by its permission bits (a read-only mount says otherwise).
    QTemporaryFile probe(info.absoluteFilePath() + "/.vantorel-probe-XXXXXX");
    return probe.open();
}
