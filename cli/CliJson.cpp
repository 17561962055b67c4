#include "CliJson.h"

#include "TAnalyte.h"
#include "TConfigRecord.h"
#include "TDates.h"
#include "TFifo.h"
#include "TListAnalytes.h"
#include "TListSerum.h"
#include "TQCTypes.h"

#include <QStringList>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

const char* const LimitModeNames[3] = { "mobile", "locked", "fixed" };

QString ModeName(quint8 mode) { return mode < 3 ? QString(LimitModeNames[mode]) : QString::number(mode); }

template <typename T, size_t N> QJsonArray IntArray(const std::array<T, N>& items)
{
    QJsonArray array;
    for (const T& item : items)
        array.append(qint64(item));
    return array;
}

} // namespace

QJsonValue SingleJson(float value)
{
    if (!std::isfinite(value))
        return QJsonValue(); // JSON has no such numbers: null
    char text[32];
    const auto [end, ec] = std::to_chars(text, text + sizeof text - 1, value);
    if (ec == std::errc()) {
        *end = '\0';
        const double shortest = std::strtod(text, nullptr);
        if (float(shortest) == value)
            return shortest;
    }
    return double(value);
}

QString IsoText(double dayCount) { return DayCountToDateTime(dayCount).toString("yyyy-MM-ddThh:mm:ss.zzz"); }

QJsonObject StatsJson(const TLevelStats& s)
{
    return QJsonObject {
        { "mean", s.Mean },
        { "warning", s.WarningHalfWidth },
        { "action", s.ActionHalfWidth },
        { "min", s.Min },
        { "max", s.Max },
        { "chartLow", s.ChartLow },
        { "chartHigh", s.ChartHigh },
        { "n", s.N },
        { "discarded", s.Discarded },
        { "dof", s.DegreesOfFreedom },
        { "cv", SingleJson(s.CV) },
        { "status", s.Status },
    };
}

QJsonArray ValuesJson(const TQCValues& values)
{
    QJsonArray array;
    for (const TQCValue& cell : values)
        array.append(QJsonObject { { "value", SingleJson(cell.Value) }, { "status", cell.Status } });
    return array;
}

QJsonObject AnalyteJson(const TAnalyte& a)
{
    QJsonArray modes, archives, reference, allPoints, points;
    for (quint8 mode : a.LimitMode)
        modes.append(ModeName(mode));
    for (qint32 number : a.Archives)
        archives.append(number);
    for (int l = 0; l < MaxLevels; ++l) {
        reference.append(StatsJson(a.ReferenceStats[size_t(l)]));
        allPoints.append(StatsJson(a.AllPointsStats[size_t(l)]));
    }
    for (int i = 0; i < a.Count(); ++i) {
        const TQCPoint& p = a.Point(i);
        points.append(QJsonObject {
            { "dateTime", p.DateTime },
            { "iso", IsoText(p.DateTime) },
            { "values", ValuesJson(p.Values) },
            { "operator", p.Operator() },
            { "comment", a.CommentText(p.CommentID) },
        });
    }
    return QJsonObject {
        { "name", a.Name },
        { "units", a.Units },
        { "decimals", a.Decimals },
        { "levels", a.NbLevels },
        { "options", a.Options },
        { "reserved", a.Reserved },
        { "serumIds", IntArray(a.SerumID) },
        { "limitModes", modes },
        { "lockStart", IntArray(a.LockStart) },
        { "lockEnd", IntArray(a.LockEnd) },
        { "archives", archives },
        { "reference", reference },
        { "allPoints", allPoints },
        { "points", points },
    };
}

QJsonArray AnalytesJson(const TListAnalytes& analytes)
{
    QJsonArray array;
    for (int i = 0; i < analytes.Count(); ++i)
        array.append(AnalyteJson(analytes.Item(i)));
    return array;
}

QJsonArray MaterialsJson(const TListSerum& serums)
{
    QJsonArray array;
    for (int i = 0; i < serums.Count(); ++i) {
        const TSerum& s = serums.Item(i);
        array.append(QJsonObject { { "id", s.ID }, { "name", s.Name }, { "lot", s.Lot } });
    }
    return array;
}

QJsonArray QueueJson(const TFifo& queue)
{
    QJsonArray array;
    for (int i = 0; i < queue.Count(); ++i) {
        const TResu0& r = queue.Item(i);
        array.append(QJsonObject {
            { "dateTime", r.DateTime },
            { "iso", IsoText(r.DateTime) },
            { "values", ValuesJson(r.Values) },
            { "operator", r.Operator },
            { "comment", r.Comment },
            { "analyte", r.Analyte },
        });
    }
    return array;
}

QJsonObject SettingsJson(const TConfigRecord& c, bool firstStart, const QStringList& operators)
{
    return QJsonObject {
        { "showAboutAtStart", c.ShowAboutAtStart },
        { "printInColour", c.PrintInColour },
        { "password", c.Password },
        { "backupDrive", QString(QChar::fromLatin1(c.BackupDrive)) },
        { "backupInterval", c.BackupInterval },
        { "lastBackupDate", c.LastBackupDate },
        { "alertRisk", c.AlertRisk },
        { "actionRisk", c.ActionRisk },
        { "version", QString::fromLatin1(c.Version, 2) },
        { "backupFolder", c.BackupFolder },
        { "firstStart", firstStart },
        { "operators", QJsonArray::fromStringList(operators) },
    };
}
