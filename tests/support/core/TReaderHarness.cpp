#include "TReaderHarness.h"

#include "TByteImage.h"
#include "TFailDevice.h"

#include <QBuffer>
#include <QtTest>

QString ReadFromBytes(const TReadAttempt& read, QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return read(buffer);
}

void AddDamageColumns()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("extra");
    QTest::addColumn<int>("width");
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("reason");
}

QString DamageNotRefused(const TReadAttempt& read, QByteArray image, const QMap<QString, int>& at)
{
    QFETCH(QString, field);
    QFETCH(int, extra);
    QFETCH(int, width);
    QFETCH(qint64, value);
    QFETCH(QString, reason);
    if (!at.contains(field))
        return "no field " + field;
    PatchBytes(image, at[field] + extra, width, value);
    const QString error = ReadFromBytes(read, image);
    return error.contains(reason) && error.contains(" byte ") ? QString() : error;
}

QString CutNotRefused(const TReadAttempt& read, const QByteArray& image, int tail, const QList<int>& ends)
{
    for (int cut = 0; cut < image.size(); ++cut) {
        const QString bare = ends.contains(cut) ? QString() : ReadFromBytes(read, image.left(cut));
        if (bare.startsWith('<'))
            return QString("cut at %1: %2").arg(cut).arg(bare);
    }
    for (int cut = 0; tail > 0 && cut < image.size() - tail; ++cut) {
        const QString mended = ReadFromBytes(read, image.left(cut) + image.right(tail));
        if (mended.startsWith('<'))
            return QString("cut at %1 with the end put back: %2").arg(cut).arg(mended);
    }
    return QString();
}

QString ReadFailureMissed(const TReadAttempt& read, const QByteArray& image, const QString& shortRead)
{
    for (int limit = 0; limit < image.size(); ++limit) {
        TFailDevice device(limit, image);
        device.open(QIODevice::ReadOnly);
        const QString error = read(device);
        if (!error.contains("Simulated read failure") && (shortRead.isEmpty() || !error.contains(shortRead)))
            return QString("failing after %1 bytes: %2").arg(limit).arg(error);
    }
    return QString();
}

QString WriteFailureMissed(const TWriteAttempt& write, int size)
{
    for (int limit = 0; limit < size; ++limit) {
        TFailDevice device(limit);
        device.open(QIODevice::WriteOnly);
        const QString error = write(device);
        if (!error.contains("Simulated write failure"))
            return QString("failing after %1 bytes: %2").arg(limit).arg(error);
    }
    return QString();
}
