#pragma once
#include <QByteArray>
#include <QString>

class QIODevice;
class TAnalyte;
class TBinaryWriter;
class TListAnalytes;
class TListSerum;

// Writes the data file (".qcf") with the current version "32": the control
// materials, each analyte's points, 133-byte header, limits, archive numbers and
// comments with their stamps, and the final stamp.
class TDataFileWriter {
public:
    // Writes everything to the device. False when the device refuses a write,
    // with ErrorString() giving the device's reason.
    [[nodiscard]] bool Write(QIODevice& device, const TListSerum& serums, const TListAnalytes& analytes);
    // Replaces the file atomically: on any failure the previous file is left as it
    // was and ErrorString() carries the system's reason.
    [[nodiscard]] bool Write(const QString& fileName, const TListSerum& serums, const TListAnalytes& analytes);

    const QString& ErrorString() const { return m_error; }

private:
    void WriteSerums(TBinaryWriter& out, const TListSerum& serums);
    void WriteAnalyte(TBinaryWriter& out, const TAnalyte& analyte);
    void WritePoints(TBinaryWriter& out, const TAnalyte& analyte);
    void WriteHeader(TBinaryWriter& out, const TAnalyte& analyte);
    void WriteComments(TBinaryWriter& out, const TAnalyte& analyte);

    QString m_error;
    QByteArray m_block; // reused for the points of each analyte
};
