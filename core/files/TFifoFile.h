#pragma once
#include "TFifo.h"
#include "TQCTypes.h"

#include <QString>
#include <deque>
#include <memory>

class QIODevice;
class TBinaryReader;
class TBinaryWriter;

// The queue file: records one after the other up to the end of the file, with no
// header, count or stamp. A record is DateTime (double), three value cells (single,
// status byte, 3 unused bytes), then Comment, Operator and Analyte as long strings.
class TFifoReader {
public:
    // Reads every record. False when the file is cut inside a record or a record
    // is not sound (a status beyond "no value", a date or counted value that is
    // not a number); `records` is then left as it was.
    [[nodiscard]] bool Read(QIODevice& device, std::deque<TResu0>& records);
    // A missing file is a failure like any other.
    [[nodiscard]] bool ReadFile(const QString& fileName, std::deque<TResu0>& records);
    const QString& ErrorString() const { return m_error; }

    static bool ReadRecord(TBinaryReader& in, TResu0& record);

private:
    QString m_error;
};

class TFifoWriter {
public:
    [[nodiscard]] bool Write(QIODevice& device, const std::deque<TResu0>& records);
    // Replaces the file atomically; on failure the previous file stays and
    // ErrorString() holds the system's reason.
    [[nodiscard]] bool WriteFile(const QString& fileName, const std::deque<TResu0>& records);
    const QString& ErrorString() const { return m_error; }

    static void WriteRecord(TBinaryWriter& out, const TResu0& record);

private:
    QString m_error;
};

// The queue file `fileName` as the store of a queue (TFifo::SetStore).
std::shared_ptr<TFifoStore> FifoFileStore(const QString& fileName);
