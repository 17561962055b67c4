#include "TestHelpers.h"
#include "TAnalyte.h"

#include "TStatistics.h"

#include <QDir>

std::unique_ptr<TQCContext> MakeTestContext(const QDateTime& now, quint64 seed)
{
    return std::make_unique<TQCContext>(std::make_unique<TFixedClock>(now), seed);
}

TResu0 MakeResult(double dateTime, double v1, double v2, double v3, const QString& op, const QString& comment)
{
    TResu0 r;
    r.DateTime = dateTime;
    const double values[3] = { v1, v2, v3 };
    for (int l = 0; l < 3; ++l)
        r.Values[l] = std::isnan(values[l]) ? TQCValue { 0, psNoValue } : TQCValue { float(values[l]), psWithin };
    r.Operator = op;
    r.Comment = comment;
    return r;
}

TAnalyte& AddDailyAnalyte(TQCContext& context, const QString& name, int levels, int count, double today)
{
    TAnalyte& a = context.ListAnalytes.Add(TAnalyte(name, "mmol/L", 1, levels));
    for (int l = 0; l < levels; ++l)
        a.SerumID[l] = l;
    for (int i = 0; i < count; ++i) {
        const double v = 5 + (i % 5) * 0.1;
        a.AddPoint(MakeResult(today - count + i + 0.5, v, 2 * v, 3 * v));
    }
    RecomputeAll(a, context.Risks());
    ClassifyAll(a);
    return a;
}

void SetLocked(TAnalyte& analyte, int level, int first, int last)
{
    analyte.LimitMode[level] = lmLocked;
    analyte.LockStart[level] = first;
    analyte.LockEnd[level] = last;
}

QString ArtifactPath(const QString& name)
{
    QDir().mkpath(VANTOREL_ARTIFACT_DIR);
    return QString(VANTOREL_ARTIFACT_DIR) + "/" + name;
}

QString SourcePath(const QString& relative) { return QString(VANTOREL_SOURCE_DIR) + "/" + relative; }

QString ToolPath(const QString& name) { return QString(VANTOREL_TOOLS_DIR) + "/" + name; }

QString CliProgram() { return QString(VANTOREL_CLI); }

QByteArray FileContent(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool PutFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

int SameBytes(const QByteArray& a, const QByteArray& b)
{
    int n = 0;
    while (n < a.size() && n < b.size() && a[n] == b[n])
        ++n;
    return n;
}
