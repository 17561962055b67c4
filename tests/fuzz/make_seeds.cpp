// Writes small valid files as the fuzzers' first inputs: make_seeds <folder>
// creates <folder>/fuzz_<target>/ with a few files for each reader.
#include "TAnalyte.h"
#include "TArchive.h"
#include "TDataSample.h"
#include "TDemonstrationData.h"
#include "TQCContext.h"
#include "TV2Sample.h"
#include "TWin1252.h"
#include "TestHelpers.h"

#include <QDir>
#include <cstdio>

namespace {

bool Put(const QString& folder, const QString& target, const QString& name, const QByteArray& bytes)
{
    return QDir().mkpath(folder + "/" + target) && PutFile(folder + "/" + target + "/" + name, bytes);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    bool ok = Put(folder, "fuzz_datafile", "sample.qcf", SampleImage("32"));
    ok = Put(folder, "fuzz_datafile", "sample30.qcf", SampleImage("30")) && ok;
    ok = Put(folder, "fuzz_datafile", "empty.qcf", DataFileBytes(TListSerum(), TListAnalytes())) && ok;
    auto context = MakeTestContext();
    MakeDemonstrationData(*context);
    // The demonstration data with fewer points, to stay small.
    for (int i = 0; i < context->ListAnalytes.Count(); ++i) {
        TAnalyte& analyte = context->ListAnalytes.Item(i);
        while (analyte.Count() > 3)
            analyte.DeletePoint(analyte.Count() - 1);
    }
    ok = Put(folder, "fuzz_datafile", "demo.qcf", DataFileBytes(context->ListSerum, context->ListAnalytes)) && ok;
    ok = Put(folder, "fuzz_restore", "demo.Sav", DataFileBytes(context->ListSerum, context->ListAnalytes)) && ok;
    ok = Put(folder, "fuzz_restore", "sample.Sav", SampleImage("32")) && ok;
    const TAnalyte& glucose = context->ListAnalytes.Item(0);
    // The QC text target reads the decimals and the number of levels from the first two bytes.
    ok = Put(folder, "fuzz_qctext", "glucose.txt", QByteArray("\x01\x02") + ToWin1252(AsText(glucose))) && ok;
    ok = Put(folder, "fuzz_archive", "level1.qca", ToWin1252(ArchiveText(glucose, 0, context->ListSerum, TRisks())))
        && ok;
    ok = Put(folder, "fuzz_v2file", "sample.dat", V2Image(OldSample())) && ok;
    ok = Put(folder, "fuzz_v2file", "empty.dat", V2Image({})) && ok;
    return ok ? 0 : 1;
}
