#include "TAtomicFile.h"

#include <QSaveFile>

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
