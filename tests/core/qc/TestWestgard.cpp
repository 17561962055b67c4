// The Westgard multirules on runs of one to three levels. Every level of the
// test analytes has mean 100, warning half-width 4 (so one s is 2) and action
// half-width 6, unless a test changes it.
#include "TAnalyte.h"
#include "TStatistics.h"
#include "TTestRegistry.h"
#include "TWestgard.h"
#include "TestHelpers.h"

namespace {

TLevelStats Reference(double mean = 100, double warning = 4, double action = 6)
{
    TLevelStats stats;
    stats.Mean = mean;
    stats.WarningHalfWidth = warning;
    stats.ActionHalfWidth = action;
    stats.N = 20;
    stats.DegreesOfFreedom = 19;
    stats.Status = 0;
    return stats;
}

// One history column per level, oldest first: "101" a value, "x101" a
// discarded value, "-" no value. Columns may differ in length; the shorter
// ones have no value in the earliest points.
using THistory = QList<QStringList>;

TAnalyte MakeAnalyte(int levels, const THistory& history, double firstDay = 1)
{
    TAnalyte analyte("Glucose", "mmol/L", 1, levels);
    for (int l = 0; l < levels; ++l)
        analyte.ReferenceStats[l] = Reference();
    qsizetype points = 0;
    for (const QStringList& column : history)
        points = std::max(points, column.size());
    for (qsizetype i = 0; i < points; ++i) {
        TResu0 result = MakeResult(firstDay + double(i), NAN);
        for (int l = 0; l < history.size(); ++l) {
            const qsizetype offset = i - (points - history[l].size());
            const QString cell = offset >= 0 ? history[l][offset] : QStringLiteral("-");
            if (cell == "-")
                continue;
            result.Values[l].Value = cell.startsWith('x') ? cell.mid(1).toFloat() : cell.toFloat();
            result.Values[l].Status = psWithin;
        }
        analyte.AddPoint(result);
    }
    ClassifyAll(analyte);
    // Discarded marks go on after classification, as the validation window sets them.
    for (qsizetype i = 0; i < points; ++i)
        for (int l = 0; l < history.size(); ++l) {
            const qsizetype offset = i - (points - history[l].size());
            if (offset >= 0 && history[l][offset].startsWith('x'))
                analyte.Point(int(i)).Values[l].Status = psDiscarded;
        }
    return analyte;
}

QStringList Repeat(const QString& cell, int times) { return QStringList(times, cell); }

TResu0 Run(const TAnalyte& analyte, double day, const QList<double>& values)
{
    TResu0 run = MakeResult(day, values.value(0, NAN), values.value(1, NAN), values.value(2, NAN));
    ClassifyPoint(analyte, run);
    return run;
}

template <size_t N> QString Outcomes(const std::array<TRuleOutcome, N>& rules)
{
    QString text;
    for (TRuleOutcome o : rules)
        text += o == TRuleOutcome::Rejection ? 'R' : o == TRuleOutcome::Warning ? 'W' : '-';
    return text;
}

} // namespace

class TestWestgard : public QObject {
    Q_OBJECT
private slots:
    void validatedLevels_data();
    void validatedLevels();
    void previousIndexIsTheLastPointAtOrBeforeTheRun_data();
    void previousIndexIsTheLastPointAtOrBeforeTheRun();
    void valueOnTheWarningLimitIsAWarning();
    void levelRules_data();
    void levelRules();
    void walksStopAtTen();
    void acrossRules_data();
    void acrossRules();
    void pointsDatedAfterTheRunAreIgnored_data();
    void pointsDatedAfterTheRunAreIgnored();
    void levelWithoutStatisticsIsWithinAndNotValidated();
    void nothingIsEvaluatedWithoutValidatedLevels();
};

