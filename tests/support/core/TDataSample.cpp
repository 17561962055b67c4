#include "TDataSample.h"
#include "TAnalyte.h"
#include "TRandomSeries.h"

#include "TByteImage.h"
#include "TDataFileWriter.h"
#include "TListAnalytes.h"
#include "TListSerum.h"
#include "TRandom.h"
#include "TestHelpers.h"

#include <QBuffer>
#include <limits>

namespace {

const QString ControlName = QString::fromUtf8("Contr\u00f4le");
const QString MicromolUnits = QString::fromUtf8("\u00b5mol/L");
const QString SizeComment = QString::fromUtf8("Gr\u00f6\u00dfe");
constexpr float Infinity = std::numeric_limits<float>::infinity();

// A 44-byte point record: date, (value, status) cells, comment id, operator with its 4 bytes,
// unused bytes; a cell of status 4 carries the unused bytes 1 2 3.
void Point(TByteImage& image, double dateTime, std::initializer_list<std::pair<float, quint8>> cells, qint32 commentId,
    const QByteArray& op)
{
    image.Double(dateTime);
    for (const auto& [value, status] : cells)
        image.Single(value).Byte(status).Raw(status == 4 ? "\x01\x02\x03" : QByteArray(3, '\0'));
    image.Int32(commentId).Raw(op);
}

// An analyte header: fields 0..71 (levels, lots, modes, lock starts and ends), then a short
// header's 3 zero bytes, or zeros, Options, the reserved 10, Mean, half-widths and Min of
// level 1 and 9 bytes of its Max.
void Header(TByteImage& image, bool shortHeader, const QString& name, const QString& units, qint32 decimals,
    std::array<qint32, 10> ints, std::array<quint8, 3> modes, quint8 options, std::array<double, 5> stats)
{
    image.ShortString(name, 15).ShortString(units, 6).Zeros(1).Int32(decimals);
    for (int i = 0; i < 4; ++i)
        image.Int32(ints[i]);
    for (quint8 mode : modes)
        image.Byte(mode);
    image.Zeros(1);
    for (int i = 4; i < 10; ++i)
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

QByteArray Written(const TListSerum& serums, TListAnalytes analytes)
{
    for (int i = 0; i < analytes.Count(); ++i)
        for (TLevelStats& s : analytes.Item(i).ReferenceStats)
            s.Min = s.Max = 0; // no reader takes them
    return DataFileBytes(serums, analytes);
}

} // namespace

QByteArray DataFileBytes(const TListSerum& serums, const TListAnalytes& analytes)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    return TDataFileWriter().Write(buffer, serums, analytes) ? buffer.data() : QByteArray("<not written>");
}

void FillSampleModel(TListSerum& serums, TListAnalytes& analytes)
{
    serums.Add("Lyphocheck 1", "123456");
    serums.Add(ControlName, "A-7");
    TAnalyte& glucose = analytes.Add(TAnalyte("Glucose", MicromolUnits, 1, 2));
    glucose.AddPoint(MakeResult(46000.5, 41.5, 4.0, NAN, QString::fromUtf8("J\u00e9"), "Recalibrated"));
    glucose.AddPoint(MakeResult(46001.25, NAN, 6.0, NAN, "WXYZ", SizeComment));
    glucose.AddPoint(MakeResult(46002.75, NAN, 5.0));
    glucose.Point(0).Values[1].Status = glucose.Point(2).Values[1].Status = psHighWarning;
    glucose.Point(0).Values[2].Value = NAN;
    glucose.Point(1).Values[0] = { Infinity, psDiscarded };
    glucose.Point(1).Values[1] = { 6.0f, psLowAction, { 1, 2, 3 } };
    glucose.Point(1).Unused[2] = 0x55;
    glucose.Point(2).OperatorBytes[1] = 'x';
    glucose.SerumID = { 0, 1, -1 };
    glucose.LimitMode = { lmFixed, lmLocked, lmMobile };
    glucose.LockStart = { -1, 0, -1 };
    glucose.LockEnd = { -1, 1, -1 };
    glucose.Options = aoWestgard | aoDefault;
    glucose.Archives = { 3, 12 };
    glucose.ReferenceStats[0] = { .Mean = 42, .WarningHalfWidth = 2, .ActionHalfWidth = 3, .Min = 40.5, .Max = 44.25 };
    glucose.ReferenceStats[1] = { .Mean = 5, .WarningHalfWidth = 0.5, .ActionHalfWidth = 0.8 };
    analytes.Add(TAnalyte("Calcium", "mmol/L", 2, 1));
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
    Point(image, 46000.5, { { 41.5f, 0 }, { 4.0f, 1 }, { NAN, 6 } }, 0, QByteArray("\x02J\xE9\0\0\0\0\0", 8));
    Point(image, 46001.25, { { Infinity, 5 }, { 6.0f, 4 }, { 0, 6 } }, 1, QByteArray("\x04WXYZ\0\0\x55", 8));
    Point(image, 46002.75, { { 0, 6 }, { 5.0f, 1 }, { 0, 6 } }, -1, QByteArray("\0\0x\0\0\0\0\0", 8));
    mark("glucose.header");
    Header(image, shortHeader, "Glucose", MicromolUnits, 1, { 2, 0, 1, -1, -1, 0, -1, -1, 1, -1 }, { 2, 1, 0 }, 5,
        { 42, 2, 3, 40.5, 44.25 });
    mark("glucose.limits").Extended(42).Extended(2).Extended(3).Extended(5).Extended(0.5).Extended(0.8);
    image.Extended(0).Extended(0.5).Extended(0.8);
    mark("glucose.stampAfterLimits").Stamp();
    mark("glucose.archives").Int32(2).Int32(3).Int32(12);
    mark("glucose.stampAfterArchives").Stamp();
    mark("glucose.comments").Int32(2).Int32(0).LongString("Recalibrated").Int32(1).LongString(SizeComment);
    mark("glucose.stampAfterComments").Stamp().Int32(0);
    mark("calcium.header");
    Header(image, shortHeader, "Calcium", "mmol/L", 2, { 1, -1, -1, -1, -1, -1, -1, -1, -1, -1 }, { 0, 0, 0 }, 7,
        { 0, 0.5, 0.8, 1e10, -1e10 });
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
        return QStringLiteral("the control materials differ");
    const QByteArray a = Written(actualSerums, actual), b = Written(expectedSerums, expected);
    const int same = SameBytes(a, b);
    return same == a.size() && same == b.size() ? QString() : QString("the written lists differ at byte %1").arg(same);
}

void FillCrashModel(int variant, TListSerum& serums, TListAnalytes& analytes)
{
    FillSampleModel(serums, analytes);
    TRandom random(99);
    TQCValues means, cvs;
    means.fill({ 5.0f, psWithin });
    cvs.fill({ 4.0f, psWithin });
    for (int a = 0; variant == 1 && a < 3; ++a)
        AddRandomPoints(analytes.Add(TAnalyte(QString("Bulk %1").arg(a), "g/L", 2, 3)), 4000, means, cvs, 40000.5,
            random, TRisks());
}
