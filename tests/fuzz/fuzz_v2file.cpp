// The version-2 reader on arbitrary bytes. A refused file must leave the list as
// it was with a reason; the analytes of an accepted one must be savable in the
// current data file and read back.
#include "TDataFileReader.h"
#include "TDataFileWriter.h"
#include "TListAnalytes.h"
#include "TListSerum.h"
#include "TV2FileReader.h"

#include <QBuffer>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TListAnalytes analytes;
    analytes.Add(TAnalyte("Present", "g/L", 1, 1));
    TV2FileReader reader;
    if (!reader.Read(buffer, TRisks(), analytes)) {
        if (reader.ErrorString().isEmpty() || analytes.Count() != 1)
            std::abort();
        return 0;
    }
    QByteArray written;
    QBuffer out(&written);
    out.open(QIODevice::WriteOnly);
    if (!TDataFileWriter().Write(out, TListSerum(), analytes))
        std::abort();
    out.close();
    out.open(QIODevice::ReadOnly);
    TListSerum serums;
    TListAnalytes again;
    if (!TDataFileReader().Read(out, TRisks(), serums, again) || again.Count() != analytes.Count())
        std::abort();
    return 0;
}
