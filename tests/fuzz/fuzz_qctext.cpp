// The QC text reader of the import and of paste on arbitrary bytes (the first two
// give the decimals and the number of levels). Every accepted line has a date and
// a value; the results join an analyte as the import adds them, and the analyte's
// own text reads back one line per point with a value at one of its levels.
#include "TAnalyte.h"
#include "TArchive.h"
#include "TQCText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    TAnalyte analyte;
    analyte.Decimals = data[0] % 6;
    analyte.NbLevels = 1 + data[1] % 3;
    std::vector<TResu0> results;
    for (const TQCTextLine& line :
        ReadQCText(DecodeQCTextBytes(QByteArray(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2))),
            analyte.Decimals)) {
        bool value = false;
        for (const TQCValue& cell : line.Result.Values)
            value = value || (cell.Status == psWithin && std::isfinite(cell.Value));
        if (!value || !std::isfinite(line.Result.DateTime) || line.Display.isEmpty())
            std::abort();
        results.push_back(line.Result);
    }
    AddImportedResults(analyte, results, TRisks());
    int withValue = 0;
    for (int i = 0; i < analyte.Count(); ++i)
        withValue += std::any_of(analyte.Point(i).Values.begin(), analyte.Point(i).Values.begin() + analyte.NbLevels,
            [](const TQCValue& cell) { return cell.HasValue(); });
    if (analyte.Count() != int(results.size()) || ReadQCText(AsText(analyte), analyte.Decimals).size() != withValue)
        std::abort();
    return 0;
}
