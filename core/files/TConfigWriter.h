#pragma once
#include "TConfigRecord.h"

#include <QString>
#include <QStringList>

class QIODevice;
class TBinaryWriter;

// Writes a configuration file: the 40-byte record, the operator count, each code
// as a long string, then the backup folder as one more long string.
class TConfigWriter {
public:
    [[nodiscard]] bool Write(QIODevice& device, const TConfigRecord& record, const QStringList& operators);
    // Replaces the file atomically; on failure the previous file stays and
    // ErrorString() holds the system's reason.
    [[nodiscard]] bool WriteFile(const QString& fileName, const TConfigRecord& record, const QStringList& operators);
    const QString& ErrorString() const { return m_error; }

    static void WriteRecord(TBinaryWriter& out, const TConfigRecord& record);

private:
    QString m_error;
};
