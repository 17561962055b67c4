// Writes small valid files as the fuzzers' first inputs: make_seeds <folder>
// creates <folder>/fuzz_<target>/ with a few files for each reader.
#include "TDataFileWriter.h"
#include "TDataSample.h"
#include "TDemonstrationData.h"
#include "TQCContext.h"
#include "TV2Sample.h"
#include "TestHelpers.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <cstdio>

namespace {

bool Put(const QString& folder, const QString& target, const QString& name, const QByteArray& bytes)
{
    QDir().mkpath(folder + "/" + target);
    QFile file(folder + "/" + target + "/" + name);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray DataFile(const TListSerum& serums, const TListAnalytes& analytes)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TDataFileWriter().Write(buffer, serums, analytes);
    return bytes;
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
    ok = Put(folder, "fuzz_datafile", "empty.qcf", DataFile(TListSerum(), TListAnalytes())) && ok;
    auto context = MakeTestContext();
    MakeDemonstrationData(*context);
    // The demonstration data with fewer points, to stay small.
    for (int i = 0; i < context->ListAnalytes.Count(); ++i) {
        TAnalyte& analyte = context->ListAnalytes.Item(i);
        while (analyte.Count() > 3)
            analyte.DeletePoint(analyte.Count() - 1);
    }
    ok = Put(folder, "fuzz_datafile", "demo.qcf", DataFile(context->ListSerum, context->ListAnalytes)) && ok;
    ok = Put(folder, "fuzz_v2file", "sample.dat", V2Image(OldSample())) && ok;
    ok = Put(folder, "fuzz_v2file", "empty.dat", V2Image({})) && ok;
    return ok ? 0 : 1;
}
