#include "TWin1252.h"

#include <QStringDecoder>

namespace {
// 0x80..0x9F; 0 marks the five positions the code page leaves undefined,
// which are mapped to the C1 control of the same number as Windows does.
constexpr char16_t HighTable[32] = {
    0x20AC,
    0,
    0x201A,
    0x0192,
    0x201E,
    0x2026,
    0x2020,
    0x2021,
    0x02C6,
    0x2030,
    0x0160,
    0x2039,
    0x0152,
    0,
    0x017D,
    0,
    0,
    0x2018,
    0x2019,
    0x201C,
    0x201D,
    0x2022,
    0x2013,
    0x2014,
    0x02DC,
    0x2122,
    0x0161,
    0x203A,
    0x0153,
    0,
    0x017E,
    0x0178,
};
}

QByteArray ToWin1252(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out.append(char(u));
            continue;
        }
        char mapped = '?';
        for (int i = 0; i < 32; ++i) {
            if (HighTable[i] == u || (HighTable[i] == 0 && u == 0x80 + i)) {
                mapped = char(0x80 + i);
                break;
            }
        }
        out.append(mapped);
    }
    return out;
}

QString FromWin1252(const char* data, qsizetype size)
{
    QString out;
    out.resize(size);
    QChar* dst = out.data();
    for (qsizetype i = 0; i < size; ++i) {
        const unsigned char b = static_cast<unsigned char>(data[i]);
        if (b >= 0x80 && b <= 0x9F && HighTable[b - 0x80] != 0)
            dst[i] = QChar(HighTable[b - 0x80]);
        else
            dst[i] = QChar(char16_t(b));
    }
    return out;
}

QString DecodeForeignText(const QByteArray& bytes)
{
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(body);
    if (!utf8.hasError())
        return text;
    return FromWin1252(bytes);
}
