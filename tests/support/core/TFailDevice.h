#pragma once
#include <QBuffer>

// A buffer whose writes fail once `limit` bytes are written and whose reads fail once `limit`
// bytes are read: a disk that fills up or a medium that breaks part-way.
class TFailDevice : public QBuffer {
public:
    explicit TFailDevice(qint64 limit, const QByteArray& content = QByteArray())
        : m_limit(limit)
    {
        setData(content);
    }

protected:
    qint64 writeData(const char* data, qint64 len) override;
    qint64 readData(char* data, qint64 maxlen) override;

private:
    qint64 m_limit;
    qint64 m_done[2] = { 0, 0 }; // bytes read, bytes written
};

// A folder in which no file can be created or replaced while this object lives: permissions
// where they bind, the immutable attribute for a superuser. Active() is false when neither
// could be set (the test then has nothing to check).
class TReadOnlyFolder {
public:
    explicit TReadOnlyFolder(const QString& path);
    ~TReadOnlyFolder();
    bool Active() const { return m_active; }

private:
    bool Refuses() const;

    QString m_path;
    bool m_active = false;
    bool m_immutable = false;
};
