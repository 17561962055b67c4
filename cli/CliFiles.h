#pragma once
#include "TListAnalytes.h"
#include "TListSerum.h"

#include <QString>
#include <QTextStream>

class TQCContext;

// The content of one data file read on its own.
struct TDataRead {
    TListSerum Serums;
    TListAnalytes Analytes;
    QString Version; // the two version characters of its final stamp
};

// Reads a data file by its kind: ".qcf" with the program's reader, ".dat" as a
// version-2 file (its analytes as the import appends them to an empty list),
// ".sav" by its final stamp (version 2 when it carries "20", else a backup in
// the program's own layout). False with the reason in *error otherwise.
bool ReadDataFile(const QString& fileName, TDataRead& data, QString* error);

// Reads the settings, queue and data files of `folder` (when empty, of the
// folder the program would use) into the context, without writing anything and
// without taking the program's lock. False with the reason in *error.
bool OpenProgramFiles(const QString& folder, TQCContext& context, QString* error);

// The quality goals file beside the data file read: BaseName + "-goals.json" of
// the context's folder, or beside `dataFile` when one is given.
QString GoalsFileName(const QString& dataFile, const TQCContext& context);

// The text on one line: line breaks become spaces.
QString OneLine(QString text);

// The version characters of the context's data file, or the current version
// when there is none.
QString DataFileVersion(const TQCContext& context);
