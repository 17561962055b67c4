// The version-2 reader on arbitrary bytes. A refused file must leave the list as
// it was with a reason; the analytes of an accepted one must be savable in the
// current data file and read back.
#include "FuzzIO.h"
#include "TAnalyte.h"
#include "TDataFileReader.h"
#include "TDataFileWriter.h"
#include "TListAnalytes.h"
#include "TListSerum.h"
#include "TV2FileReader.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    TListAnalytes analytes;
    analytes.Add(TAnalyte("Present", "g/L", 1, 1));
    TV2FileReader reader;
    if (!ReadBytes(bytes, [&](QIODevice& in) { return reader.Read(in, TRisks(), analytes); })) {
        if (reader.ErrorString().isEmpty() || analytes.Count() != 1)
            std::abort();
        return 0;
    }
    const QByteArray written
        = Written([&](QIODevice& out) { return TDataFileWriter().Write(out, TListSerum(), analytes); });
    TListSerum serums;
    TListAnalytes again;
    if (!ReadBytes(written, [&](QIODevice& in) { return TDataFileReader().Read(in, TRisks(), serums, again); })
        || again.Count() != analytes.Count())
        std::abort();
    return 0;
}
