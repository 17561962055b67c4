// The data file reader on arbitrary bytes. A refused file must leave the lists
// empty with a reason; an accepted one must be written and read back the same.
#include "FuzzIO.h"
#include "TAnalyte.h"
#include "TArchive.h"
#include "TDataFileReader.h"
#include "TDataFileWriter.h"
#include "TListAnalytes.h"
#include "TListSerum.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    TListSerum serums;
    TListAnalytes analytes;
    TDataFileReader reader;
    if (!ReadBytes(bytes, [&](QIODevice& in) { return reader.Read(in, TRisks(), serums, analytes); })) {
        if (reader.ErrorString().isEmpty() || serums.Count() != 0 || analytes.Count() != 0)
            std::abort();
        return 0;
    }
    for (int i = 0; i < analytes.Count(); ++i) {
        const TAnalyte& analyte = analytes.Item(i);
        (void)AsText(analyte);
        for (int l = 0; l < analyte.NbLevels; ++l)
            (void)ArchiveText(analyte, l, serums, TRisks());
    }
    // Whatever was accepted can be saved, and the saved file reads back.
    const QByteArray written = Written([&](QIODevice& out) { return TDataFileWriter().Write(out, serums, analytes); });
    TListSerum serumsAgain;
    TListAnalytes analytesAgain;
    if (!ReadBytes(
            written, [&](QIODevice& in) { return TDataFileReader().Read(in, TRisks(), serumsAgain, analytesAgain); }))
        std::abort();
    if (analytesAgain.Count() != analytes.Count() || !(serumsAgain == serums))
        std::abort();
    return 0;
}
