// vantorel-cli sigma: the sigma metric of each level of an analyte from its
// reference statistics and the laboratory's quality goals, the rules the Westgard
// Sigma Rules recommend, and the chance of false rejection and of detecting the
// critical error for those rules and for the full multirule, simulated with the
// program's own rules engine. It reads the files and never writes them.
#include "CliCommands.h"
#include "CliFiles.h"

#include "TAnalyte.h"
#include "TFormat.h"
#include "TPowerFunction.h"
#include "TQCContext.h"
#include "TQualityGoals.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

int Fail(QTextStream& err, const QString& reason) { return CliFail(err, QStringLiteral("sigma"), reason); }

// The stored goals with the options given over them.
bool ApplyOptions(const TCliArgs& args, int levels, TAnalyteGoals& goals, QString* error)
{
    const auto refuse = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    if (args.Has("tea")) {
        bool ok = false;
        const double tea = args.Text("tea").toDouble(&ok);
        if (!ok || !(tea > 0))
            return refuse("--tea wants a percentage above 0, not " + args.Text("tea"));
        for (TLevelGoal& goal : goals.Levels)
            goal = { tea, false, goal.Target, goal.BiasPercent };
    }
    if (args.Has("target")) {
        const QStringList targets = args.Text("target").split(',');
        if (targets.size() > levels)
            return refuse(QString("--target gives %1 values for %2 level(s)").arg(targets.size()).arg(levels));
        for (int l = 0; l < targets.size(); ++l) {
            bool ok = false;
            const double target = targets[l].toDouble(&ok);
            if (targets[l].isEmpty())
                continue;
            if (!ok || !(target > 0))
                return refuse("--target wants values above 0, not " + targets[l]);
            goals.Levels[l].Target = target;
        }
    }
    return true;
}

QJsonObject PowerJson(const TRulePower& power)
{
    return { { "rules", QJsonArray::fromStringList(power.Rules.Rules) }, { "N", power.Rules.N }, { "R", power.Rules.R },
        { "Pfr", power.Pfr }, { "Ped", power.Ped } };
}

QJsonObject LevelJson(int l, const TLevelAdvice& advice)
{
    const TSigmaLevel& s = advice.Sigma;
    QJsonObject level { { "level", l + 1 }, { "mean", s.Mean }, { "cv", double(s.CV) } };
    if (!s.Computed) {
        level["sigma"] = QJsonValue();
        level["reason"] = s.Reason;
        return level;
    }
    level["tea"] = s.TEa;
    level["bias"] = s.Bias;
    if (!s.BiasKnown)
        level["biasNote"] = QStringLiteral("no target nor bias given: bias taken as 0");
    level["sigma"] = s.Sigma;
    level["dsecrit"] = s.DSECrit;
    level["recommendation"] = PowerJson(advice.Recommended);
    level["inForce"] = PowerJson(advice.InForce);
    return level;
}

void PrintText(const TAnalyte& analyte, const std::vector<TLevelAdvice>& advice, QTextStream& out)
{
    const auto number = [](double v, int decimals) { return QString::number(v, 'f', decimals); };
    out << analyte.Name << '\n';
    for (int l = 0; l < int(advice.size()); ++l) {
        const TSigmaLevel& s = advice[l].Sigma;
        out << "QC" << l + 1 << ": mean " << number(s.Mean, analyte.Decimals + 1) << ", CV " << number(s.CV, 2) << " %";
        if (!s.Computed) {
            out << ", no sigma (" << s.Reason << ")\n";
            continue;
        }
        out << ", TEa " << number(s.TEa, 2) << " %, bias " << number(s.Bias, 2) << " %"
            << (s.BiasKnown ? "" : " (no target: taken as 0)") << ", sigma " << number(s.Sigma, 2) << ", dSEcrit "
            << number(s.DSECrit, 2) << " SD\n";
        for (const auto& [name, power] :
            { std::pair { "recommended", advice[l].Recommended }, std::pair { "in force", advice[l].InForce } })
            out << "    " << name << ": " << power.Rules.Text() << ", N = " << power.Rules.N
                << ", R = " << power.Rules.R << ": Pfr " << number(power.Pfr, 3) << ", Ped " << number(power.Ped, 3)
                << '\n';
    }
}

} // namespace

int CmdSigma(const TCliArgs& args, QTextStream& out, QTextStream& err)
{
    QString error;
    TDataRead data;
    TQCContext context;
    TListAnalytes* analytes = &context.ListAnalytes;
    if (args.Has("data")) {
        if (!ReadDataFile(args.Text("data"), data, &error))
            return Fail(err, args.Text("data") + ": " + error);
        analytes = &data.Analytes;
    } else if (!OpenProgramFiles(args.Text("folder"), context, &error)) {
        return Fail(err, error);
    }
    const TAnalyte* analyte = analytes->FindByName(args.Text("analyte"));
    if (!analyte)
        return Fail(err, "no analyte named " + args.Text("analyte"));

    TQualityGoals stored;
    const QString goalsFile = GoalsFileName(args.Text("data"), context);
    if (!stored.Load(goalsFile, &error))
        return Fail(err, goalsFile + ": " + error);
    TAnalyteGoals goals = stored.Goals(analyte->Name);
    if (!ApplyOptions(args, analyte->NbLevels, goals, &error))
        return Fail(err, error);

    TRandom random(SimulationSeed);
    const std::vector<TLevelAdvice> advice = AdviseRules(*analyte, goals, random, LimitsOfRisks(context.Risks()));
    if (!args.Has("json")) {
        PrintText(*analyte, advice, out);
        return 0;
    }
    QJsonArray levels;
    for (int l = 0; l < int(advice.size()); ++l)
        levels.append(LevelJson(l, advice[l]));
    out << QString::fromUtf8(QJsonDocument(QJsonObject { { "analyte", analyte->Name }, { "levels", levels } })
                                 .toJson(QJsonDocument::Indented));
    return 0;
}
