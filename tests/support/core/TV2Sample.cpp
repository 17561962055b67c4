#include "TV2Sample.h"

#include "TByteImage.h"

QByteArray V2Image(const QList<TOldAnalyte>& analytes, QMap<QString, int>* at)
{
    QMap<QString, int> offsets { { "materials", 0 } };
    TByteImage image;
    image.Int32(2).ShortString("Old serum", 15).Raw(QByteArray(11, 'x')).ShortString("Other", 15).Zeros(11);
    offsets["analytes"] = image.Size();
    image.Int32(int(analytes.size()));
    for (int a = 0; a < analytes.size(); ++a) {
        const TOldAnalyte& old = analytes[a];
        const QString key = QString("a%1.").arg(a);
        offsets[key + "points"] = image.Size();
        image.Int32(int(old.Points.size()));
        for (const TOldPoint& p : old.Points) {
            image.Double(p.Date);
            for (int l = 0; l < 3; ++l)
                image.Single(p.Values[l]).Byte(p.Statuses[l]).Raw("\x11\x22\x33");
            image.Int32(p.CommentId);
        }
        offsets[key + "header"] = image.Size();
        // The limits and lots of the old program (80 bytes) are not taken over.
        image.ShortString(old.Name, 10).ShortString(old.Units, 12).Int32(old.Decimals).Raw(QByteArray(80, '\x7f'));
        for (qint32 i : old.LockStart)
            image.Int32(i);
        for (qint32 i : old.LockEnd)
            image.Int32(i);
        offsets[key + "ignored"] = image.Size();
        image.Int32(1).Raw(QByteArray(68, '\x55'));
        offsets[key + "comments"] = image.Size();
        image.Int32(old.Comments.isEmpty() ? 0 : old.Comments.last().first + 1).Int32(int(old.Comments.size()));
        for (const auto& [id, text] : old.Comments)
            image.Int32(id).ShortString(text, 23);
    }
    offsets["stamp"] = image.Size();
    if (at)
        *at = offsets;
    return image.Stamp("20").Bytes();
}

QList<TOldAnalyte> OldSample()
{
    TOldAnalyte glucose { "Glucose", "mmol/Litre", 2, {}, { 1, -1, -1 }, { 3, -1, -1 }, {} };
    glucose.Points = { { 45000, { 5.0f, 10.0f, 15.0f }, { 0, 0, 0 }, 2 },
        { 45001, { 5.2f, 10.4f, 0.0f }, { 0, 0, 1 }, 9 }, { 45002, { 4.8f, 9.6f, 14.5f }, { 0, 2, 0 }, -1 },
        { 45003, { 5.1f, 10.1f, 15.2f }, { 0, 0, 0 }, 7 }, { 45004, { 6.5f, 10.2f, 15.1f }, { 0, 0, 0 }, 14 } };
    glucose.Comments = { { 2, "New lot" }, { 5, "Unused" }, { 9, "Calibrated" }, { 14, "Long comment of 23 ch." } };
    TOldAnalyte urea { "Urea", "g/L", 0, {}, { -1, 0, -1 }, { -1, 1, -1 }, {} };
    urea.Points = { { 45010, { 7, 3, 0 }, { 0, 0, 1 }, -1 }, { 45011, { 8, 3, 0 }, { 0, 0, 1 }, -1 } };
    return { glucose, urea };
}