void TestWestgard::validatedLevels_data()
{
    QTest::addColumn<int>("levels");
    QTest::addColumn<int>("fixedLevel"); // -1 none
    QTest::addColumn<int>("noStatsLevel"); // -1 none
    QTest::addColumn<int>("discardedLevel"); // -1 none
    QTest::addColumn<bool>("westgard");
    QTest::addColumn<QList<double>>("run");
    QTest::addColumn<QString>("validated");
    QTest::addColumn<QString>("acrossNames");

    const QList<double> three { 101, 101, 101 };
    QTest::newRow("three levels") << 3 << -1 << -1 << -1 << true << three << "111"
                                  << "2:2s R:4s 3:1s 9:m";
    QTest::newRow("rules off") << 3 << -1 << -1 << -1 << false << three << "000"
                               << "2:2s R:4s 4:1s 10:m";
    QTest::newRow("fixed level") << 3 << 1 << -1 << -1 << true << three << "101"
                                 << "2:2s R:4s 4:1s 10:m";
    QTest::newRow("no statistics") << 3 << -1 << 2 << -1 << true << three << "110"
                                   << "2:2s R:4s 4:1s 10:m";
    QTest::newRow("discarded") << 3 << -1 << -1 << 0 << true << three << "011"
                               << "2:2s R:4s 4:1s 10:m";
    QTest::newRow("empty value") << 3 << -1 << -1 << -1 << true << QList<double> { 101, NAN, 101 } << "101"
                                 << "2:2s R:4s 4:1s 10:m";
    QTest::newRow("one level") << 1 << -1 << -1 << -1 << true << three << "100"
                               << "2:2s R:4s 4:1s 10:m";
    QTest::newRow("two of three") << 2 << -1 << -1 << -1 << true << three << "110"
                                  << "2:2s R:4s 4:1s 10:m";
}

void TestWestgard::validatedLevels()
{
    QFETCH(int, levels);
    QFETCH(int, fixedLevel);
    QFETCH(int, noStatsLevel);
    QFETCH(int, discardedLevel);
    QFETCH(bool, westgard);
    QFETCH(QList<double>, run);
    QFETCH(QString, validated);
    QFETCH(QString, acrossNames);

    TAnalyte analyte = MakeAnalyte(levels, {});
    if (fixedLevel >= 0)
        analyte.LimitMode[fixedLevel] = lmFixed;
    if (noStatsLevel >= 0)
        analyte.ReferenceStats[noStatsLevel].Status = 6;
    std::array<bool, MaxLevels> discarded {};
    if (discardedLevel >= 0)
        discarded[discardedLevel] = true;
    const TWestgardResult result = EvaluateWestgard(analyte, Run(analyte, 5, run), discarded, westgard);

    QString flags;
    for (const TWestgardLevel& level : result.Levels)
        flags += level.Validated ? '1' : '0';
    QCOMPARE(flags, validated);
    QCOMPARE(result.ValidatedCount, int(validated.count('1')));
    QCOMPARE(result.AcrossShown(), result.ValidatedCount > 1);
    QStringList names;
    for (const char* name : result.AcrossNames())
        names << name;
    QCOMPARE(names.join(' '), acrossNames);
}

void TestWestgard::previousIndexIsTheLastPointAtOrBeforeTheRun_data()
{
    QTest::addColumn<double>("day");
    QTest::addColumn<int>("previous");
    // Points on days 1, 2 (twice) and 3.
    QTest::newRow("before every point") << 0.5 << -1;
    QTest::newRow("on the first point") << 1.0 << 0;
    QTest::newRow("on two equal points") << 2.0 << 2;
    QTest::newRow("between points") << 2.5 << 2;
    QTest::newRow("after every point") << 9.0 << 3;
}

void TestWestgard::previousIndexIsTheLastPointAtOrBeforeTheRun()
{
    QFETCH(double, day);
    QFETCH(int, previous);
    TAnalyte analyte = MakeAnalyte(1, {});
    for (double d : { 1.0, 2.0, 2.0, 3.0 })
        analyte.AddPoint(MakeResult(d, 100));
    const TWestgardResult result = EvaluateWestgard(analyte, Run(analyte, day, { 100 }), {}, true);
    QCOMPARE(result.PreviousIndex, previous);
}

void TestWestgard::valueOnTheWarningLimitIsAWarning()
{
    // 104 and 106 are exact in single precision: on the warning and action limits.
    const TAnalyte analyte = MakeAnalyte(1, {});
    QCOMPARE(Run(analyte, 1, { 104 }).Values[0].Status, quint8(psHighWarning));
    QCOMPARE(Run(analyte, 1, { 96 }).Values[0].Status, quint8(psLowWarning));
    QCOMPARE(Run(analyte, 1, { 106 }).Values[0].Status, quint8(psHighAction));
    QCOMPARE(Run(analyte, 1, { 103.9 }).Values[0].Status, quint8(psWithin));
}

