#pragma once
#include "TConfigRecord.h"
#include "TQCTypes.h"
#include "TSectionReader.h"

#include <QList>
#include <QString>

class QIODevice;
class TAnalyte;
class TBinaryReader;
class TListAnalytes;
class TListIDString;

// Reads the data and backup files of version 2 (".dat", ".sav") and converts
// their analytes: 3 levels, no lots, noon dates, the old statuses mapped, the
// comments found by id, the locked intervals kept. Control materials, archive
// records and limit values of the old file are not taken over.
class TV2FileReader : public TSectionReader {
public:
    // Appends the converted analytes, recomputed and classified with the given
    // risks, to `target`, only when the whole file was read. False when the last
    // nine bytes are not the version-2 stamp, or on any damage, with
    // ErrorString() naming the section and byte offset; `target` is then unchanged.
    bool Read(QIODevice& device, const TRisks& risks, TListAnalytes& target);
    bool Read(const QString& fileName, const TRisks& risks, TListAnalytes& target);

private:
    bool ReadAll(QIODevice& device, TListAnalytes& target);
    bool CheckStamp(QIODevice& device);
    bool ReadAnalyte(TBinaryReader& in, TAnalyte& analyte);
    bool ReadPoints(TBinaryReader& in, QList<TResu0>& results, QList<qint32>& commentIds);
    bool ReadHeader(TBinaryReader& in, TAnalyte& analyte);
    bool ReadComments(TBinaryReader& in, TListIDString& comments);

    TRisks m_risks;
    qint64 m_headerStart = 0;
};

// Converts a version-2 file and appends its analytes to the list; false with the
// reason in *error (the list unchanged) when the file is not a sound version-2 file.
bool ImportV2(const QString& fileName, TListAnalytes& target, const TRisks& risks, QString* error = nullptr);
