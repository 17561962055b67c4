#include "TAnalyte.h"
#include "TStatistics.h"
#include "TTestRegistry.h"
#include "TWestgard.h"
#include "TestHelpers.h"

namespace {

// Every level has mean 100, warning half-width 4 (so one s is 2) and action half-width 6, unless a test changes it.
// The stored points, one column per level separated by '|', oldest first: "101" a value, "x101"
// a discarded value, "-" no value, "101*4" four times. The shorter columns have no value in the
// earliest points.
TAnalyte MakeAnalyte(int levels, const QString& history = QString(), double firstDay = 1)
{
    TAnalyte analyte("Glucose", "mmol/L", 1, levels);
    QList<QStringList> columns;
    qsizetype points = 0;
    for (const QString& text : history.split('|', Qt::SkipEmptyParts)) {
        QStringList column;
        for (const QString& cell : text.split(' ', Qt::SkipEmptyParts))
            column += QStringList(cell.contains('*') ? cell.section('*', 1).toInt() : 1, cell.section('*', 0, 0));
        points = std::max(points, column.size());
        columns << column;
    }
    analyte.ReferenceStats.fill({ .Mean = 100, .WarningHalfWidth = 4, .ActionHalfWidth = 6, .N = 20, .Status = 0 });
    for (qsizetype i = 0; i < points; ++i) {
        TResu0 result = MakeResult(firstDay + double(i), NAN);
        for (int l = 0; l < columns.size(); ++l) {
            const QString cell = columns[l].value(i - (points - columns[l].size()), "-");
            if (cell != "-")
                result.Values[l] = { cell.mid(cell.startsWith('x')).toFloat(), psWithin };
        }
        analyte.AddPoint(result);
    }
    ClassifyAll(analyte);
    // Discarded marks go on after classification, as the validation window sets them.
    for (int l = 0; l < columns.size(); ++l)
        for (qsizetype k = 0; k < columns[l].size(); ++k)
            if (columns[l][k].startsWith('x'))
                analyte.Point(int(k + points - columns[l].size())).Values[l].Status = psDiscarded;
    return analyte;
}

// A run of up to three values ("-" none), classified against the analyte's limits.
TResu0 Run(const TAnalyte& analyte, double day, const QString& values)
{
    const QStringList v = values.split(' ');
    const auto value = [&](int l) { return v.value(l, "-") == "-" ? NAN : v[l].toDouble(); };
    TResu0 run = MakeResult(day, value(0), value(1), value(2));
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
    void validatedLevels_data()
    {
        QTest::addColumn<int>("levels");
        QTest::addColumn<QString>("change"); // "fixed l", "no statistics l", "discarded l" or "rules off"
        QTest::addColumn<QString>("run");
        QTest::addColumn<QString>("validated");
        QTest::addColumn<QString>("acrossNames");
        // clang-format off
        QTest::newRow("three levels") << 3 << "" << "101 101 101" << "111" << "2:2s R:4s 3:1s 9:m";
        QTest::newRow("rules off") << 3 << "rules off" << "101 101 101" << "000" << "2:2s R:4s 4:1s 10:m";
        QTest::newRow("fixed level") << 3 << "fixed 1" << "101 101 101" << "101" << "2:2s R:4s 4:1s 10:m";
        QTest::newRow("no statistics") << 3 << "no statistics 2" << "101 101 101" << "110" << "2:2s R:4s 4:1s 10:m";
        QTest::newRow("discarded") << 3 << "discarded 0" << "101 101 101" << "011" << "2:2s R:4s 4:1s 10:m";
        QTest::newRow("empty value") << 3 << "" << "101 - 101" << "101" << "2:2s R:4s 4:1s 10:m";
        QTest::newRow("one level") << 1 << "" << "101 101 101" << "100" << "2:2s R:4s 4:1s 10:m";
        QTest::newRow("two of three") << 2 << "" << "101 101 101" << "110" << "2:2s R:4s 4:1s 10:m";
        // clang-format on
    }
    void validatedLevels()
    {
        QFETCH(int, levels);
        QFETCH(QString, change);
        QFETCH(QString, run);
        QFETCH(QString, validated);
        TAnalyte analyte = MakeAnalyte(levels);
        const int level = change.section(' ', -1).toInt();
        std::array<bool, MaxLevels> discarded {};
        if (change.startsWith("fixed"))
            analyte.LimitMode[level] = lmFixed;
        if (change.startsWith("no statistics"))
            analyte.ReferenceStats[level].Status = 6;
        if (change.startsWith("discarded"))
            discarded[level] = true;
        const TWestgardResult result
            = EvaluateWestgard(analyte, Run(analyte, 5, run), discarded, change != "rules off");
        QString flags;
        for (const TWestgardLevel& l : result.Levels)
            flags += l.Validated ? '1' : '0';
        QCOMPARE(flags, validated);
        QCOMPARE(result.ValidatedCount, int(validated.count('1')));
        QCOMPARE(result.AcrossShown(), result.ValidatedCount > 1);
        QStringList names;
        for (const char* name : result.AcrossNames())
            names << name;
        QTEST(names.join(' '), "acrossNames");
    }

    void previousIndexIsTheLastPointAtOrBeforeTheRun()
    {
        TAnalyte analyte = MakeAnalyte(1);
        for (double day : { 1.0, 2.0, 2.0, 3.0 })
            analyte.AddPoint(MakeResult(day, 100));
        QString previous;
        for (double day : { 0.5, 1.0, 2.0, 2.5, 9.0 })
            previous
                += QString::number(EvaluateWestgard(analyte, Run(analyte, day, "100"), {}, true).PreviousIndex) + ' ';
        QCOMPARE(previous, QString("-1 0 2 2 3 "));
    }

    void levelRules_data()
    {
        QTest::addColumn<QString>("history");
        QTest::addColumn<QString>("run");
        QTest::addColumn<QString>("rules"); // 1:2s 1:3s 2:2s R:4s 4:1s 10:m
        // clang-format off
        QTest::newRow("1:2s on the warning limit") << "" << "104" << "W-----";
        QTest::newRow("1:2s on the low warning limit") << "" << "96" << "W-----";
        QTest::newRow("1:3s high") << "" << "106" << "WR----";
        QTest::newRow("1:3s low") << "" << "93" << "WR----";
        QTest::newRow("2:2s high") << "104.5" << "104.5" << "W-R---";
        QTest::newRow("2:2s low") << "95" << "95" << "W-R---";
        QTest::newRow("2:2s near miss") << "103" << "104.5" << "W-----";
        QTest::newRow("2:2s across an empty point") << "104.5 -" << "104.5" << "W-R---";
        QTest::newRow("2:2s not after a discarded point") << "104.5 x104.5" << "104.5" << "W-----";
        QTest::newRow("R:4s") << "95" << "105" << "W--R--";
        QTest::newRow("R:4s low") << "105" << "95" << "W--R--";
        QTest::newRow("R:4s near miss") << "97" << "105" << "W-----";
        QTest::newRow("R:4s not after a discarded point") << "95 x95" << "105" << "W-----";
        QTest::newRow("4:1s warning") << "102.5*3" << "102.5" << "----W-";
        QTest::newRow("4:1s rejection") << "102.5*3" << "104.5" << "W---R-";
        QTest::newRow("4:1s low") << "97.5*3" << "97.5" << "----W-";
        QTest::newRow("4:1s near miss: exactly one s") << "102 102.5 102.5" << "102.5" << "------";
        QTest::newRow("4:1s near miss: run inside one s") << "102.5*3" << "101.5" << "------";
        QTest::newRow("4:1s interrupted") << "102.5 101 102.5 102.5" << "102.5" << "------";
        QTest::newRow("4:1s over skipped points") << "102.5 x90 102.5 - 102.5" << "102.5" << "----W-";
        QTest::newRow("10:m warning") << "101*9" << "101" << "-----W";
        QTest::newRow("10:m rejection") << "99*9" << "95.5" << "W----R";
        QTest::newRow("10:m near miss") << "101*8" << "101" << "------";
        QTest::newRow("10:m over skipped points") << "101 x90 101 - 101*7" << "101" << "-----W";
        QTest::newRow("10:m broken by a point on the mean") << "101*8 100 101" << "101" << "------";
        QTest::newRow("10:m broken by the other side") << "101*8 99.5" << "101" << "------";
        QTest::newRow("run on the mean") << "101*9" << "100" << "------";
        QTest::newRow("4:1s and 10:m together") << "102.5*15" << "102.5" << "----WW";
        // clang-format on
    }
    void levelRules()
    {
        QFETCH(QString, history);
        QFETCH(QString, run);
        const TAnalyte analyte = MakeAnalyte(1, history);
        const TWestgardResult result = EvaluateWestgard(analyte, Run(analyte, analyte.Count() + 5, run), {}, true);
        QTEST(Outcomes(result.Levels[0].Rules), "rules");
        QCOMPARE(Outcomes(result.Across).left(2), QString("--"));
    }

    void acrossRules_data()
    {
        QTest::addColumn<int>("levels");
        QTest::addColumn<int>("fixedLevel");
        QTest::addColumn<QString>("history");
        QTest::addColumn<QString>("run");
        QTest::addColumn<QString>("across"); // 2:2s R:4s 4:1s|3:1s 10:m|9:m
        // clang-format off
        QTest::newRow("2:2s high") << 2 << -1 << "" << "104.5 104.5" << "R---";
        QTest::newRow("2:2s low") << 2 << -1 << "" << "95 93" << "R---";
        QTest::newRow("2:2s near miss") << 2 << -1 << "" << "104.5 103" << "----";
        QTest::newRow("2:2s with a fixed level") << 3 << 2 << "" << "104.5 103 110" << "----";
        QTest::newRow("R:4s") << 2 << -1 << "" << "104.5 95.5" << "-R--";
        QTest::newRow("R:4s near miss") << 2 << -1 << "" << "104.5 97" << "----";
        QTest::newRow("R:4s with a fixed level") << 3 << 0 << "" << "90 104.5 101" << "----";
        QTest::newRow("4:1s warning") << 2 << -1 << "102.5 | 102.5" << "102.5 102.5" << "--W-";
        QTest::newRow("4:1s rejection") << 2 << -1 << "102.5 | 102.5" << "104.5 102.5" << "--R-";
        QTest::newRow("4:1s near miss: opposite sides") << 2 << -1 << "102.5 | 97.5" << "102.5 97.5" << "----";
        QTest::newRow("4:1s near miss: one level") << 2 << -1 << "102.5 | 101" << "102.5 102.5" << "----";
        QTest::newRow("4:1s beside a fixed level") << 3 << 2 << "102.5 | 102.5 | 102.5" << "102.5 102.5 102.5" << "--W-";
        QTest::newRow("10:m") << 2 << -1 << "101*4 | 101*4" << "101 101" << "---W";
        QTest::newRow("10:m low") << 2 << -1 << "99*4 | 99*4" << "99 99" << "---W";
        QTest::newRow("10:m near miss") << 2 << -1 << "101*4 | 101*3" << "101 101" << "----";
        QTest::newRow("3:1s") << 3 << -1 << "" << "102.5 102.5 102.5" << "--W-";
        QTest::newRow("3:1s low") << 3 << -1 << "" << "97.5 97.5 95" << "--R-";
        QTest::newRow("3:1s near miss") << 3 << -1 << "" << "102.5 102.5 101" << "----";
        QTest::newRow("9:m") << 3 << -1 << "101*2 | 101*2 | 101*2" << "101 101 101" << "---W";
        QTest::newRow("9:m low") << 3 << -1 << "99*2 | 99*2 | 99*2" << "99 99 99" << "---W";
        QTest::newRow("9:m rejection") << 3 << -1 << "101*2 | 101*2 | 101*2" << "101 101 105" << "---R";
        QTest::newRow("9:m near miss") << 3 << -1 << "101*2 | 101*2 | 101" << "101 101 101" << "----";
        QTest::newRow("9:m over a discarded point") << 3 << -1 << "101 101 | 101 x90 101 | 101 101" << "101 101 101" << "---W";
        // clang-format on
    }
    void acrossRules()
    {
        QFETCH(int, levels);
        QFETCH(int, fixedLevel);
        QFETCH(QString, history);
        QFETCH(QString, run);
        TAnalyte analyte = MakeAnalyte(levels, history);
        if (fixedLevel >= 0)
            analyte.LimitMode[fixedLevel] = lmFixed;
        const TWestgardResult result = EvaluateWestgard(analyte, Run(analyte, 40, run), {}, true);
        QTEST(Outcomes(result.Across), "across");
        if (fixedLevel >= 0) {
            QCOMPARE(result.ValidatedCount, levels - 1);
            QCOMPARE(Outcomes(result.Levels[fixedLevel].Rules), QString("------"));
        }
    }

    void pointsDatedAfterTheRunAreIgnored_data()
    {
        QTest::addColumn<double>("day");
        QTest::addColumn<int>("previous");
        QTest::addColumn<QString>("rules"); // level 1, then across
        // Nine points on each level, one s above the mean, on days 10 to 18. Dated before them the
        // run can fire only 1:2s, 1:3s and the across 2:2s, R:4s and 3:1s.
        QTest::newRow("before every point") << 1.0 << -1 << "WR---- R-R-";
        QTest::newRow("between the points") << 12.5 << 2 << "WRR-R- R-RR";
        QTest::newRow("after every point") << 30.0 << 8 << "WRR-RR R-RR";
    }
    void pointsDatedAfterTheRunAreIgnored()
    {
        QFETCH(double, day);
        const TAnalyte analyte = MakeAnalyte(3, "104.5*9 | 104.5*9 | 104.5*9", 10);
        const TWestgardResult result = EvaluateWestgard(analyte, Run(analyte, day, "107 104.5 102.5"), {}, true);
        QTEST(result.PreviousIndex, "previous");
        QTEST(Outcomes(result.Levels[0].Rules) + ' ' + Outcomes(result.Across), "rules");
    }

    void scope_data()
    {
        QTest::addColumn<int>("levels");
        QTest::addColumn<QString>("history");
        QTest::addColumn<QString>("run");
        QTest::addColumn<QString>("rule"); // "L1 2:2s" a level rule, "A 2:2s" an across slot
        QTest::addColumn<QString>("points"); // index:level, "r" the run
        // clang-format off
        QTest::newRow("1:3s") << 1 << "101" << "107" << "L1 1:3s" << "r:0";
        QTest::newRow("2:2s over an empty point") << 1 << "104.5 -" << "104.5" << "L1 2:2s" << "r:0 0:0";
        QTest::newRow("R:4s") << 1 << "101 95" << "105" << "L1 R:4s" << "r:0 1:0";
        QTest::newRow("4:1s, the four nearest") << 1 << "102.5*5" << "102.5" << "L1 4:1s" << "r:0 4:0 3:0 2:0";
        QTest::newRow("4:1s over a discarded point") << 1 << "102.5 102.5 x90 102.5" << "104.5" << "L1 4:1s" << "r:0 3:0 1:0 0:0";
        QTest::newRow("10:m") << 1 << "101*12" << "101" << "L1 10:m" << "r:0 11:0 10:0 9:0 8:0 7:0 6:0 5:0 4:0 3:0";
        QTest::newRow("2:2s on level 2") << 2 << "101 | 95" << "101 95" << "L2 2:2s" << "r:1 0:1";
        QTest::newRow("across 2:2s") << 3 << "" << "104.5 101 105" << "A 2:2s" << "r:0 r:2";
        QTest::newRow("across R:4s") << 3 << "" << "104.5 101 95" << "A R:4s" << "r:0 r:2";
        QTest::newRow("across 4:1s low") << 2 << "101 97.5 | 97.5 97.5" << "97 97.5" << "A 4:1s" << "r:0 1:0 r:1 1:1";
        QTest::newRow("across 10:m") << 2 << "101*5 | 101*5" << "101 101" << "A 10:m" << "r:0 4:0 3:0 2:0 1:0 r:1 4:1 3:1 2:1 1:1";
        QTest::newRow("across 3:1s") << 3 << "" << "97.5 97.5 95" << "A 3:1s" << "r:0 r:1 r:2";
        QTest::newRow("across 9:m") << 3 << "99 99 | 99 99 | 99 99" << "99 99 99" << "A 9:m" << "r:0 1:0 0:0 r:1 1:1 0:1 r:2 1:2 0:2";
        QTest::newRow("no scope without a verdict") << 1 << "101" << "101" << "L1 1:2s" << "";
        // clang-format on
    }
    void scope()
    {
        QFETCH(int, levels);
        QFETCH(QString, history);
        QFETCH(QString, run);
        QFETCH(QString, rule);
        const TAnalyte analyte = MakeAnalyte(levels, history);
        const TWestgardResult result = EvaluateWestgard(analyte, Run(analyte, 40, run), {}, true);
        const QString name = rule.section(' ', 1);
        const TRuleScope* scope = nullptr;
        for (int slot = 0; slot < AcrossRuleCount && rule.startsWith('A'); ++slot)
            if (name == result.AcrossNames()[slot])
                scope = &result.AcrossScope[slot];
        for (int slot = 0; slot < LevelRuleCount && rule.startsWith('L'); ++slot)
            if (name == LevelRuleNames[slot])
                scope = &result.Levels[rule.mid(1, 1).toInt() - 1].Scope[slot];
        QVERIFY(scope);
        QStringList points;
        for (const TRulePoint& point : *scope)
            points << (point.Index == RunPoint ? QString("r") : QString::number(point.Index)) + ':'
                    + QString::number(point.Level);
        QTEST(points.join(' '), "points");
    }

    void nothingIsEvaluatedWithoutValidatedLevels()
    {
        const TAnalyte analyte = MakeAnalyte(2, "104.5*9 | 104.5*9");
        const TResu0 run = Run(analyte, 30, "107 107");
        TWestgardResult result = EvaluateWestgard(analyte, run, {}, false);
        QCOMPARE(Outcomes(result.Levels[0].Rules) + Outcomes(result.Levels[1].Rules) + Outcomes(result.Across),
            QString("----------------"));
        // Discarding one of two levels leaves one: its own rules, nothing across.
        result = EvaluateWestgard(analyte, run, { false, true, false }, true);
        QCOMPARE(result.ValidatedCount, 1);
        QCOMPARE(
            Outcomes(result.Levels[0].Rules) + ' ' + Outcomes(result.Levels[1].Rules) + ' ' + Outcomes(result.Across),
            QString("WRR-RR ------ ----"));
    }
};

VANTOREL_TEST(TestWestgard)
#include "TestWestgard.moc"
