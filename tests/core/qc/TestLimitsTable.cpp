#include "TAnalyte.h"
#include "TDates.h"
#include "TLimitModes.h"
#include "TLimitsTable.h"
#include "TStatistics.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

class TestLimitsTable : public QObject {
    Q_OBJECT

private slots:
    // Level 0 locked on points 1..3 (11, 12, 13), level 1 mobile with a single
    // value, level 2 fixed without any value; no common CV, which would give
    // the single value limits.
    void rowsByModeAndStatus()
    {
        auto context = MakeTestContext();
        TAnalyte analyte(QStringLiteral("GLU"), QStringLiteral("g/l"), 1, 3);
        analyte.SerumID = { context->ListSerum.Add(QStringLiteral("Lyphocheck"), QStringLiteral("L1")), 77, -1 };
        const double day = DateToDayCount(QDate(2026, 3, 1)) + 0.5;
        for (int i = 0; i < 4; ++i)
            analyte.AddPoint(MakeResult(day + i, 10 + i, i == 0 ? 5 : NAN));
        analyte.Options &= ~aoCommonCV;
        const TRisks risks = context->Risks();
        RecomputeAll(analyte, risks);
        QVERIFY(LockLevel(analyte, 0, 1, 3, risks));
        FixLevel(analyte, 2, 7.25, 0.5, 0.75, risks);

        const QString first = ShortDateText(day);
        const QString second = ShortDateText(day + 1);
        const QString last = ShortDateText(day + 3);
        const QList<QStringList> expected {
            { "Control materials", "Lyphocheck", "Unknown", "Unknown" },
            { "Lots", "L1", "", "" },
            { "QC mode", "Locked limits", "Mobile limits", "Fixed limits" },
            { "Target", "12.00 g/l", "5.00 g/l", "7.25 g/l" },
            { "Warning limits", "", "", "6.75  /  7.75" },
            { "Action limits", "", "", "6.50  /  8.00" },
            { "Dates ref interval", second + " - " + last, first + " - " + last, "" },
            { "# points in ref interval", "3", "1", "" },
            { "Reference CV", "8.3 %", "", "" },
            { "# degrees of freedom", "2", "", "" },
        };
        QList<QStringList> rows = TLimitsTable::Rows(analyte, context->ListSerum);
        // The locked level's limits depend on the t quantile: only their form is checked here.
        QVERIFY(rows[4][1].contains("  /  ") && rows[5][1].contains("  /  "));
        rows[4][1].clear();
        rows[5][1].clear();
        QCOMPARE(rows, expected);
    }
};

VANTOREL_TEST(TestLimitsTable)
#include "TestLimitsTable.moc"
