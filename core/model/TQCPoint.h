#pragma once
#include "TQCTypes.h"

#include <QString>

// One stored point. Its file record is 44 bytes:
// DateTime double @0, three value cells @8, CommentID int32 @32,
// Operator short string of capacity 4 @36, 3 unused bytes @41.
struct TQCPoint {
    static constexpr int RecordSize = 44;
    static constexpr int OperatorCapacity = 4;
    // Where each field lies in the record; a value cell is a single @0, its
    // status byte @4 and 3 unused bytes @5.
    static constexpr int DateTimeOffset = 0;
    static constexpr int ValuesOffset = 8;
    static constexpr int CellSize = 8;
    static constexpr int CellStatusOffset = 4;
    static constexpr int CellUnusedOffset = 5;
    static constexpr int CommentIDOffset = 32;
    static constexpr int OperatorLengthOffset = 36;
    static constexpr int OperatorOffset = 37;
    static constexpr int UnusedOffset = 41;

    double DateTime = 0.0;
    TQCValues Values;
    qint32 CommentID = -1;
    // Operator code in Windows-1252: length byte and the four bytes as stored.
    quint8 OperatorLength = 0;
    char OperatorBytes[OperatorCapacity] = { 0, 0, 0, 0 };
    quint8 Unused[3] = { 0, 0, 0 };

    QString Operator() const;
    // Keeps the first four characters.
    void SetOperator(const QString& code);

    // Writes the 44-byte record.
    void WriteRecord(char out[RecordSize]) const;
    // Reads a 44-byte record; false (and the point partly overwritten) when the
    // operator length exceeds its capacity, a status is unknown, or the date or a
    // counted value is not a finite number.
    bool ReadRecord(const char in[RecordSize]);
};
