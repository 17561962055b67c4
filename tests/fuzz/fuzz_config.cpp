// The configuration reader on arbitrary bytes. A refused file must say why and
// keep no record; an accepted one must hold risks the t table can index, and
// writing it then reading it back must give the same bytes again.
#include "FuzzIO.h"
#include "TConfigReader.h"
#include "TConfigWriter.h"

#include <cstdint>

namespace {

QByteArray Written(const TConfigReader& reader)
{
    return ::Written([&](QIODevice& out) { return TConfigWriter().Write(out, reader.Record(), reader.Operators()); });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    TConfigReader reader;
    if (!ReadBytes(bytes, [&](QIODevice& in) { return reader.Read(in); })) {
        if (reader.ErrorString().isEmpty() || (!reader.RecordRead() && !reader.Operators().isEmpty()))
            std::abort();
        return 0;
    }
    const TConfigRecord& record = reader.Record();
    if (record.AlertRisk > 1 || record.ActionRisk < 2 || record.ActionRisk > 4
        || record.Password.size() > TConfigRecord::PasswordCapacity)
        std::abort();
    const QByteArray first = Written(reader);
    TConfigReader again;
    if (!ReadBytes(first, [&](QIODevice& in) { return again.Read(in); }) || again.Operators() != reader.Operators())
        std::abort();
    if (Written(again) != first)
        std::abort();
    return 0;
}
