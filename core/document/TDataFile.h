#pragma once
#include <QString>

class TQCContext;

// The data file of a context: BaseName + ".qcf".
QString DataFileName(const TQCContext& context);

// Replaces the context's ListSerum and ListAnalytes with the content of the data
// file (each analyte recomputed with the context's risks) and clears
// CurrentAnalyte: the caller selects an analyte again. False when the file is
// missing, unreadable or damaged, with the reason (section and byte offset) in
// *error; the lists and CurrentAnalyte are then unchanged.
[[nodiscard]] bool LoadData(TQCContext& context, const QString& fileName, QString* error = nullptr);

// Writes both lists and the final stamp, replacing the file atomically. False
// with the system's reason in *error when the file cannot be written; the
// previous file is then left as it was.
[[nodiscard]] bool SaveData(const TQCContext& context, const QString& fileName, QString* error = nullptr);
