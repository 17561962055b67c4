// The queue file reader on arbitrary bytes. A refused file must say why and
// leave the queue it was given alone; an accepted one must be written and read
// back to the same bytes.
#include "TFifoFile.h"

#include <QBuffer>
#include <cstdint>
#include <cstdlib>

namespace {

QByteArray Written(const std::deque<TResu0>& records)
{
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    if (!TFifoWriter().Write(out, records))
        std::abort();
    return bytes;
}

bool ReadBytes(QByteArray bytes, std::deque<TResu0>& records, TFifoReader& reader)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return reader.Read(buffer, records);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    TResu0 sentinel;
    sentinel.Analyte = "sentinel";
    std::deque<TResu0> records { sentinel };
    TFifoReader reader;
    if (!ReadBytes(bytes, records, reader)) {
        if (reader.ErrorString().isEmpty() || records.size() != 1 || records.front().Analyte != "sentinel")
            std::abort();
        return 0;
    }
    for (const TResu0& r : records)
        for (const TQCValue& cell : r.Values)
            if (cell.Status > psNoValue)
                std::abort();
    const QByteArray first = Written(records);
    std::deque<TResu0> again;
    TFifoReader second;
    if (!ReadBytes(first, again, second) || again.size() != records.size() || Written(again) != first)
        std::abort();
    return 0;
}
