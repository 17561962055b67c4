#include "TAnalyte.h"
#include "TDailyQC.h"
#include "TDates.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

class TestDailyQC : public QObject {
    Q_OBJECT

private slots:
    // Midnight opens the day and belongs to the next one at its end; analytes
    // come in the list's order, each latest first.
    void pointsOfTheDay()
    {
        auto context = MakeTestContext();
        const double day = DateToDayCount(QDate(2026, 3, 10));
        TAnalyte& first = context->ListAnalytes.Add(TAnalyte("GLU", "g/l", 1, 2));
        for (double t : { day - 0.25, day, day + 0.5, day + 1 })
            first.AddPoint(MakeResult(t, t - day));
        context->ListAnalytes.Add(TAnalyte("EMPTY", "g/l", 1, 1));
        TAnalyte& second = context->ListAnalytes.Add(TAnalyte("CA", "mmol/l", 2, 3));
        for (double t : { day + 0.75, day + 0.25 })
            second.AddPoint(MakeResult(t, t - day));

        QStringList seen;
        for (const TDailyQC::TLine& line : TDailyQC::Points(context->ListAnalytes, QDate(2026, 3, 10)))
            seen.append(line.Analyte->Name + ' ' + QString::number(line.Point->Values[0].Value));
        QCOMPARE(seen, (QStringList { "GLU 0.5", "GLU 0", "CA 0.75", "CA 0.25" }));
    }
};

VANTOREL_TEST(TestDailyQC)
#include "TestDailyQC.moc"