void TestWestgard::levelRules_data()
{
    QTest::addColumn<QStringList>("history");
    QTest::addColumn<double>("run");
    QTest::addColumn<QString>("rules"); // 1:2s 1:3s 2:2s R:4s 4:1s 10:m

    QTest::newRow("1:2s on the warning limit") << QStringList() << 104.0 << "W-----";
    QTest::newRow("1:2s near miss") << QStringList() << 103.9 << "------";
    QTest::newRow("1:3s high") << QStringList() << 106.0 << "WR----";
    QTest::newRow("1:3s low") << QStringList() << 93.0 << "WR----";
    QTest::newRow("1:3s near miss") << QStringList() << 94.1 << "W-----";
    QTest::newRow("2:2s high") << QStringList { "104.5" } << 104.5 << "W-R---";
    QTest::newRow("2:2s low") << QStringList { "95" } << 95.0 << "W-R---";
    QTest::newRow("2:2s near miss") << QStringList { "103" } << 104.5 << "W-----";
    QTest::newRow("2:2s across an empty point") << QStringList { "104.5", "-" } << 104.5 << "W-R---";
    QTest::newRow("2:2s not after a discarded point") << QStringList { "104.5", "x104.5" } << 104.5 << "W-----";
    QTest::newRow("R:4s") << QStringList { "95" } << 105.0 << "W--R--";
    QTest::newRow("R:4s low") << QStringList { "105" } << 95.0 << "W--R--";
    QTest::newRow("R:4s near miss") << QStringList { "97" } << 105.0 << "W-----";
    QTest::newRow("R:4s not after a discarded point") << QStringList { "95", "x95" } << 105.0 << "W-----";
    QTest::newRow("4:1s warning") << Repeat("102.5", 3) << 102.5 << "----W-";
    QTest::newRow("4:1s rejection") << Repeat("102.5", 3) << 104.5 << "W---R-";
    QTest::newRow("4:1s low") << Repeat("97.5", 3) << 97.5 << "----W-";
    QTest::newRow("4:1s near miss: exactly one s") << QStringList { "102", "102.5", "102.5" } << 102.5 << "------";
    QTest::newRow("4:1s near miss: run inside one s") << Repeat("102.5", 3) << 101.5 << "------";
    QTest::newRow("4:1s interrupted") << QStringList { "102.5", "101", "102.5", "102.5" } << 102.5 << "------";
    QTest::newRow("4:1s over skipped points")
        << QStringList { "102.5", "x90", "102.5", "-", "102.5" } << 102.5 << "----W-";
    QTest::newRow("10:m warning") << Repeat("101", 9) << 101.0 << "-----W";
    QTest::newRow("10:m rejection") << Repeat("99", 9) << 95.5 << "W----R";
    QTest::newRow("10:m near miss") << Repeat("101", 8) << 101.0 << "------";
    QTest::newRow("10:m over skipped points")
        << (QStringList { "101", "x90", "101", "-", "101" } + Repeat("101", 6)) << 101.0 << "-----W";
    QTest::newRow("10:m broken by a point on the mean")
        << (Repeat("101", 8) + QStringList { "100", "101" }) << 101.0 << "------";
    QTest::newRow("10:m broken by the other side") << (Repeat("101", 8) + QStringList { "99.5" }) << 101.0 << "------";
    QTest::newRow("run on the mean") << Repeat("101", 9) << 100.0 << "------";
    QTest::newRow("4:1s and 10:m together") << Repeat("102.5", 15) << 102.5 << "----WW";
}

void TestWestgard::levelRules()
{
    QFETCH(QStringList, history);
    QFETCH(double, run);
    QFETCH(QString, rules);
    const TAnalyte analyte = MakeAnalyte(1, { history });
    const TWestgardResult result = EvaluateWestgard(analyte, Run(analyte, analyte.Count() + 5, { run }), {}, true);
    QCOMPARE(Outcomes(result.Levels[0].Rules), rules);
    QCOMPARE(Outcomes(result.Across).left(2), QString("--"));
}

void TestWestgard::walksStopAtTen()
{
    const TAnalyte analyte = MakeAnalyte(1, { Repeat("102.5", 15) });
    TWestgardLevel level = EvaluateWestgard(analyte, Run(analyte, 30, { 102.5 }), {}, true).Levels[0];
    QCOMPARE(level.AboveMean, 10);
    QCOMPARE(level.AboveOneS, 10);
    QCOMPARE(level.BelowMean, 1);
    QCOMPARE(level.BelowOneS, 0);
    // The one-s run closes for good at the first point inside one s; the mean run goes on.
    const TAnalyte mixed = MakeAnalyte(1, { { "103", "103", "101", "103", "103" } });
    level = EvaluateWestgard(mixed, Run(mixed, 30, { 103 }), {}, true).Levels[0];
    QCOMPARE(level.AboveMean, 6);
    QCOMPARE(level.AboveOneS, 3);
    // A run on the mean counts once on both sides.
    level = EvaluateWestgard(mixed, Run(mixed, 30, { 100 }), {}, true).Levels[0];
    QCOMPARE(level.AboveMean, 1);
    QCOMPARE(level.BelowMean, 1);
    QCOMPARE(level.AboveOneS + level.BelowOneS, 0);
}

