#include "TDataFile.h"

#include "TDataFileReader.h"
#include "TDataFileWriter.h"
#include "TQCContext.h"

QString DataFileName(const TQCContext& context) { return context.BaseName() + QStringLiteral(".qcf"); }

bool LoadData(TQCContext& context, const QString& fileName, QString* error)
{
    TDataFileReader reader;
    if (!reader.Read(fileName, context.Risks(), context.ListSerum, context.ListAnalytes)) {
        if (error)
            *error = reader.ErrorString();
        return false;
    }
    // The analyte it pointed to is gone with the old list.
    context.CurrentAnalyte = nullptr;
    return true;
}

bool SaveData(const TQCContext& context, const QString& fileName, QString* error)
{
    TDataFileWriter writer;
    if (!writer.Write(fileName, context.ListSerum, context.ListAnalytes)) {
        if (error)
            *error = writer.ErrorString();
        return false;
    }
    return true;
}
