#include "TAnalyte.h"
#include "TLimitModes.h"
#include "TPdfText.h"
#include "TPrintWindowFixture.h"
#include "TTestRegistry.h"
#include "TWinShowLimits.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

using TLimitsFixture = TPrintWindowFixture<TWinShowLimits>;

// The control-limits view driven through its switch and buttons.
class TestTWinShowLimits : public QObject {
    Q_OBJECT
private slots:
    void layoutByLevelsAndModes_data()
    {
        QTest::addColumn<int>("levels");
        QTest::addColumn<bool>("allFixed");
        QTest::addColumn<int>("gridWidth");
        QTest::addColumn<int>("okLeft");
        QTest::newRow("one level") << 1 << false << 222 << 4;
        QTest::newRow("three levels") << 3 << false << 444 << 116;
        QTest::newRow("three fixed levels") << 3 << true << 444 << 116;
    }
    void layoutByLevelsAndModes()
    {
        QFETCH(int, levels);
        QFETCH(bool, allFixed);
        TLimitsFixture f(levels, 10);
        TAnalyte& a = *f.Context->CurrentAnalyte;
        for (int level = 0; allFixed && level < levels; ++level)
            FixLevel(a, level, 5, 1, 2, f.Context->Risks());
        f.Win.FormShow();
        QTEST(f.Win.Grid->width(), "gridWidth");
        QTEST(f.Win.BtOK->x(), "okLeft");
        QCOMPARE(f.Win.BtPrn->x() - f.Win.BtOK->x(), 149);
        QCOMPARE(f.Win.CBCommonCV->isVisible(), !allFixed);
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
        a.RecomputeAll(f.Context->Risks());
        a.ClassifyAll();
        f.Win.FormShow();
        const auto before = a.ReferenceStats;
        const quint8 mark = a.Point(30).Values[1].Status;
        int redraws = 0;
        f.Win.Redraw = [&] { ++redraws; };
        QVERIFY(f.Win.CBCommonCV->isChecked() && a.HasOption(aoCommonCV));
        f.Win.CBCommonCV->click();
        QVERIFY(!a.HasOption(aoCommonCV) && a.ReferenceStats != before);
        QVERIFY(a.Point(30).Values[1].Status != mark);
        QCOMPARE(redraws, 1);
        (keep ? f.Win.BtOK : f.Win.BtCancel)->click();
        QCOMPARE(a.HasOption(aoCommonCV), !keep);
        QCOMPARE(a.ReferenceStats == before, !keep);
        QCOMPARE(a.Point(30).Values[1].Status == mark, !keep);
    }

    void printsTheTable()
    {
        TLimitsFixture f(2, 10);
        f.AnswerPrintDialog(true);
        f.Win.BtPrn->click();
        QCOMPARE(f.Asked.value(0), QString("QC limits for Glucose"));
        const QString text = PdfText(f.File).simplified();
        QVERIFY2(text.contains("QC limits for Glucose"), qPrintable(text));
        QVERIFY2(text.contains("Control materials Lyphocheck 1 Lyphocheck 2"), qPrintable(text));
    }
};

VANTOREL_TEST(TestTWinShowLimits)
#include "TestTWinShowLimits.moc"
