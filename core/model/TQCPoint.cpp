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
    qToLittleEndian(DateTime, out + DateTimeOffset);
    for (int l = 0; l < MaxLevels; ++l) {
        char* cell = out + ValuesOffset + CellSize * l;
        qToLittleEndian(Values[l].Value, cell);
        cell[CellStatusOffset] = char(Values[l].Status);
        std::memcpy(cell + CellUnusedOffset, Values[l].Unused, sizeof Values[l].Unused);
    }
    qToLittleEndian(CommentID, out + CommentIDOffset);
    out[OperatorLengthOffset] = char(OperatorLength);
    std::memcpy(out + OperatorOffset, OperatorBytes, OperatorCapacity);
    std::memcpy(out + UnusedOffset, Unused, sizeof Unused);
}

namespace {
// On a little-endian machine a point is laid out in memory as its record, so
// that a record is taken in one copy.
constexpr bool RecordIsMemoryLayout = Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    && offsetof(TQCPoint, DateTime) == TQCPoint::DateTimeOffset && offsetof(TQCPoint, Values) == TQCPoint::ValuesOffset
    && sizeof(TQCValue) == TQCPoint::CellSize && offsetof(TQCValue, Status) == TQCPoint::CellStatusOffset
    && offsetof(TQCValue, Unused) == TQCPoint::CellUnusedOffset
    && offsetof(TQCPoint, CommentID) == TQCPoint::CommentIDOffset
    && offsetof(TQCPoint, OperatorLength) == TQCPoint::OperatorLengthOffset
    && offsetof(TQCPoint, OperatorBytes) == TQCPoint::OperatorOffset
    && offsetof(TQCPoint, Unused) == TQCPoint::UnusedOffset;
} // namespace

bool TQCPoint::ReadRecord(const char in[RecordSize])
{
    const quint8 length = quint8(in[OperatorLengthOffset]);
    if (length > OperatorCapacity)
        return false;
    if constexpr (RecordIsMemoryLayout) {
        std::memcpy(static_cast<void*>(this), in, RecordSize);
    } else {
        DateTime = qFromLittleEndian<double>(in + DateTimeOffset);
        for (int l = 0; l < MaxLevels; ++l) {
            const char* cell = in + ValuesOffset + CellSize * l;
            Values[l].Value = qFromLittleEndian<float>(cell);
            Values[l].Status = quint8(cell[CellStatusOffset]);
            std::memcpy(Values[l].Unused, cell + CellUnusedOffset, sizeof Values[l].Unused);
        }
        CommentID = qFromLittleEndian<qint32>(in + CommentIDOffset);
        OperatorLength = length;
        std::memcpy(OperatorBytes, in + OperatorOffset, OperatorCapacity);
        std::memcpy(Unused, in + UnusedOffset, sizeof Unused);
    }
    // Every test is taken, without a branch between them: records are read by
    // the million and nearly all are sound.
    bool sound = std::isfinite(DateTime);
    for (const TQCValue& cell : Values)
        sound &= cell.Status <= psNoValue && (!cell.IsCounted() || std::isfinite(cell.Value));
    return sound;
}
