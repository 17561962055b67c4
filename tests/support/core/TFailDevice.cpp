#include "TFailDevice.h"

#include <QDir>
#include <QFile>
#include <QProcess>

qint64 TFailDevice::writeData(const char* data, qint64 len)
{
    const qint64 room = m_limit - m_written;
    if (room <= 0) {
        setErrorString("Simulated write failure");
        return -1;
    }
    const qint64 n = QBuffer::writeData(data, qMin(len, room));
    m_written += qMax<qint64>(n, 0);
    return n;
}

qint64 TFailDevice::readData(char* data, qint64 maxlen)
{
    const qint64 room = m_limit - m_read;
    if (room <= 0) {
        setErrorString("Simulated read failure");
        return -1;
    }
    const qint64 n = QBuffer::readData(data, qMin(maxlen, room));
    m_read += qMax<qint64>(n, 0);
    return n;
}

TReadOnlyFolder::TReadOnlyFolder(const QString& path)
    : m_path(path)
{
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
    if (Refuses()) {
        m_active = true;
        return;
    }
    m_immutable = QProcess::execute("chattr", { "+i", path }) == 0;
    m_active = m_immutable && Refuses();
}

TReadOnlyFolder::~TReadOnlyFolder()
{
    if (m_immutable)
        QProcess::execute("chattr", { "-i", m_path });
    QFile::setPermissions(
        m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
}

bool TReadOnlyFolder::Refuses() const
{
    QFile probe(QDir(m_path).filePath(".probe"));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.close();
        probe.remove();
        return false;
    }
    return true;
}
