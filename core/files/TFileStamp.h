#pragma once
#include <QByteArray>

class TBinaryReader;
class TBinaryWriter;

// The 9-byte stamp that closes each section of the binary files and heads the
// settings record: a length byte 8, two version characters, then six fixed
// bytes. Readers accept any version pair as long as the six bytes match.
struct TFileStamp {
    static constexpr int Size = 9;
    static constexpr char CurrentVersion[2] = { '3', '2' };
    static constexpr unsigned char Mark[6] = { 0xB5, 0xFE, 0x70, 0x6F, 0x34, 0x35 };

    char Version[2] = { CurrentVersion[0], CurrentVersion[1] };

    // The nine bytes of this stamp.
    QByteArray Bytes() const;
    // True when the nine bytes carry the six fixed bytes (the length byte and the
    // version characters are not checked); the version is taken from them.
    bool Parse(const char* bytes);
    bool IsVersion(char first, char second) const { return Version[0] == first && Version[1] == second; }
};

// Writes the stamp with the given version (the current one by default).
void WriteFileStamp(TBinaryWriter& out, const TFileStamp& stamp = TFileStamp());
// Reads nine bytes; false (and the reader marked failed) when the six fixed bytes
// differ. The version read is stored in *stamp when given.
bool ReadFileStamp(TBinaryReader& in, TFileStamp* stamp = nullptr);
