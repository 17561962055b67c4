#include "TReaderHarness.h"

#include "TByteImage.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryFile>
#include <QTest>

template <typename T> qint64 TFailDevice::Pass(T* data, qint64 len)
{
    constexpr int way = std::is_const_v<T>;
    if (m_done[way] >= m_limit) {
        setErrorString(way ? "Simulated write failure" : "Simulated read failure");
        return -1;
    }
    len = qMin(len, m_limit - m_done[way]);
    qint64 n = 0;
    if constexpr (way)
        n = QBuffer::writeData(data, len);
    else
        n = QBuffer::readData(data, len);
    m_done[way] += qMax<qint64>(n, 0);
    return n;
}

TReadOnlyFolder::TReadOnlyFolder(const QString& path)
    : m_path(path)
{
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
    if (!Active())
        QProcess::execute("chattr", { "+i", path });
}

TReadOnlyFolder::~TReadOnlyFolder()
{
    QProcess::execute("chattr", { "-i", m_path });
    QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

bool TReadOnlyFolder::Active() const { return !QTemporaryFile(QDir(m_path).filePath("probe")).open(); }

QString ReadFromBytes(const TReadAttempt& read, QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return read(buffer);
}

void AddDamageColumns()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("reason");
}

QString DamageNotRefused(const TReadAttempt& read, QByteArray image, const QMap<QString, int>& at)
{
    QFETCH(QString, damage);
    QFETCH(QString, reason);
    const QStringList part = damage.split(QRegularExpression("[+:=]"));
    if (part.size() != 4 || !at.contains(part[0]))
        return "not a damage: " + damage;
    PatchBytes(image, at[part[0]] + part[1].toInt(), part[2].toInt(), part[3].toLongLong(nullptr, 0));
    const QString error = ReadFromBytes(read, image);
    return error.contains(reason) && error.contains(" byte ") ? QString() : error;
}

QString CutNotRefused(const TReadAttempt& read, const QByteArray& image, int tail, const QList<int>& ends)
{
    for (int cut = 0; cut < image.size(); ++cut) {
        const QString bare = ends.contains(cut) ? QString() : ReadFromBytes(read, image.left(cut));
        const QString mended
            = tail > 0 && cut < image.size() - tail ? ReadFromBytes(read, image.left(cut) + image.right(tail)) : "";
        if (bare.startsWith('<') || mended.startsWith('<'))
            return QString("cut at %1: %2")
                .arg(cut)
                .arg(bare.startsWith('<') ? bare : mended + " with the end put back");
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

QString WriteFailureMissed(const std::function<QString(QIODevice&)>& write, int size)
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
