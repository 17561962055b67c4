#include "TFileStamp.h"

#include "TBinaryIO.h"

#include <cstring>

QByteArray TFileStamp::Bytes() const
{
    QByteArray bytes(Size, '\0');
    bytes[0] = char(8);
    bytes[1] = Version[0];
    bytes[2] = Version[1];
    std::memcpy(bytes.data() + 3, Mark, sizeof Mark);
    return bytes;
}

bool TFileStamp::Parse(const char* bytes)
{
    if (std::memcmp(bytes + 3, Mark, sizeof Mark) != 0)
        return false;
    Version[0] = bytes[1];
    Version[1] = bytes[2];
    return true;
}

void WriteFileStamp(TBinaryWriter& out, const TFileStamp& stamp) { out.WriteBytes(stamp.Bytes()); }

bool ReadFileStamp(TBinaryReader& in, TFileStamp* stamp)
{
    const qint64 at = in.Pos();
    const QByteArray bytes = in.ReadBytes(TFileStamp::Size);
    if (!in.Ok())
        return false;
    TFileStamp read;
    if (!read.Parse(bytes.constData())) {
        in.Fail(QString("Wrong file stamp at byte %1").arg(at));
        return false;
    }
    if (stamp)
        *stamp = read;
    return true;
}
