#include "TDataSample.h"

#include "TAnalyte.h"
#include "TByteImage.h"
#include "TListAnalytes.h"
#include "TListSerum.h"
#include "TRandom.h"
#include "TestHelpers.h"

#include <limits>

namespace {

const QString ControlName = QString::fromUtf8("Contr\u00f4le");
const QString MicromolUnits = QString::fromUtf8("\u00b5mol/L");
const QString SizeComment = QString::fromUtf8("Gr\u00f6\u00dfe");
const QString AccentedCode = QString::fromUtf8("J\u00e9");
constexpr float Infinity = std::numeric_limits<float>::infinity();

void SetStats(TLevelStats& s, double mean, double warning, double action, double min = 1e10, double max = -1e10)
{
    s.Mean = mean;
    s.WarningHalfWidth = warning;
    s.ActionHalfWidth = action;
    s.Min = min;
    s.Max = max;
}

// One 44-byte point record: date, (value, status) cells, comment id, operator, unused bytes.
void Point(TByteImage& image, double dateTime, std::initializer_list<std::pair<float, quint8>> cells, qint32 commentId,
    const QByteArray& op, const QByteArray& tail)
{
    image.Double(dateTime);
    for (const auto& [value, status] : cells)
        image.Single(value).Byte(status).Raw(status == 4 ? QByteArray("\x01\x02\x03") : QByteArray(3, '\0'));
    image.Int32(commentId).Raw(op).Raw(tail);
}

// An analyte header: fields 0..71, then a short header's 3 zero bytes, or reserved zeros,
// Options, reserved 10, and Mean, half-widths and Min of level 0 with 9 bytes of its Max.
void Header(TByteImage& image, bool shortHeader, const QString& name, const QString& units, qint32 decimals,
    qint32 levels, std::array<qint32, 9> ints, std::array<quint8, 3> modes, quint8 options, std::array<double, 5> stats)
{
    image.ShortString(name, 15).ShortString(units, 6).Zeros(1).Int32(decimals).Int32(levels);
    for (int i = 0; i < 3; ++i)
        image.Int32(ints[i]);
    for (quint8 mode : modes)
        image.Byte(mode);
    image.Zeros(1);
    for (int i = 3; i < 9; ++i)
        image.Int32(ints[i]);
    if (shortHeader) {
        image.Zeros(3);
        return;
    }
    image.Zeros(4).Byte(options).Zeros(3).Int32(10);
    for (int i = 0; i < 4; ++i)
        image.Extended(stats[i]);
    image.Raw(TByteImage().Extended(stats[4]).Bytes().left(9));
}

QStringList Lines(const TAnalyte& a)
{
    const auto join = [](const auto& values) {
        QStringList s;
        for (const auto v : values)
            s << QString::number(v);
        return s.join(' ');
    };
    QStringList lines { "units " + a.Units,
        QString("decimals %1, levels %2, options %3, reserved %4")
            .arg(a.Decimals)
            .arg(a.NbLevels)
            .arg(a.Options)
            .arg(a.Reserved),
        "lots " + join(a.SerumID), "limit modes " + join(a.LimitMode), "lock starts " + join(a.LockStart),
        "lock ends " + join(a.LockEnd), "archives " + join(a.Archives),
        QString("next comment id %1").arg(a.Comments.NextID()) };
    for (const TLevelStats& s : a.ReferenceStats)
        lines << QString("limits %1 %2 %3")
                     .arg(s.Mean, 0, 'g', 17)
                     .arg(s.WarningHalfWidth, 0, 'g', 17)
                     .arg(s.ActionHalfWidth, 0, 'g', 17);
    for (int i = 0; i < a.Comments.Count(); ++i)
        lines << QString("comment %1: %2").arg(a.Comments.Item(i).ID).arg(a.Comments.Item(i).Text);
    for (int i = 0; i < a.Count(); ++i) {
        char record[TQCPoint::RecordSize];
        a.Point(i).WriteRecord(record);
        lines << QString("point %1: %2").arg(i).arg(QByteArray(record, TQCPoint::RecordSize).toHex(' '));
    }
    return lines;
}

} // namespace

void FillSampleModel(TListSerum& serums, TListAnalytes& analytes)
{
    serums.Add("Lyphocheck 1", "123456");
    serums.Add(ControlName, "A-7");

    TAnalyte& glucose = analytes.Add(TAnalyte("Glucose", MicromolUnits, 1, 2));
    glucose.AddPoint(MakeResult(46000.5, 41.5, 4.0, NAN, AccentedCode, "Recalibrated"));
    glucose.AddPoint(MakeResult(46001.25, NAN, 6.0, NAN, "WXYZ", SizeComment));
    glucose.AddPoint(MakeResult(46002.75, NAN, 5.0));
    glucose.Point(0).Values[2].Value = NAN;
    glucose.Point(0).Values[1].Status = psHighWarning;
    glucose.Point(1).Values[0] = { Infinity, psDiscarded };
    glucose.Point(1).Values[1] = { 6.0f, psLowAction, { 1, 2, 3 } };
    glucose.Point(1).Unused[2] = 0x55;
    glucose.Point(2).Values[1].Status = psHighWarning;
    glucose.Point(2).OperatorBytes[1] = 'x';
    glucose.SerumID = { 0, 1, -1 };
    glucose.LimitMode = { lmFixed, lmLocked, lmMobile };
    glucose.LockStart = { -1, 0, -1 };
    glucose.LockEnd = { -1, 1, -1 };
    glucose.Options = aoWestgard | aoDefault;
    glucose.Archives = { 3, 12 };
    SetStats(glucose.ReferenceStats[0], 42, 2, 3, 40.5, 44.25);
    SetStats(glucose.ReferenceStats[1], 5, 0.5, 0.8, 4, 6);
    SetStats(glucose.ReferenceStats[2], 0, 0.5, 0.8);

    TAnalyte& calcium = analytes.Add(TAnalyte("Calcium", "mmol/L", 2, 1));
    for (TLevelStats& s : calcium.ReferenceStats)
        SetStats(s, 0, 0.5, 0.8);
}

