#pragma once
// What the fuzz targets share: the bytes a writer puts in a buffer (a refusal stops the fuzzer)
// and a read of bytes from a buffer.
#include <QBuffer>
#include <cstdlib>

template <typename TWrite> QByteArray Written(TWrite write)
{
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    if (!write(out))
        std::abort();
    return bytes;
}

template <typename TRead> bool ReadBytes(QByteArray bytes, TRead read)
{
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    return read(in);
}
