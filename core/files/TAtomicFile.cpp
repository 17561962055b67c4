#include "TAtomicFile.h"

#include "TFileLog.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char TemporaryMarker[] = ".vantorel-tmp-";
constexpr int TemporarySuffixLength = 6;

// A file descriptor closed on every road out.
class TDescriptor {
public:
    explicit TDescriptor(int fd)
        : m_fd(fd)
    {
    }
    ~TDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    int Get() const { return m_fd; }
    bool Valid() const { return m_fd >= 0; }

private:
    int m_fd;
};

QString Reason(int code) { return qt_error_string(code); }

QByteArray RandomSuffix()
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray suffix(TemporarySuffixLength, '0');
    for (char& c : suffix)
        c = letters[QRandomGenerator::global()->bounded(int(sizeof(letters) - 1))];
    return suffix;
}

// Creates a new temporary file beside `target` and locks it until it is closed:
// the start-up clean-up leaves a locked file alone. -1 with errno on failure.
int CreateTemporary(const QByteArray& target, mode_t mode, QByteArray& name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + TemporaryMarker + RandomSuffix();
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd >= 0 && ::flock(fd, LOCK_EX) != 0) {
            const int code = errno;
            ::close(fd);
            ::unlink(name.constData());
            errno = code;
            return -1;
        }
        return fd;
    }
    errno = EEXIST;
    return -1;
}

// Every byte written, or false with errno (a full disk shows here on most file
// systems, at the latest at fsync).
bool WriteAll(int fd, const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size_t(std::min<qint64>(size, 1 << 30)));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// Makes the rename itself durable. The new file is already in place: a failure
// here is only logged.
void SyncFolder(const QByteArray& folder)
{
    const TDescriptor dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.Valid() || (::fsync(dir.Get()) != 0 && errno != EINVAL))
        qCWarning(lcFiles).noquote() << "Cannot sync the folder" << QFile::decodeName(folder) << ":" << Reason(errno);
}

bool Fail(const QString& fileName, const QString& reason, QString* error)
{
    const QString message = QStringLiteral("Cannot write %1: %2").arg(fileName, reason);
    qCWarning(lcFiles).noquote() << message;
    if (error)
        *error = message;
    return false;
}

} // namespace

bool WriteFileAtomically(const QString& fileName, const QByteArray& bytes, QString* error)
{
    // A link is followed: its target is replaced, the link stays.
    const QFileInfo info(fileName);
    const QString targetName = info.isSymLink() ? info.symLinkTarget() : fileName;
    const QByteArray target = QFile::encodeName(targetName);
    mode_t mode = 0666; // narrowed by the umask for a new file
    struct stat existing;
    const bool replacing = ::stat(target.constData(), &existing) == 0;
    if (replacing) {
        // A file the user made read-only stays as it is.
        if (::access(target.constData(), W_OK) != 0)
            return Fail(fileName, Reason(errno), error);
        mode = existing.st_mode & 07777;
    }
    QByteArray temporary;
    const TDescriptor fd(CreateTemporary(target, mode, temporary));
    if (!fd.Valid())
        return Fail(fileName, Reason(errno), error);
    const bool written = WriteAll(fd.Get(), bytes.constData(), bytes.size())
        && (!replacing || ::fchmod(fd.Get(), mode) == 0) && ::fsync(fd.Get()) == 0
        && ::rename(temporary.constData(), target.constData()) == 0;
    if (!written) {
        const int code = errno;
        ::unlink(temporary.constData());
        return Fail(fileName, Reason(code), error);
    }
    SyncFolder(QFile::encodeName(QFileInfo(targetName).absolutePath()));
    return true;
}

bool WriteFileAtomically(const QString& fileName, const std::function<bool(QIODevice&)>& write, QString* error)
{
    // The whole content is made in memory first, so nothing can fail half-way
    // through it on the disk.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!write(buffer))
        return Fail(fileName, QStringLiteral("the content could not be made"), error);
    buffer.close();
    return WriteFileAtomically(fileName, bytes, error);
}

bool IsAtomicTemporaryName(const QString& name)
{
    static const QRegularExpression pattern(
        QStringLiteral("^.+\\.vantorel-tmp-[A-Za-z0-9]{%1}$").arg(TemporarySuffixLength));
    return pattern.match(name).hasMatch();
}

QStringList RemoveStaleTemporaryFiles(const QString& folder)
{
    QStringList removed;
    const QDir dir(folder);
    const QString filter = QStringLiteral("*") + QLatin1String(TemporaryMarker) + QString(TemporarySuffixLength, '?');
    for (const QString& name : dir.entryList({ filter }, QDir::Files | QDir::Hidden | QDir::System)) {
        if (!IsAtomicTemporaryName(name))
            continue;
        const QByteArray path = QFile::encodeName(dir.filePath(name));
        const TDescriptor fd(::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
        struct stat opened, current;
        // A writer holds its lock until the file is renamed or removed; the name
        // must still be the file that was opened and locked.
        const bool stale = fd.Valid() && ::flock(fd.Get(), LOCK_EX | LOCK_NB) == 0 && ::fstat(fd.Get(), &opened) == 0
            && S_ISREG(opened.st_mode) && ::lstat(path.constData(), &current) == 0 && current.st_dev == opened.st_dev
            && current.st_ino == opened.st_ino;
        if (!stale) {
            qCInfo(lcStorage).noquote() << "Left" << dir.filePath(name) << "(in use or not a plain file)";
            continue;
        }
        if (::unlink(path.constData()) != 0) {
            qCWarning(lcStorage).noquote() << "Cannot remove" << dir.filePath(name) << ":" << Reason(errno);
            continue;
        }
        qCInfo(lcStorage).noquote() << "Removed the temporary file" << dir.filePath(name)
                                    << "left by an interrupted save";
        removed << name;
    }
    return removed;
}

bool FolderWritable(const QString& folder, QString* reason)
{
    // Really writable, not only by its permission bits (a read-only mount says otherwise).
    const QByteArray probe = QFile::encodeName(QDir(folder).filePath(QStringLiteral(".vantorel-probe")));
    QByteArray name;
    const TDescriptor fd(folder.isEmpty() ? -1 : CreateTemporary(probe, 0600, name));
    if (!fd.Valid()) {
        if (reason)
            *reason = folder.isEmpty() ? QStringLiteral("No folder") : Reason(errno);
        return false;
    }
    ::unlink(name.constData());
    return true;
}

bool FolderReadable(const QString& folder, QString* reason)
{
    if (!folder.isEmpty() && ::access(QFile::encodeName(folder).constData(), R_OK | X_OK) == 0)
        return true;
    if (reason)
        *reason = folder.isEmpty() ? QStringLiteral("No folder") : Reason(errno);
    return false;
}

bool DiskPresent(const QString& folder) { return !folder.isEmpty() && QFileInfo(folder).isDir(); }
