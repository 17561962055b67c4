// Writes small valid files as the fuzzers' first inputs: make_seeds <folder>
// creates <folder>/fuzz_<target>/ with a few files for each reader.
#include "TAnalyte.h"
#include "TDataSample.h"
#include "TDemonstrationData.h"
#include "TQCContext.h"
#include "TV2Sample.h"
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
    ok = Put(folder, "fuzz_v2file", "sample.dat", V2Image(OldSample())) && ok;
    ok = Put(folder, "fuzz_v2file", "empty.dat", V2Image({})) && ok;
    return ok ? 0 : 1;
}
