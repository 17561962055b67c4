#include "TQualityGoals.h"

#include "TAnalyte.h"

#include "TAtomicFile.h"

#include <QFile>
#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

constexpr int GoalsVersion = 1;
// A goals file is a few kilobytes; anything much larger is not one.
constexpr qint64 MaxGoalsFile = 4 * 1024 * 1024;

QJsonValue Number(double value) { return std::isfinite(value) ? QJsonValue(value) : QJsonValue(); }

// A number or null (not given); anything else is damage.
bool ReadNumber(const QJsonObject& object, const char* key, double& value)
{
    const QJsonValue field = object.value(QLatin1String(key));
    if (field.isNull() || field.isUndefined()) {
        value = NAN;
        return true;
    }
    value = field.toDouble(NAN);
    return field.isDouble() && std::isfinite(value);
}

bool ReadAnalyte(const QJsonValue& value, TAnalyteGoals& goals)
{
    const QJsonObject object = value.toObject();
    const QJsonArray levels = object.value("levels").toArray();
    if (!value.isObject() || levels.size() > MaxLevels || !object.value("applyRecommended").isBool())
        return false;
    goals.ApplyRecommended = object.value("applyRecommended").toBool();
    for (int l = 0; l < levels.size(); ++l) {
        const QJsonObject level = levels[l].toObject();
        TLevelGoal& goal = goals.Levels[l];
        if (!levels[l].isObject() || !level.value("teaUnits").isBool() || !ReadNumber(level, "tea", goal.TEa)
            || !ReadNumber(level, "target", goal.Target) || !ReadNumber(level, "bias", goal.BiasPercent))
            return false;
        goal.TEaInUnits = level.value("teaUnits").toBool();
    }
    return true;
}

} // namespace

void TQualityGoals::SetGoals(const QString& analyte, const TAnalyteGoals& goals)
{
    m_goals.insert(analyte.toUpper(), goals);
}

bool TQualityGoals::Load(const QString& fileName, QString* error)
{
    QFile file(fileName);
    if (!file.exists()) {
        m_goals.clear();
        return true;
    }
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxGoalsFile) {
        *error = file.isOpen() ? QStringLiteral("too large for a goals file") : file.errorString();
        return false;
    }
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parse);
    const QJsonObject root = document.object();
    if (parse.error != QJsonParseError::NoError || !document.isObject() || root.value("version").toInt() != GoalsVersion
        || !root.value("analytes").isObject()) {
        *error = QStringLiteral("not a goals file of this version");
        return false;
    }
    QMap<QString, TAnalyteGoals> read;
    const QJsonObject analytes = root.value("analytes").toObject();
    for (auto it = analytes.begin(); it != analytes.end(); ++it) {
        TAnalyteGoals goals;
        if (!ReadAnalyte(it.value(), goals)) {
            *error = QStringLiteral("damaged goals of analyte ") + it.key();
            return false;
        }
        read.insert(it.key().toUpper(), goals);
    }
    m_goals = read;
    return true;
}

bool TQualityGoals::Save(const QString& fileName, QString* error) const
{
    QJsonObject analytes;
    for (auto it = m_goals.begin(); it != m_goals.end(); ++it) {
        QJsonArray levels;
        for (const TLevelGoal& goal : it.value().Levels)
            levels.append(QJsonObject { { "tea", Number(goal.TEa) }, { "teaUnits", goal.TEaInUnits },
                { "target", Number(goal.Target) }, { "bias", Number(goal.BiasPercent) } });
        analytes[it.key()] = QJsonObject { { "applyRecommended", it.value().ApplyRecommended }, { "levels", levels } };
    }
    const QByteArray text
        = QJsonDocument(QJsonObject { { "version", GoalsVersion }, { "analytes", analytes } }).toJson();
    return WriteFileAtomically(
        fileName, [&](QIODevice& device) { return device.write(text) == text.size(); }, error);
}

TRuleChoice RulesInForce(const TAnalyte& analyte, const QString& goalsFile)
{
    TQualityGoals goals;
    QString unread;
    return goals.Load(goalsFile, &unread) ? RulesInForce(analyte, goals.Goals(analyte.Name)) : TRuleChoice();
}
