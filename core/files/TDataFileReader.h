#pragma once
#include "TConfigRecord.h"
#include "TSectionReader.h"

#include <QByteArray>
#include <QString>
#include <vector>

class QIODevice;
class TAnalyte;
class TBinaryReader;
class TListAnalytes;
class TListSerum;

// Reads the data file (".qcf"): the control materials, then each analyte with its
// points, header, limits, archive numbers and comments, each section closed by a
// stamp, and the final stamp. Any version pair is read with the long analyte
// header except "30", whose short header gives Options 7 and reserved 10.
// Each analyte is recomputed with the given risks after its archive numbers.
class TDataFileReader : public TSectionReader {
public:
    // Reads the whole device (random access; a sequential one is read into memory
    // first) into `serums` and `analytes`, which are replaced only when the whole
    // file was read. False on any damage, with ErrorString() naming the section and
    // byte offset; the lists are then left as they were.
    [[nodiscard]] bool Read(QIODevice& device, const TRisks& risks, TListSerum& serums, TListAnalytes& analytes);
    // The same for a file; a file that cannot be opened fails with the system's reason.
    [[nodiscard]] bool Read(const QString& fileName, const TRisks& risks, TListSerum& serums, TListAnalytes& analytes);

    // The two version characters of the final stamp ("32", "30", ...), empty before a read.
    const QByteArray& DataVersion() const { return m_version; }

private:
    bool ReadAll(QIODevice& device, TListSerum& serums, TListAnalytes& analytes);
    bool ReadVersion(QIODevice& device);
    bool ReadSerums(TBinaryReader& in, TListSerum& serums);
    bool ReadAnalyte(TBinaryReader& in, TAnalyte& analyte);
    bool ReadPoints(TBinaryReader& in, TAnalyte& analyte);
    bool ReadHeader(TBinaryReader& in, TAnalyte& analyte);
    bool CheckHeader(qint64 start, qint32 decimals, qint32 levels, const TAnalyte& analyte);
    bool ReadLevelLimits(TBinaryReader& in, TAnalyte& analyte);
    bool ReadArchives(TBinaryReader& in, TAnalyte& analyte);
    bool ReadComments(TBinaryReader& in, TAnalyte& analyte);

    TRisks m_risks;
    QByteArray m_version;
    std::vector<char> m_block; // the points of one analyte
    bool m_shortHeader = false;
};
