#pragma once
#include <QBuffer>
#include <QMap>
#include <functional>

// A buffer whose reads fail once `limit` bytes are read and whose writes fail once `limit` bytes
// are written: a medium that breaks part-way, a disk that fills up.
class TFailDevice : public QBuffer {
public:
    explicit TFailDevice(qint64 limit, const QByteArray& content = QByteArray())
        : m_limit(limit)
    {
        setData(content);
    }

protected:
    qint64 readData(char* data, qint64 maxlen) override { return Pass(data, maxlen); }
    qint64 writeData(const char* data, qint64 len) override { return Pass(data, len); }

private:
    template <typename T> qint64 Pass(T* data, qint64 len); // a write when T is const

    qint64 m_limit;
    qint64 m_done[2] = { 0, 0 }; // bytes read, bytes written
};

// While it lives, no file can be created or replaced in the folder: permissions where they bind,
// the immutable attribute for a superuser. Active() is false when neither could be set.
class TReadOnlyFolder {
public:
    explicit TReadOnlyFolder(const QString& path);
    ~TReadOnlyFolder();
    bool Active() const;

private:
    QString m_path;
};

// One harness for the binary readers (data file, version-2 file, configuration, queue): a test
// hands it a read of a device into the test's data, answering the reader's reason for refusing
// the input, or a text starting with '<' when it took the input or changed the data all the same.
// Each check answers the first case that went wrong, or an empty text.
using TReadAttempt = std::function<QString(QIODevice&)>;
QString ReadFromBytes(const TReadAttempt& read, QByteArray bytes);

// Table columns "damage", written "field+offset:width=value" (a little-endian value put `width`
// bytes past a named field of the image), and "reason", a part of the reader's refusal. The row's
// damage, applied to `image` with field offsets `at`, must be refused with the reason at a byte.
void AddDamageColumns();
QString DamageNotRefused(const TReadAttempt& read, QByteArray image, const QMap<QString, int>& at);
// Every proper prefix of the image must be refused, but for lengths `ends` where a file may end;
// with `tail` > 0, every prefix with the image's last `tail` bytes put back too.
QString CutNotRefused(const TReadAttempt& read, const QByteArray& image, int tail = 0, const QList<int>& ends = {});
// A device failing after each count of bytes short of the image must be reported, with its reason
// or `shortRead` where the reader stops at a read that came back short.
QString ReadFailureMissed(const TReadAttempt& read, const QByteArray& image, const QString& shortRead = QString());
// A writer (answering its error) on a device taking fewer bytes than `size` must report it.
QString WriteFailureMissed(const std::function<QString(QIODevice&)>& write, int size);
