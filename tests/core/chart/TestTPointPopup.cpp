#include "TAnalyte.h"
#include "TDates.h"
#include "TPointPopup.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QtTest>

// The lines of a point's pop-up.
class TestTPointPopup : public QObject {
    Q_OBJECT

private slots:
    void linesPerLevelThenCommentThenOperator();
    void pointWithoutCommentOrOperatorHasOnlyLevelLines();
    void captionIsDateAndTime();
};

void TestTPointPopup::linesPerLevelThenCommentThenOperator()
{
    TAnalyte analyte("Glucose", "mmol/L", 1, 3);
    const double when = DateToDayCount(QDate(2026, 3, 1)) + 0.5;
    analyte.AddPoint(MakeResult(when, 5.14, NAN, 12.3, "JD", "New reagent"));
    analyte.Point(0).Values[2].Status = psHighWarning;
    const QList<TPopupLine> lines = PointPopupLines(analyte, 0, { "Lyphocheck 1", "Lyphocheck 2", "Lyphocheck 3" });
    const QList<TPopupLine> expected {
        { "Lyphocheck 1 = 5.1", int(psWithin) },
        { "Lyphocheck 2 = absent", -1 },
        { "Lyphocheck 3 = 12.3", int(psHighWarning) },
        { "New reagent", -1 },
        { "Operator = JD", -1 },
    };
    QCOMPARE(lines, expected);
}

void TestTPointPopup::pointWithoutCommentOrOperatorHasOnlyLevelLines()
{
    TAnalyte analyte("Albumin", "g/L", 0, 1);
    analyte.AddPoint(MakeResult(DateToDayCount(QDate(2026, 3, 1)), 41.6));
    analyte.Point(0).Values[0].Status = psDiscarded;
    const QList<TPopupLine> lines = PointPopupLines(analyte, 0, { "Control" });
    QCOMPARE(lines.size(), 1);
    QCOMPARE(lines[0], (TPopupLine { "Control = 42", int(psDiscarded) }));
}

void TestTPointPopup::captionIsDateAndTime()
{
    TAnalyte analyte("Albumin", "g/L", 0, 1);
    const double when = DateTimeToDayCount(QDateTime(QDate(2026, 3, 1), QTime(9, 15, 30)));
    analyte.AddPoint(MakeResult(when, 40));
    QCOMPARE(PointPopupCaption(analyte, 0), ShortDateText(when) + " " + LongTimeText(when));
    QVERIFY(PointPopupCaption(analyte, 0).contains("09:15:30"));
}

VANTOREL_TEST(TestTPointPopup)
#include "TestTPointPopup.moc"
