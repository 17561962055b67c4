// The data file reader on arbitrary bytes. A refused file must leave the lists
// empty with a reason; an accepted one must be written and read back the same.
#include "TArchive.h"
#include "TDataFileReader.h"
#include "TDataFileWriter.h"
#include "TListAnalytes.h"
#include "TListSerum.h"

#include <QBuffer>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TListSerum serums;
    TListAnalytes analytes;
    TDataFileReader reader;
    if (!reader.Read(buffer, TRisks(), serums, analytes)) {
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
    QByteArray written;
    QBuffer out(&written);
    out.open(QIODevice::WriteOnly);
    if (!TDataFileWriter().Write(out, serums, analytes))
        std::abort();
    out.close();
    out.open(QIODevice::ReadOnly);
    TListSerum serumsAgain;
    TListAnalytes analytesAgain;
    if (!TDataFileReader().Read(out, TRisks(), serumsAgain, analytesAgain))
        std::abort();
    if (analytesAgain.Count() != analytes.Count() || !(serumsAgain == serums))
        std::abort();
    return 0;
}
