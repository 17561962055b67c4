#include "TDataSample.h"

#include "TAnalyte.h"
#include "TByteImage.h"
#include "TListAnalytes.h"
#include "TListSerum.h"
#include "TRandom.h"
#include "TestHelpers.h"

namespace {

const QString ControlName = QString::fromUtf8("Contr\u00f4le");
const QString MicromolUnits = QString::fromUtf8("\u00b5mol/L");
const QString SizeComment = QString::fromUtf8("Gr\u00f6\u00dfe");

void SetStats(TLevelStats& s, double mean, double warning, double action, double min, double max)
{
    s.Mean = mean;
    s.WarningHalfWidth = warning;
    s.ActionHalfWidth = action;
    s.Min = min;
    s.Max = max;
}

void SetStatuses(TQCPoint& p, quint8 s0, quint8 s1, quint8 s2)
{
    p.Values[0].Status = s0;
    p.Values[1].Status = s1;
    p.Values[2].Status = s2;
}

} // namespace

void FillSampleModel(TListSerum& serums, TListAnalytes& analytes)
{
    serums.Add("Lyphocheck 1", "123456");
    serums.Add(ControlName, "A-7");

    TAnalyte glucose("Glucose", MicromolUnits, 1, 2);
    glucose.AddPoint(MakeResult(46000.5, 41.5, 4.0, NAN, "AB", "Recalibrated"));
    glucose.AddPoint(MakeResult(46001.25, 50.0, 6.0, NAN, "WXYZ", SizeComment));
    glucose.AddPoint(MakeResult(46002.75, NAN, 5.0));
    SetStatuses(glucose.Point(0), psWithin, psHighWarning, psNoValue);
    SetStatuses(glucose.Point(1), psDiscarded, psLowAction, psNoValue);
    SetStatuses(glucose.Point(2), psNoValue, psHighWarning, psNoValue);
    glucose.SerumID = { 0, 1, -1 };
    glucose.LimitMode = { lmFixed, lmLocked, lmMobile };
    glucose.LockStart = { -1, 0, -1 };
    glucose.LockEnd = { -1, 1, -1 };
    glucose.Options = aoWestgard | aoDefault;
    glucose.Archives = { 3, 12 };
    SetStats(glucose.ReferenceStats[0], 42, 2, 3, 40.5, 44.25);
    SetStats(glucose.ReferenceStats[1], 5, 0.5, 0.8, 4, 6);
    SetStats(glucose.ReferenceStats[2], 0, 0.5, 0.8, 1e10, -1e10);
    analytes.Add(std::move(glucose));

    TAnalyte calcium("Calcium", "mmol/L", 2, 1);
    for (TLevelStats& s : calcium.ReferenceStats)
        SetStats(s, 0, 0.5, 0.8, 1e10, -1e10);
    analytes.Add(std::move(calcium));
}

namespace {

// One 44-byte point record.
void Point(TByteImage& image, double dateTime, std::initializer_list<std::pair<float, quint8>> cells, qint32 commentId,
    const char* op)
{
    image.Double(dateTime);
    for (const auto& [value, status] : cells)
        image.Single(value).Byte(status).Zeros(3);
    image.Int32(commentId).ShortString(op, 4).Zeros(3);
}

// Header fields 0..71, common to both header sizes.
void HeaderStart(TByteImage& image, const QString& name, const QString& units, qint32 decimals, qint32 levels,
    std::array<qint32, 3> serums, std::array<quint8, 3> modes, std::array<qint32, 3> lockStart,
    std::array<qint32, 3> lockEnd)
{
    image.ShortString(name, 15).ShortString(units, 6).Zeros(1).Int32(decimals).Int32(levels);
    for (qint32 id : serums)
        image.Int32(id);
    for (quint8 mode : modes)
        image.Byte(mode);
    image.Zeros(1);
    for (qint32 i : lockStart)
        image.Int32(i);
    for (qint32 i : lockEnd)
        image.Int32(i);
}

// Fields 72..132 of a long header: reserved zeros, Options, reserved 10, then
// Mean, half-widths and Min of level 0 and 9 bytes of its Max.
void HeaderEnd(TByteImage& image, bool shortHeader, quint8 options, double mean, double warning, double action,
    double min, double max)
{
    if (shortHeader) {
        image.Zeros(3);
        return;
    }
    image.Zeros(4).Byte(options).Zeros(3).Int32(10);
    image.Extended(mean).Extended(warning).Extended(action).Extended(min);
    TByteImage maxBytes;
    maxBytes.Extended(max);
    image.Raw(maxBytes.Bytes().left(9));
}

} // namespace