void TestWestgard::acrossRules_data()
{
    QTest::addColumn<int>("levels");
    QTest::addColumn<int>("fixedLevel");
    QTest::addColumn<THistory>("history");
    QTest::addColumn<QList<double>>("run");
    QTest::addColumn<QString>("across"); // 2:2s R:4s 4:1s|3:1s 10:m|9:m

    const THistory none;
    QTest::newRow("2:2s high") << 2 << -1 << none << QList<double> { 104.5, 104.5 } << "R---";
    QTest::newRow("2:2s low") << 2 << -1 << none << QList<double> { 95, 93 } << "R---";
    QTest::newRow("2:2s near miss") << 2 << -1 << none << QList<double> { 104.5, 103 } << "----";
    QTest::newRow("2:2s with a fixed level") << 3 << 2 << none << QList<double> { 104.5, 103, 110 } << "----";
    QTest::newRow("R:4s") << 2 << -1 << none << QList<double> { 104.5, 95.5 } << "-R--";
    QTest::newRow("R:4s near miss") << 2 << -1 << none << QList<double> { 104.5, 97 } << "----";
    QTest::newRow("R:4s with a fixed level") << 3 << 0 << none << QList<double> { 90, 104.5, 101 } << "----";
    QTest::newRow("4:1s warning") << 2 << -1 << THistory { { "102.5" }, { "102.5" } } << QList<double> { 102.5, 102.5 }
                                  << "--W-";
    QTest::newRow("4:1s rejection") << 2 << -1 << THistory { { "102.5" }, { "102.5" } }
                                    << QList<double> { 104.5, 102.5 } << "--R-";
    QTest::newRow("4:1s near miss: opposite sides")
        << 2 << -1 << THistory { { "102.5" }, { "97.5" } } << QList<double> { 102.5, 97.5 } << "----";
    QTest::newRow("4:1s near miss: one level")
        << 2 << -1 << THistory { { "102.5" }, { "101" } } << QList<double> { 102.5, 102.5 } << "----";
    QTest::newRow("4:1s beside a fixed level") << 3 << 2 << THistory { { "102.5" }, { "102.5" }, { "102.5" } }
                                               << QList<double> { 102.5, 102.5, 102.5 } << "--W-";
    QTest::newRow("10:m") << 2 << -1 << THistory { Repeat("101", 4), Repeat("101", 4) } << QList<double> { 101, 101 }
                          << "---W";
    QTest::newRow("10:m low") << 2 << -1 << THistory { Repeat("99", 4), Repeat("99", 4) } << QList<double> { 99, 99 }
                              << "---W";
    QTest::newRow("10:m near miss") << 2 << -1 << THistory { Repeat("101", 4), Repeat("101", 3) }
                                    << QList<double> { 101, 101 } << "----";
    QTest::newRow("3:1s") << 3 << -1 << none << QList<double> { 102.5, 102.5, 102.5 } << "--W-";
    QTest::newRow("3:1s low") << 3 << -1 << none << QList<double> { 97.5, 97.5, 95 } << "--R-";
    QTest::newRow("3:1s near miss") << 3 << -1 << none << QList<double> { 102.5, 102.5, 101 } << "----";
    QTest::newRow("9:m") << 3 << -1 << THistory { { "101", "101" }, { "101", "101" }, { "101", "101" } }
                         << QList<double> { 101, 101, 101 } << "---W";
    QTest::newRow("9:m rejection") << 3 << -1 << THistory { { "101", "101" }, { "101", "101" }, { "101", "101" } }
                                   << QList<double> { 101, 101, 105 } << "---R";
    QTest::newRow("9:m near miss") << 3 << -1 << THistory { { "101", "101" }, { "101", "101" }, { "101" } }
                                   << QList<double> { 101, 101, 101 } << "----";
    QTest::newRow("9:m over a discarded point")
        << 3 << -1 << THistory { { "101", "101" }, { "101", "x90", "101" }, { "101", "101" } }
        << QList<double> { 101, 101, 101 } << "---W";
}

