// The configuration reader on arbitrary bytes. A refused file must say why and
// keep no record; an accepted one must hold risks the t table can index, and
// writing it then reading it back must give the same bytes again.
#include "TConfigReader.h"
#include "TConfigWriter.h"

#include <QBuffer>
#include <cstdint>
#include <cstdlib>

namespace {

QByteArray Written(const TConfigRecord& record, const QStringList& operators)
{
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    if (!TConfigWriter().Write(out, record, operators))
        std::abort();
    return bytes;
}

bool ReadBytes(QByteArray bytes, TConfigReader& reader)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return reader.Read(buffer);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    TConfigReader reader;
    if (!ReadBytes(bytes, reader)) {
        if (reader.ErrorString().isEmpty() || (!reader.RecordRead() && !reader.Operators().isEmpty()))
            std::abort();
        return 0;
    }
    const TConfigRecord& record = reader.Record();
    if (record.AlertRisk > 1 || record.ActionRisk < 2 || record.ActionRisk > 4
        || record.Password.size() > TConfigRecord::PasswordCapacity)
        std::abort();
    const QByteArray first = Written(record, reader.Operators());
    TConfigReader again;
    if (!ReadBytes(first, again) || again.Operators() != reader.Operators())
        std::abort();
    if (Written(again.Record(), again.Operators()) != first)
        std::abort();
    return 0;
}
