// vantorel-cli evaluate: judges one run with the Westgard multirules against an
// analyte's stored points, as the validation window does, and prints the
// verdict as one JSON object. It reads the files and never writes them.
#include "CliCommands.h"
#include "CliFiles.h"
#include "CliJson.h"

#include "TAnalyte.h"
#include "TInputCheck.h"
#include "TQCContext.h"
#include "TQualityGoals.h"
#include "TRuleChoice.h"
#include "TStatistics.h"
#include "TWestgard.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <optional>

namespace {

struct TEvaluateRequest {
    QString Analyte;
    double DateTime = 0;
    QStringList Values;
    QList<int> Discards; // level numbers 1..3
    std::optional<bool> Westgard;
};

int Fail(QTextStream& err, const QString& reason) { return CliFail(err, QStringLiteral("evaluate"), reason); }

// The run asked for; the command line has been checked against its forms.
TEvaluateRequest ReadRequest(const TCliArgs& args)
{
    TEvaluateRequest request;
    request.Analyte = args.Text("analyte");
    request.DateTime = args.Options.value("datetime").toDouble();
    request.Values = args.Text("values").split(',');
    request.Discards = args.Options.value("discard").value<QList<int>>();
    if (args.Has("westgard"))
        request.Westgard = args.Options.value("westgard").toBool();
    return request;
}

// The run as the entry form makes it, classified against the analyte's limits.
bool MakeRun(const TAnalyte& analyte, const TEvaluateRequest& request, TResu0& run, QString* error)
{
    run.DateTime = request.DateTime;
    run.Analyte = analyte.Name;
    bool anyValue = false;
    for (int l = 0; l < request.Values.size(); ++l) {
        const TQCValueCheck check = ReadQCValueText(request.Values[l]);
        if (!check.Ok) {
            *error = QString("value %1 \"%2\": %3").arg(l + 1).arg(request.Values[l], check.Error);
            return false;
        }
        if (check.Cell.Status == psNoValue)
            continue;
        if (l >= analyte.NbLevels) {
            *error = QString("value %1: %2 has %3 level(s)").arg(l + 1).arg(analyte.Name).arg(analyte.NbLevels);
            return false;
        }
        run.Values[l] = check.Cell;
        anyValue = true;
    }
    if (!anyValue) {
        *error = QStringLiteral("Enter data");
        return false;
    }
    ClassifyPoint(analyte, run);
    return true;
}

QString OutcomeText(TRuleOutcome outcome)
{
    switch (outcome) {
    case TRuleOutcome::Warning:
        return QStringLiteral("warning");
    case TRuleOutcome::Rejection:
        return QStringLiteral("rejection");
    case TRuleOutcome::NotViolated:
        break;
    }
    return QStringLiteral("none");
}

// The points of a rule's scope: when, which level (from 1) and the value, the
// run being judged included.
QJsonArray ScopeJson(const TAnalyte& analyte, const TResu0& run, const TRuleScope& scope)
{
    QJsonArray points;
    for (const TRulePoint& point : scope) {
        const double dateTime = point.Index == RunPoint ? run.DateTime : analyte.Point(point.Index).DateTime;
        const TQCValue& cell
            = point.Index == RunPoint ? run.Values[point.Level] : analyte.Point(point.Index).Values[point.Level];
        points.append(QJsonObject {
            { "datetime", IsoText(dateTime) }, { "level", point.Level + 1 }, { "value", SingleJson(cell.Value) } });
    }
    return points;
}

QJsonObject ResultJson(const TAnalyte& analyte, const TResu0& run, const std::array<bool, MaxLevels>& discarded,
    const TWestgardResult& result, const TRuleChoice& choice)
{
    QJsonArray levels;
    for (int l = 0; l < analyte.NbLevels && l < MaxLevels; ++l) {
        const TWestgardLevel& level = result.Levels[l];
        QJsonObject rules;
        QJsonObject scope;
        for (int slot = 0; slot < LevelRuleCount; ++slot) {
            rules[LevelRuleNames[slot]] = OutcomeText(level.Rules[slot]);
            if (!level.Scope[slot].empty())
                scope[LevelRuleNames[slot]] = ScopeJson(analyte, run, level.Scope[slot]);
        }
        levels.append(QJsonObject { { "status", int(run.Values[l].Status) }, { "validated", level.Validated },
            { "discarded", discarded[l] }, { "rules", rules }, { "scope", scope } });
    }
    QJsonArray names;
    QJsonArray outcomes;
    QJsonObject scope;
    for (int slot = 0; slot < AcrossRuleCount; ++slot) {
        names.append(QString::fromLatin1(result.AcrossNames()[slot]));
        outcomes.append(OutcomeText(result.Across[slot]));
        if (!result.AcrossScope[slot].empty())
            scope[result.AcrossNames()[slot]] = ScopeJson(analyte, run, result.AcrossScope[slot]);
    }
    return QJsonObject {
        { "analyte", analyte.Name },
        { "previousIndex", result.PreviousIndex },
        { "rulesInForce",
            QJsonObject {
                { "recommended", choice.Recommended }, { "rules", QJsonArray::fromStringList(choice.Rules.Rules) } } },
        { "validatedCount", result.ValidatedCount },
        { "levels", levels },
        { "across",
            QJsonObject {
                { "shown", result.AcrossShown() }, { "names", names }, { "outcomes", outcomes }, { "scope", scope } } },
    };
}

} // namespace

int CmdEvaluate(const TCliArgs& args, QTextStream& out, QTextStream& err)
{
    QString error;
    const TEvaluateRequest request = ReadRequest(args);
    const QString dataFile = args.Text("data");

    // The analytes come from the one data file, or from the program's files
    // (whose settings give the risks the limits are computed with).
    TDataRead data;
    TQCContext context;
    TListAnalytes* analytes = &context.ListAnalytes;
    if (args.Has("data")) {
        if (!ReadDataFile(dataFile, data, &error))
            return Fail(err, dataFile + ": " + error);
        analytes = &data.Analytes;
    } else if (!OpenProgramFiles(args.Text("folder"), context, &error)) {
        return Fail(err, error);
    }
    const TAnalyte* analyte = analytes->FindByName(request.Analyte);
    if (!analyte)
        return Fail(err, "no analyte named " + request.Analyte);

    TResu0 run;
    if (!MakeRun(*analyte, request, run, &error))
        return Fail(err, error);
    std::array<bool, MaxLevels> discarded {};
    for (int level : request.Discards) {
        if (level > analyte->NbLevels || !run.Values[level - 1].HasValue())
            return Fail(err, QString("level %1 has no value to discard").arg(level));
        discarded[level - 1] = true;
    }
    const bool westgard = request.Westgard.value_or(analyte->HasOption(aoWestgard));
    // The laboratory may judge the analyte with the rules its sigma calls for, as the window does.
    TQualityGoals goals;
    const QString goalsFile = GoalsFileName(dataFile, context);
    if (!goals.Load(goalsFile, &error))
        return Fail(err, goalsFile + ": " + error);
    const TRuleChoice choice = RulesInForce(*analyte, goals.Goals(analyte->Name));
    TWestgardResult result = EvaluateWestgard(*analyte, run, discarded, westgard);
    ApplyRuleChoice(choice, result);
    out << QString::fromUtf8(
        QJsonDocument(ResultJson(*analyte, run, discarded, result, choice)).toJson(QJsonDocument::Indented));
    return 0;
}
