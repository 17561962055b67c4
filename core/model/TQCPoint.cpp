#include "TQCPoint.h"

#include "TWin1252.h"

#include <QtEndian>
#include <cmath>
#include <cstddef>
#include <cstring>

QString TQCPoint::Operator() const { return FromWin1252(OperatorBytes, OperatorLength); }

void TQCPoint::SetOperator(const QString& code)
{
    const QByteArray bytes = ToWin1252(code.left(OperatorCapacity));
    OperatorLength = quint8(bytes.size());
    std::memset(OperatorBytes, 0, sizeof OperatorBytes);
    std::memcpy(OperatorBytes, bytes.constData(), bytes.size());
}

void TQCPoint::WriteRecord(char out[RecordSize]) const
{
    qToLittleEndian(DateTime, out);
    for (int l = 0; l < MaxLevels; ++l) {
        char* cell = out + 8 + 8 * l;
        qToLittleEndian(Values[l].Value, cell);
        cell[4] = char(Values[l].Status);
        std::memcpy(cell + 5, Values[l].Unused, 3);
    }
    qToLittleEndian(CommentID, out + 32);
    out[36] = char(OperatorLength);
    std::memcpy(out + 37, OperatorBytes, OperatorCapacity);
    std::memcpy(out + 41, Unused, 3);
}

namespace {
// On a little-endian machine a point is laid out in memory as its record, so
// that a record is taken in one copy.
constexpr bool RecordIsMemoryLayout = Q_BYTE_ORDER == Q_LITTLE_ENDIAN && offsetof(TQCPoint, Values) == 8
    && sizeof(TQCValue) == 8 && offsetof(TQCValue, Status) == 4 && offsetof(TQCValue, Unused) == 5
    && offsetof(TQCPoint, CommentID) == 32 && offsetof(TQCPoint, OperatorLength) == 36
    && offsetof(TQCPoint, OperatorBytes) == 37 && offsetof(TQCPoint, Unused) == 41;
} // namespace

bool TQCPoint::ReadRecord(const char in[RecordSize])
{
    const quint8 length = quint8(in[36]);
    if (length > OperatorCapacity)
        return false;
    if constexpr (RecordIsMemoryLayout) {
        std::memcpy(static_cast<void*>(this), in, RecordSize);
    } else {
        DateTime = qFromLittleEndian<double>(in);
        for (int l = 0; l < MaxLevels; ++l) {
            const char* cell = in + 8 + 8 * l;
            Values[l].Value = qFromLittleEndian<float>(cell);
            Values[l].Status = quint8(cell[4]);
            std::memcpy(Values[l].Unused, cell + 5, 3);
        }
        CommentID = qFromLittleEndian<qint32>(in + 32);
        OperatorLength = length;
        std::memcpy(OperatorBytes, in + 37, OperatorCapacity);
        std::memcpy(Unused, in + 41, 3);
    }
    // Every test is taken, without a branch between them: records are read by
    // the million and nearly all are sound.
    bool sound = std::isfinite(DateTime);
    for (const TQCValue& cell : Values)
        sound &= cell.Status <= psNoValue && (!cell.IsCounted() || std::isfinite(cell.Value));
    return sound;
}
