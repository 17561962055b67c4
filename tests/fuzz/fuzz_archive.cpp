// The archive file reader on arbitrary bytes, and what the archives windows and
// reports take from an entry. An accepted entry has three lines or more, none
// holding a line end, and reads back the same from the bytes it would be saved as.
#include "TArchiveList.h"
#include "TWin1252.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    TArchiveList::TEntry entry;
    if (!TArchiveList::ParseEntry(bytes, 7, entry))
        return 0;
    if (entry.Number != 7 || entry.Lines.size() < 3 || entry.PointLines().size() != entry.Lines.size() - 3)
        std::abort();
    for (const QString& line : entry.Lines)
        if (line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n')))
            std::abort();
    // The fields the windows and reports show.
    const QStringList summary = entry.Summary().split(QLatin1Char('\t'));
    (void)summary.value(6);
    for (const QString& line : entry.PointLines())
        (void)line.split(QLatin1Char('\t')).value(4);
    TArchiveList::TEntry again;
    if (!TArchiveList::ParseEntry(
            ToWin1252(entry.Lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")), 7, again)
        || again.Lines != entry.Lines)
        std::abort();
    return 0;
}
