#include "TFailDevice.h"

#include <QDir>
#include <QFile>
#include <QProcess>

qint64 TFailDevice::writeData(const char* data, qint64 len)
{
    if (m_done[1] >= m_limit) {
        setErrorString("Simulated write failure");
        return -1;
    }
    const qint64 n = QBuffer::writeData(data, qMin(len, m_limit - m_done[1]));
    m_done[1] += qMax<qint64>(n, 0);
    return n;
}

qint64 TFailDevice::readData(char* data, qint64 maxlen)
{
    if (m_done[0] >= m_limit) {
        setErrorString("Simulated read failure");
        return -1;
    }
    const qint64 n = QBuffer::readData(data, qMin(maxlen, m_limit - m_done[0]));
    m_done[0] += qMax<qint64>(n, 0);
    return n;
}

TReadOnlyFolder::TReadOnlyFolder(const QString& path)
    : m_path(path)
{
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
    if (!Refuses())
        m_immutable = QProcess::execute("chattr", { "+i", path }) == 0;
    m_active = Refuses();
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
    if (!probe.open(QIODevice::WriteOnly))
        return true;
    probe.remove();
    return false;
}