void TestWestgard::acrossRules()
{
    QFETCH(int, levels);
    QFETCH(int, fixedLevel);
    QFETCH(THistory, history);
    QFETCH(QList<double>, run);
    QFETCH(QString, across);
    TAnalyte analyte = MakeAnalyte(levels, history);
    if (fixedLevel >= 0)
        analyte.LimitMode[fixedLevel] = lmFixed;
    const TWestgardResult result = EvaluateWestgard(analyte, Run(analyte, 40, run), {}, true);
    QCOMPARE(Outcomes(result.Across), across);
    if (fixedLevel >= 0) {
        QCOMPARE(result.ValidatedCount, levels - 1);
        QCOMPARE(Outcomes(result.Levels[fixedLevel].Rules), QString("------"));
    }
}

void TestWestgard::pointsDatedAfterTheRunAreIgnored_data()
{
    QTest::addColumn<double>("day");
    QTest::addColumn<int>("previous");
    QTest::addColumn<QString>("level1");
    QTest::addColumn<QString>("across");
    // Nine points on each level, one s above the mean, on days 10 to 18. Dated
    // before them the run can fire only 1:2s, 1:3s and the across 2:2s, R:4s and 3:1s.
    QTest::newRow("before every point") << 1.0 << -1 << "WR----"
                                        << "R-R-";
    QTest::newRow("between the points") << 12.5 << 2 << "WRR-R-"
                                        << "R-RR";
    QTest::newRow("after every point") << 30.0 << 8 << "WRR-RR"
                                       << "R-RR";
}

void TestWestgard::pointsDatedAfterTheRunAreIgnored()
{
    QFETCH(double, day);
    QFETCH(int, previous);
    QFETCH(QString, level1);
    QFETCH(QString, across);
    const QStringList column = Repeat("104.5", 9);
    const TAnalyte analyte = MakeAnalyte(3, { column, column, column }, 10);
    const TWestgardResult result = EvaluateWestgard(analyte, Run(analyte, day, { 107, 104.5, 102.5 }), {}, true);
    QCOMPARE(result.PreviousIndex, previous);
    QCOMPARE(Outcomes(result.Levels[0].Rules), level1);
    QCOMPARE(Outcomes(result.Across), across);
}

void TestWestgard::levelWithoutStatisticsIsWithinAndNotValidated()
{
    // Level 2 holds a single value: no statistics, so mobile limits call every value within.
    TAnalyte analyte("Urea", "mmol/L", 1, 2);
    analyte.Options &= ~aoCommonCV; // the common CV would lend the level limits
    for (double day : { 1.0, 2.0, 3.0 })
        analyte.AddPoint(MakeResult(day, 100 + day, day == 1 ? 50 : NAN));
    RecomputeAll(analyte, TRisks());
    ClassifyAll(analyte);
    QCOMPARE(analyte.ReferenceStats[1].Status, quint8(6));
    const TResu0 run = Run(analyte, 5, { 102, 500 });
    QCOMPARE(run.Values[1].Status, quint8(psWithin));
    const TWestgardResult result = EvaluateWestgard(analyte, run, {}, true);
    QCOMPARE(result.ValidatedCount, 1);
    QVERIFY(result.Levels[1].Examined);
    QVERIFY(!result.Levels[1].Validated);
    QCOMPARE(Outcomes(result.Levels[1].Rules), QString("------"));
    QVERIFY(!result.AcrossShown());
}

void TestWestgard::nothingIsEvaluatedWithoutValidatedLevels()
{
    const TAnalyte analyte = MakeAnalyte(2, { Repeat("104.5", 9), Repeat("104.5", 9) });
    const TResu0 run = Run(analyte, 30, { 107, 107 });
    TWestgardResult result = EvaluateWestgard(analyte, run, {}, false);
    QCOMPARE(result.ValidatedCount, 0);
    QCOMPARE(Outcomes(result.Levels[0].Rules) + Outcomes(result.Levels[1].Rules) + Outcomes(result.Across),
        QString("------------"
                "----"));
    // Discarding one of two levels leaves one: its own rules, nothing across.
    result = EvaluateWestgard(analyte, run, { false, true, false }, true);
    QCOMPARE(result.ValidatedCount, 1);
    QCOMPARE(Outcomes(result.Levels[0].Rules), QString("WRR-RR"));
    QCOMPARE(Outcomes(result.Levels[1].Rules), QString("------"));
    QCOMPARE(Outcomes(result.Across), QString("----"));
}

VANTOREL_TEST(TestWestgard)
#include "TestWestgard.moc"