QByteArray SampleImage(const char* version, QMap<QString, int>* offsets)
{
    const bool shortHeader = QByteArray(version) == "30";
    QMap<QString, int> at;
    TByteImage image;
    at["serumCount"] = image.Size();
    image.Int32(2);
    at["serum1"] = image.Size();
    image.Int32(1).Int32(0).ShortString(ControlName, 15).ShortString("A-7", 10).Zeros(1);
    image.Int32(0).Int32(0).ShortString("Lyphocheck 1", 15).ShortString("123456", 10).Zeros(1);
    at["analyteCount"] = image.Size();
    image.Int32(2);

    at["glucose.points"] = image.Size();
    image.Int32(3);
    Point(image, 46000.5, { { 41.5f, 0 }, { 4.0f, 1 }, { 0.0f, 6 } }, 0, "AB");
    Point(image, 46001.25, { { 50.0f, 5 }, { 6.0f, 4 }, { 0.0f, 6 } }, 1, "WXYZ");
    Point(image, 46002.75, { { 0.0f, 6 }, { 5.0f, 1 }, { 0.0f, 6 } }, -1, "");
    at["glucose.header"] = image.Size();
    HeaderStart(image, "Glucose", MicromolUnits, 1, 2, { 0, 1, -1 }, { 2, 1, 0 }, { -1, 0, -1 }, { -1, 1, -1 });
    HeaderEnd(image, shortHeader, 5, 42, 2, 3, 40.5, 44.25);
    at["glucose.limits"] = image.Size();
    image.Extended(42).Extended(2).Extended(3).Extended(5).Extended(0.5).Extended(0.8);
    image.Extended(0).Extended(0.5).Extended(0.8);
    at["glucose.stampAfterLimits"] = image.Size();
    image.Stamp();
    at["glucose.archives"] = image.Size();
    image.Int32(2).Int32(3).Int32(12);
    at["glucose.stampAfterArchives"] = image.Size();
    image.Stamp();
    at["glucose.comments"] = image.Size();
    image.Int32(2).Int32(0).LongString("Recalibrated").Int32(1).LongString(SizeComment);
    at["glucose.stampAfterComments"] = image.Size();
    image.Stamp();

    at["calcium.points"] = image.Size();
    image.Int32(0);
    at["calcium.header"] = image.Size();
    HeaderStart(image, "Calcium", "mmol/L", 2, 1, { -1, -1, -1 }, { 0, 0, 0 }, { -1, -1, -1 }, { -1, -1, -1 });
    HeaderEnd(image, shortHeader, 7, 0, 0.5, 0.8, 1e10, -1e10);
    at["calcium.limits"] = image.Size();
    for (int l = 0; l < 3; ++l)
        image.Extended(0).Extended(0.5).Extended(0.8);
    image.Stamp().Int32(0).Stamp().Int32(0).Stamp();
    at["finalStamp"] = image.Size();
    image.Stamp(version);
    if (offsets)
        *offsets = at;
    return image.Bytes();
}

