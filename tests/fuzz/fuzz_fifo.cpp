// The queue file reader on arbitrary bytes. A refused file must say why and
// leave the queue it was given alone; an accepted one must be written and read
// back to the same bytes.
#include "FuzzIO.h"
#include "TFifoFile.h"

#include <cstdint>

namespace {

QByteArray Written(const std::deque<TResu0>& records)
{
    return ::Written([&](QIODevice& out) { return TFifoWriter().Write(out, records); });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    TResu0 sentinel;
    sentinel.Analyte = "sentinel";
    std::deque<TResu0> records { sentinel };
    TFifoReader reader;
    if (!ReadBytes(bytes, [&](QIODevice& in) { return reader.Read(in, records); })) {
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
    if (!ReadBytes(first, [&](QIODevice& in) { return TFifoReader().Read(in, again); })
        || again.size() != records.size() || Written(again) != first)
        std::abort();
    return 0;
}
