#pragma once
#include "TConfigRecord.h"

#include <QString>
#include <QStringList>

class QIODevice;
class TBinaryReader;

// Reads a configuration file: the 40-byte settings record, the operator codes
// and, when the file goes on after them, the backup folder (older files end
// after the operators). The record is refused when its stamp bytes are wrong or
// a field is out of its range (a password longer than 10, risks outside their
// rows, a date that is not a number).
class TConfigReader {
public:
    // True when the whole file was sound. On failure ErrorString() says where,
    // Record() is only meaningful when RecordRead(), and Operators() holds the
    // codes read before the failure, in file order.
    bool Read(QIODevice& device);
    // Opens and reads a file; a missing file is a failure like any other.
    bool ReadFile(const QString& fileName);

    bool RecordRead() const { return m_recordRead; }
    const TConfigRecord& Record() const { return m_record; }
    const QStringList& Operators() const { return m_operators; }
    const QString& ErrorString() const { return m_error; }

    // Reads and checks the 40-byte record alone.
    static bool ReadRecord(TBinaryReader& in, TConfigRecord& record);

private:
    bool Fail(const QString& reason);

    TConfigRecord m_record;
    bool m_recordRead = false;
    QStringList m_operators;
    QString m_error;
};