namespace {

template <typename T> QString Differs(const char* what, const T& a, const T& b)
{
    return a == b ? QString() : QString("%1 differs").arg(what);
}

QString PointDifference(const TQCPoint& a, const TQCPoint& b)
{
    if (a.DateTime != b.DateTime)
        return QString("date %1 instead of %2").arg(a.DateTime, 0, 'g', 17).arg(b.DateTime, 0, 'g', 17);
    for (int l = 0; l < 3; ++l)
        if (!(a.Values[l] == b.Values[l]))
            return QString("level %1: %2 (status %3) instead of %4 (status %5)")
                .arg(l + 1)
                .arg(a.Values[l].Value)
                .arg(a.Values[l].Status)
                .arg(b.Values[l].Value)
                .arg(b.Values[l].Status);
    if (a.CommentID != b.CommentID)
        return QString("comment id %1 instead of %2").arg(a.CommentID).arg(b.CommentID);
    if (a.Operator() != b.Operator())
        return QString("operator %1 instead of %2").arg(a.Operator(), b.Operator());
    return QString();
}

} // namespace

QString AnalyteDifference(const TAnalyte& a, const TAnalyte& b)
{
    QString d;
    if (a.Name != b.Name)
        return QString("name %1 instead of %2").arg(a.Name, b.Name);
    const QString prefix = a.Name + ": ";
    for (QString one : { Differs("units", a.Units, b.Units), Differs("decimals", a.Decimals, b.Decimals),
             Differs("levels", a.NbLevels, b.NbLevels), Differs("lots", a.SerumID, b.SerumID),
             Differs("limit modes", a.LimitMode, b.LimitMode), Differs("lock starts", a.LockStart, b.LockStart),
             Differs("lock ends", a.LockEnd, b.LockEnd), Differs("options", a.Options, b.Options),
             Differs("reserved", a.Reserved, b.Reserved), Differs("archives", a.Archives, b.Archives),
             Differs("comments", a.Comments, b.Comments), Differs("point count", a.Count(), b.Count()) })
        if (!one.isEmpty())
            return prefix + one;
    for (int i = 0; i < a.Count(); ++i) {
        d = PointDifference(a.Point(i), b.Point(i));
        if (!d.isEmpty())
            return prefix + QString("point %1: ").arg(i) + d;
    }
    for (int l = 0; l < 3; ++l) {
        const TLevelStats& x = a.ReferenceStats[l];
        const TLevelStats& y = b.ReferenceStats[l];
        if (x.Mean != y.Mean || x.WarningHalfWidth != y.WarningHalfWidth || x.ActionHalfWidth != y.ActionHalfWidth)
            return prefix + QString("limits of level %1 differ").arg(l + 1);
    }
    return QString();
}

QString ListDifference(const TListSerum& actualSerums, const TListAnalytes& actual, const TListSerum& expectedSerums,
    const TListAnalytes& expected)
{
    if (!(actualSerums == expectedSerums))
        return QStringLiteral("control materials differ");
    if (actual.Count() != expected.Count())
        return QString("%1 analytes instead of %2").arg(actual.Count()).arg(expected.Count());
    for (int i = 0; i < actual.Count(); ++i) {
        const QString d = AnalyteDifference(actual.Item(i), expected.Item(i));
        if (!d.isEmpty())
            return d;
    }
    return QString();
}

void FillCrashModel(int variant, TListSerum& serums, TListAnalytes& analytes)
{
    FillSampleModel(serums, analytes);
    if (variant == 0)
        return;
    TRandom random(99);
    TQCValues means, cvs;
    for (int l = 0; l < 3; ++l) {
        means[l] = { float(3 + 4 * l), psWithin };
        cvs[l] = { 4.0f, psWithin };
    }
    for (int a = 0; a < 3; ++a) {
        TAnalyte& analyte = analytes.Add(TAnalyte(QString("Bulk %1").arg(a), "g/L", 2, 3));
        analyte.AddRandomPoints(4000, means, cvs, 40000.5, random, TRisks());
    }
}
