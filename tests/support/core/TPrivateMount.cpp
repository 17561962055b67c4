#include "TPrivateMount.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <sched.h>
#include <sys/mount.h>

namespace {

QString SystemError(const char* what) { return QStringLiteral("%1: %2").arg(what, strerror(errno)); }

} // namespace

TPrivateMount::TPrivateMount(const QString& folder, int kilobytes)
    : m_folder(folder)
{
    const QByteArray path = QFile::encodeName(folder);
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
    if (unshare(CLONE_NEWNS) != 0)
        m_reason = SystemError("unshare(CLONE_NEWNS) (needs root)");
    else if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        m_reason = SystemError("making the mounts private");
    else if (mount("tmpfs", path.constData(), "tmpfs", 0, options.constData()) != 0)
        m_reason = SystemError("mounting a tmpfs");
    else
        m_ok = true;
}

TPrivateMount::~TPrivateMount()
{
    if (!m_ok)
        return;
    SetReadOnly(false);
    umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
}

bool TPrivateMount::Fill()
{
    QFile ballast(m_folder + QStringLiteral("/ballast"));
    if (!ballast.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    const QByteArray block(4096, 'x');
    while (ballast.write(block) == block.size()) { }
    return true;
}

void TPrivateMount::Drain() { QFile::remove(m_folder + QStringLiteral("/ballast")); }

bool TPrivateMount::SetReadOnly(bool readOnly)
{
    const QByteArray path = QFile::encodeName(m_folder);
    if (readOnly == m_readOnly)
        return true;
    if (!readOnly) {
        m_readOnly = umount2(path.constData(), MNT_DETACH) != 0;
        return !m_readOnly;
    }
    m_readOnly = mount(path.constData(), path.constData(), nullptr, MS_BIND, nullptr) == 0;
    if (m_readOnly && mount(nullptr, path.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
        umount2(path.constData(), MNT_DETACH);
        m_readOnly = false;
    }
    return m_readOnly;
}
