#include "TAnalyte.h"
#include "TLimitModes.h"
#include "TPrintWindowFixture.h"
#include "TStatistics.h"
#include "TTestRegistry.h"
#include "TWinShowLimits.h"
#include "TestHelpers.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTableWidget>

using TLimitsFixture = TPrintWindowFixture<TWinShowLimits>;

class TestWinShowLimits : public QObject {
    Q_OBJECT
private slots:
    void layoutByLevelsAndModes()
    {
        TLimitsFixture one(1, 10), three(3, 10);
        QVERIFY(one.Win.Grid->width() < three.Win.Grid->width() && one.Win.BtOK->x() < three.Win.BtOK->x());
        QVERIFY(three.Win.CBCommonCV->isVisible());
        for (int level = 0; level < 3; ++level)
            FixLevel(*three.Context->CurrentAnalyte, level, 5, 1, 2, three.Context->Risks());
        three.Win.FormShow();
        QVERIFY(!three.Win.CBCommonCV->isVisible());
    }

    // The switch applies at once, marks included; Cancel puts back the switch,
    // the limits and the marks, OK keeps them.
    void commonCVSwitch_data()
    {
        QTest::addColumn<bool>("keep");
        QTest::newRow("cancel") << false;
        QTest::newRow("ok") << true;
    }

    void commonCVSwitch()
    {
        QFETCH(bool, keep);
        TLimitsFixture f(2, 30);
        TAnalyte& a = *f.Context->CurrentAnalyte;
        // A wild first level widens the pooled CV: 11.3 is within under it, a
        // warning under the second level's own CV.
        a.AddPoint(MakeResult(f.Context->Clock().TodayDays(), 9.0, 11.3));
        RecomputeAll(a, f.Context->Risks());
        ClassifyAll(a);
        f.Win.FormShow();
        const auto before = a.ReferenceStats;
        const quint8 mark = a.Point(30).Values[1].Status;
        int redraws = 0;
        f.Win.Redraw = [&] { ++redraws; };
        QVERIFY(f.Win.CBCommonCV->isChecked() && a.HasOption(aoCommonCV));
        f.Win.CBCommonCV->click();
        QVERIFY(!a.HasOption(aoCommonCV));
        QVERIFY(a.ReferenceStats != before);
        QVERIFY(a.Point(30).Values[1].Status != mark);
        QCOMPARE(redraws, 1);
        (keep ? f.Win.BtOK : f.Win.BtCancel)->click();
        QCOMPARE(Join(a.HasOption(aoCommonCV), a.ReferenceStats == before, a.Point(30).Values[1].Status == mark),
            Join(!keep, !keep, !keep));
    }

    void printsTheTable()
    {
        TLimitsFixture f(2, 10);
        const QString text = f.Print(f.Win.BtPrn).simplified();
        QCOMPARE(f.Asked.value(0), QString("QC limits for Glucose"));
        QVERIFY2(text.contains("QC limits for Glucose"), qPrintable(text));
        QVERIFY2(text.contains("Control materials Lyphocheck 1 Lyphocheck 2"), qPrintable(text));
    }
};

VANTOREL_TEST(TestWinShowLimits)
#include "TestWinShowLimits.moc"
