// Saves the data file in a loop, alternating between two contents, until it is
// killed. Used by the crash-safety test: ToolSaveLoop <data file>.
#include "TAnalyte.h"
#include "TDataFileWriter.h"
#include "TDataSample.h"
#include "TListAnalytes.h"
#include "TListSerum.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: ToolSaveLoop <data file>\n");
        return 2;
    }
    const QString fileName = QString::fromLocal8Bit(argv[1]);
    TListSerum serums[2];
    TListAnalytes analytes[2];
    for (int v = 0; v < 2; ++v)
        FillCrashModel(v, serums[v], analytes[v]);
    std::printf("ready\n");
    std::fflush(stdout);
    TDataFileWriter writer;
    for (int round = 0;; round ^= 1) {
        if (!writer.Write(fileName, serums[round], analytes[round])) {
            std::fprintf(stderr, "%s\n", qPrintable(writer.ErrorString()));
            return 1;
        }
    }
}
