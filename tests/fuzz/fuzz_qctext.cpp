// The QC text reader of the import and of paste on arbitrary bytes (the first
// two give the decimals and the number of levels). Every accepted line has a
// date and at least one value; the results join an analyte as the import adds
// them, and the analyte's own text reads back one line per point with a value.
#include "TAnalyte.h"
#include "TArchive.h"
#include "TQCText.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const int decimals = data[0] % 6;
    const int levels = 1 + data[1] % 3;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));
    const QList<TQCTextLine> lines = ReadQCText(DecodeQCTextBytes(bytes), decimals);
    std::vector<TResu0> results;
    for (const TQCTextLine& line : lines) {
        int values = 0;
        for (const TQCValue& cell : line.Result.Values) {
            if (cell.Status != psWithin && cell.Status != psNoValue)
                std::abort();
            values += cell.Status == psWithin && std::isfinite(cell.Value) ? 1 : 0;
        }
        if (values == 0 || !std::isfinite(line.Result.DateTime) || line.Display.isEmpty())
            std::abort();
        results.push_back(line.Result);
    }
    TAnalyte analyte;
    analyte.NbLevels = levels;
    analyte.Decimals = decimals;
    AddImportedResults(analyte, results, TRisks());
    if (analyte.Count() != int(results.size()))
        std::abort();
    int withValue = 0;
    for (int i = 0; i < analyte.Count(); ++i)
        for (int l = 0; l < levels; ++l)
            if (analyte.Point(i).Values[l].HasValue()) {
                ++withValue;
                break;
            }
    if (ReadQCText(AsText(analyte), decimals).size() != withValue)
        std::abort();
    return 0;
}
