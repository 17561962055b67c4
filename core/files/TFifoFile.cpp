#include "TFifoFile.h"

#include "TAtomicFile.h"
#include "TBinaryIO.h"

#include <QFile>
#include <cmath>

bool TFifoReader::ReadRecord(TBinaryReader& in, TResu0& record)
{
    const qint64 start = in.Pos();
    TResu0 r;
    r.DateTime = in.ReadDouble();
    for (TQCValue& cell : r.Values) {
        cell.Value = in.ReadSingle();
        cell.Status = in.ReadByte();
        for (quint8& b : cell.Unused)
            b = in.ReadByte();
    }
    r.Comment = in.ReadLongString();
    r.Operator = in.ReadLongString();
    r.Analyte = in.ReadLongString();
    if (!in.Ok())
        return false;
    bool sound = std::isfinite(r.DateTime);
    for (const TQCValue& cell : r.Values)
        sound = sound && cell.Status <= psNoValue && (!cell.IsCounted() || std::isfinite(cell.Value));
    if (!sound) {
        in.Fail(QString("Unsound queued result at byte %1").arg(start));
        return false;
    }
    record = std::move(r);
    return true;
}

bool TFifoReader::Read(QIODevice& device, std::deque<TResu0>& records)
{
    m_error.clear();
    std::deque<TResu0> fresh;
    TBinaryReader in(device);
    while (!in.AtEnd()) {
        TResu0 record;
        if (!ReadRecord(in, record)) {
            m_error = QString("Queued result %1: %2").arg(fresh.size() + 1).arg(in.ErrorString());
            return false;
        }
        fresh.push_back(std::move(record));
    }
    records = std::move(fresh);
    return true;
}

bool TFifoReader::ReadFile(const QString& fileName, std::deque<TResu0>& records)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = QString("Cannot open %1: %2").arg(fileName, file.errorString());
        return false;
    }
    return Read(file, records);
}

void TFifoWriter::WriteRecord(TBinaryWriter& out, const TResu0& record)
{
    out.WriteDouble(record.DateTime);
    for (const TQCValue& cell : record.Values) {
        out.WriteSingle(cell.Value);
        out.WriteByte(cell.Status);
        for (quint8 b : cell.Unused)
            out.WriteByte(b);
    }
    out.WriteLongString(record.Comment);
    out.WriteLongString(record.Operator);
    out.WriteLongString(record.Analyte);
}

bool TFifoWriter::Write(QIODevice& device, const std::deque<TResu0>& records)
{
    m_error.clear();
    TBinaryWriter out(device);
    for (const TResu0& record : records)
        WriteRecord(out, record);
    if (!out.Ok())
        m_error = QString("Write error: %1").arg(device.errorString());
    return out.Ok();
}

bool TFifoWriter::WriteFile(const QString& fileName, const std::deque<TResu0>& records)
{
    QString error;
    const bool ok = WriteFileAtomically(
        fileName, [&](QIODevice& device) { return Write(device, records); }, &error);
    m_error = ok ? QString() : error;
    return ok;
}

namespace {
class TFifoFileStore : public TFifoStore {
public:
    explicit TFifoFileStore(const QString& fileName)
        : m_fileName(fileName)
    {
    }
    bool Read(std::deque<TResu0>& records, QString* error) override
    {
        TFifoReader reader;
        const bool ok = reader.ReadFile(m_fileName, records);
        if (error)
            *error = reader.ErrorString();
        return ok;
    }
    bool Write(const std::deque<TResu0>& records, QString* error) override
    {
        TFifoWriter writer;
        const bool ok = writer.WriteFile(m_fileName, records);
        if (error)
            *error = writer.ErrorString();
        return ok;
    }

private:
    QString m_fileName;
};
} // namespace

std::shared_ptr<TFifoStore> FifoFileStore(const QString& fileName)
{
    return std::make_shared<TFifoFileStore>(fileName);
}
