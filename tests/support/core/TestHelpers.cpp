#include "TestHelpers.h"

#include "TQCTypes.h"

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
    for (int l = 0; l < 3; ++l) {
        if (std::isnan(values[l])) {
            r.Values[l].Status = psNoValue;
            r.Values[l].Value = 0;
        } else {
            r.Values[l].Status = psWithin;
            r.Values[l].Value = float(values[l]);
        }
    }
    r.Operator = op;
    r.Comment = comment;
    return r;
}

QString TestDataPath(const QString& name) { return QString(VANTOREL_TEST_DATA) + "/" + name; }

QString ArtifactPath(const QString& name)
{
    QDir().mkpath(VANTOREL_ARTIFACT_DIR);
    return QString(VANTOREL_ARTIFACT_DIR) + "/" + name;
}