QByteArray SampleImage(const char* version, QMap<QString, int>* offsets)
{
    const bool shortHeader = QByteArray(version) == "30";
    QMap<QString, int> at;
    TByteImage image;
    const auto mark = [&](const char* name) -> TByteImage& {
        at[name] = image.Size();
        return image;
    };
    mark("serumCount").Int32(2);
    mark("serum1").Int32(1).Int32(0).ShortString(ControlName, 15).ShortString("A-7", 10).Zeros(1);
    image.Int32(0).Int32(0).ShortString("Lyphocheck 1", 15).ShortString("123456", 10).Zeros(1);
    mark("analyteCount").Int32(2);

    mark("glucose.points").Int32(3);
    Point(
        image, 46000.5, { { 41.5f, 0 }, { 4.0f, 1 }, { NAN, 6 } }, 0, QByteArray("\x02J\xE9\0\0", 5), QByteArray(3, 0));
    Point(image, 46001.25, { { Infinity, 5 }, { 6.0f, 4 }, { 0, 6 } }, 1, "\x04WXYZ", QByteArray("\0\0\x55", 3));
    Point(image, 46002.75, { { 0, 6 }, { 5.0f, 1 }, { 0, 6 } }, -1, QByteArray("\0\0x\0\0", 5), QByteArray(3, 0));
    mark("glucose.header");
    Header(image, shortHeader, "Glucose", MicromolUnits, 1, 2, { 0, 1, -1, -1, 0, -1, -1, 1, -1 }, { 2, 1, 0 }, 5,
        { 42, 2, 3, 40.5, 44.25 });
    mark("glucose.limits").Extended(42).Extended(2).Extended(3).Extended(5).Extended(0.5).Extended(0.8);
    image.Extended(0).Extended(0.5).Extended(0.8);
    mark("glucose.stampAfterLimits").Stamp();
    mark("glucose.archives").Int32(2).Int32(3).Int32(12);
    mark("glucose.stampAfterArchives").Stamp();
    mark("glucose.comments").Int32(2).Int32(0).LongString("Recalibrated").Int32(1).LongString(SizeComment);
    mark("glucose.stampAfterComments").Stamp();

    mark("calcium.points").Int32(0);
    mark("calcium.header");
    Header(image, shortHeader, "Calcium", "mmol/L", 2, 1, { -1, -1, -1, -1, -1, -1, -1, -1, -1 }, { 0, 0, 0 }, 7,
        { 0, 0.5, 0.8, 1e10, -1e10 });
    mark("calcium.limits");
    for (int l = 0; l < 3; ++l)
        image.Extended(0).Extended(0.5).Extended(0.8);
    image.Stamp().Int32(0).Stamp().Int32(0).Stamp();
    mark("finalStamp").Stamp(version);
    if (offsets)
        *offsets = at;
    return image.Bytes();
}

QString ListDifference(const TListSerum& actualSerums, const TListAnalytes& actual, const TListSerum& expectedSerums,
    const TListAnalytes& expected)
{
    if (!(actualSerums == expectedSerums))
        return QStringLiteral("control materials differ");
    if (actual.Count() != expected.Count())
        return QString("%1 analytes instead of %2").arg(actual.Count()).arg(expected.Count());
    for (int i = 0; i < actual.Count(); ++i) {
        const TAnalyte& a = actual.Item(i);
        const TAnalyte& b = expected.Item(i);
        if (a.Name != b.Name)
            return QString("name %1 instead of %2").arg(a.Name, b.Name);
        const QStringList x = Lines(a), y = Lines(b);
        for (int k = 0; k < std::max(x.size(), y.size()); ++k)
            if (x.value(k) != y.value(k))
                return QString("%1: %2 instead of %3").arg(a.Name, x.value(k), y.value(k));
    }
    return QString();
}

void FillCrashModel(int variant, TListSerum& serums, TListAnalytes& analytes)
{
    FillSampleModel(serums, analytes);
    TRandom random(99);
    TQCValues means, cvs;
    for (int l = 0; l < 3; ++l) {
        means[l] = { float(3 + 4 * l), psWithin };
        cvs[l] = { 4.0f, psWithin };
    }
    for (int a = 0; variant == 1 && a < 3; ++a)
        analytes.Add(TAnalyte(QString("Bulk %1").arg(a), "g/L", 2, 3))
            .AddRandomPoints(4000, means, cvs, 40000.5, random, TRisks());
}
