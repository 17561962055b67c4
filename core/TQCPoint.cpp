#include "TQCPoint.h"

#include "TWin1252.h"

#include <QtEndian>
#include <cmath>
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

bool TQCPoint::ReadRecord(const char in[RecordSize])
{
    const quint8 length = quint8(in[36]);
    if (length > OperatorCapacity)
        return false;
    DateTime = qFromLittleEndian<double>(in);
    for (int l = 0; l < MaxLevels; ++l) {
        const char* cell = in + 8 + 8 * l;
        Values[l].Value = qFromLittleEndian<float>(cell);
        Values[l].Status = quint8(cell[4]);
        std::memcpy(Values[l].Unused, cell + 5, 3);
    }
    if (!std::isfinite(DateTime))
        return false;
    for (const TQCValue& cell : Values)
        if (cell.Status > psNoValue || (cell.IsCounted() && !std::isfinite(cell.Value)))
            return false;
    CommentID = qFromLittleEndian<qint32>(in + 32);
    OperatorLength = length;
    std::memcpy(OperatorBytes, in + 37, OperatorCapacity);
    std::memcpy(Unused, in + 41, 3);
    return true;
}
