#pragma once
#include <QString>
#include <functional>

class QFile;
class QIODevice;
class TBinaryReader;

// What the program's binary file readers share: the name of the section being
// read, the first failure with its byte offset, and record counts checked against
// what is left of the file before anything is allocated for them.
class TSectionReader {
public:
    // The first failure: the section, what was wrong and the byte offset.
    const QString& ErrorString() const { return m_error; }

    // True when an interval of points first..last may be stored with `count`
    // points: -1 for "none", or inside the points; an interval emptied by
    // deletions (last = first - 1) is allowed, the recompute unlocks it.
    static bool LockIntervalValid(qint32 first, qint32 last, qint32 count);

protected:
    void Begin();
    // Opens a file for reading: false, failed with the system's reason, when it cannot.
    bool OpenForReading(QFile& file);
    // Runs `read` on the device, or on a copy in memory of a sequential device
    // (the readers look at the end of the file first).
    static bool OnSeekable(QIODevice& device, const std::function<bool(QIODevice&)>& read);
    void SetSection(const QString& section) { m_section = section; }
    const QString& Section() const { return m_section; }
    // Keeps the first reason, prefixed by the section; returns false.
    bool Fail(const QString& reason);
    bool FailAt(qint64 offset, const QString& what);
    // False (with the reader's reason) once the reader has failed.
    bool Check(const TBinaryReader& in);
    // A record count: false unless 0 <= count and count records of at least
    // `minimumSize` bytes fit in what is left of the file.
    bool ReadCount(TBinaryReader& in, qint64 minimumSize, qint32& count);
    // A stamp whose six stamp bytes must match.
    bool ReadStamp(TBinaryReader& in);
    // Fails at `offset` unless a level's locked interval is valid for `count` points.
    bool CheckLockInterval(qint64 offset, int level, qint32 first, qint32 last, qint32 count);

private:
    QString m_section;
    QString m_error;
};
