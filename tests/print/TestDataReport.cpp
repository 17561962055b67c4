#include "TAnalyte.h"
#include "TDataReport.h"
#include "TDates.h"
#include "TListSerum.h"
#include "TPdfCanvas.h"
#include "TPdfText.h"
#include "TRecordingCanvas.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

namespace {

double At(int day, int hour, int minute)
{
    return DateTimeToDayCount(QDateTime(QDate(2026, 3, day), QTime(hour, minute)));
}

// Glucose on two levels, the second material without a lot. Point 1 is a high
// action on level 1 and discarded on level 2; point 3 has no level-2 value.
struct TFixture {
    TListSerum Serums;
    TAnalyte Analyte { "Glucose", "mmol/L", 2, 2 };
    TFixture()
    {
        Analyte.SerumID = { Serums.Add("Lyphocheck 1", "L123"), Serums.Add("Lyphocheck 2", ""), -1 };
        Analyte.AddPoint(MakeResult(At(1, 8, 0), 5.0, 10.0));
        Analyte.AddPoint(MakeResult(At(1, 23, 59), 5.1, 10.2, NAN, "AB", "Recalibrated"));
        Analyte.AddPoint(MakeResult(At(2, 0, 0), 5.2, 10.4));
        Analyte.AddPoint(MakeResult(At(3, 9, 0), 5.3));
        Analyte.Point(1).Values[0].Status = psHighAction;
        Analyte.Point(1).Values[1].Status = psDiscarded;
    }
};

QStringList RowTexts(const TPrintTableData& t, int row)
{
    QStringList texts;
    for (int c = 0; c < t.NbCols; ++c)
        texts << t.Cells[row * t.NbCols + c].Text;
    return texts;
}
} // namespace

class TestDataReport : public QObject {
    Q_OBJECT
private slots:
    void rowsCarryTheValuesOfWholeDays()
    {
        const TFixture f;
        // A day runs to 23:59 and not to 00:00 of the next; the dates go in either order.
        QCOMPARE(PointsBetween(f.Analyte, QDate(2026, 3, 1), QDate(2026, 3, 1)).Last, 1);
        const TPrintInterval interval = PointsBetween(f.Analyte, QDate(2026, 3, 3), QDate(2026, 3, 1));
        QCOMPARE(interval.First + interval.Last, 0 + 3);
        const TPrintTableData t = DataReportTable(f.Analyte, f.Serums, interval, false, TRisks(), {});
        QCOMPARE(t.SubTitles, QStringList({ "QC1 : Lyphocheck 1 (lot L123)", "QC2 : Lyphocheck 2" }));
        // The head row and four point rows, nothing after the last point.
        QCOMPARE(t.Cells.size(), 6 * 5);
        QCOMPARE(RowTexts(t, 2),
            QStringList(
                { ShortDateText(At(1, 23, 59)), LongTimeText(At(1, 23, 59)), "5.10", "10.20", "AB", "Recalibrated" }));
        QCOMPARE(
            RowTexts(t, 4), QStringList({ ShortDateText(At(3, 9, 0)), LongTimeText(At(3, 9, 0)), "5.30", "", "", "" }));
        QCOMPARE(t.Cells[0].Mark + t.Cells[6].Mark, int(cmGrey)); // a head cell, a date
        QCOMPARE(t.Cells.mid(14, 2), TPrintCells({ { "5.10", cmUpUp }, { "10.20", cmCrossed } }));
    }

    void rulesThatRejectARunFollowItsComment()
    {
        TFixture f;
        f.Analyte.ReferenceStats[0]
            = { .Mean = 5.1, .WarningHalfWidth = 0.1, .ActionHalfWidth = 0.15, .N = 20, .Status = 0 };
        const TPrintTableData t = DataReportTable(f.Analyte, f.Serums, { 0, 3 }, false, TRisks(), {});
        QCOMPARE(RowTexts(t, 2).last() + '|' + RowTexts(t, 3).last(), QString("Recalibrated [1:3s QC1]|"));
    }

    void statisticsOfOneValueHaveNoCV()
    {
        // One value gives a mean without a CV; no value gives neither.
        const TFixture f;
        const TPrintTableData t = DataReportTable(f.Analyte, f.Serums, { 3, 3 }, true, TRisks(), {});
        QCOMPARE(t.Cells.size(), 6 * 5);
        QCOMPARE(QStringList({ RowTexts(t, 2).join('|'), RowTexts(t, 3).join('|'), RowTexts(t, 4).join('|') }),
            QStringList({ "Statistics|Mean|5.300||mmol/L|", "Statistics|CV|||%|", "Statistics|N|1|0||" }));
        for (const TPrintCell& cell : t.Cells.mid(2 * 6))
            QCOMPARE(cell.Mark, int(cmGrey));
    }

    void printedPdfReadsBackAndAnEmptyIntervalPrintsNothing()
    {
        const TFixture f;
        const QString file = ArtifactPath("data-report.pdf");
        TPdfCanvas canvas(file);
        const double today = At(15, 0, 0);
        QCOMPARE(PrintDataReport(
                     canvas, f.Analyte, f.Serums, { QDate(2026, 3, 3), QDate(2026, 3, 1), true, {} }, TRisks(), today),
            TPrintOutcome::Printed);
        const QString text = PdfText(file);
        QVERIFY2(text.contains("QC data for Glucose"), qPrintable(text));
        QVERIFY(text.contains(QRegularExpression("Date +Time +QC1 +QC2 +Operator +Comment")));
        QVERIFY(text.contains(
            QRegularExpression(LongTimeText(At(1, 23, 59)) + " +5.10 +\u2191\u2191 +10.20 +AB +Recalibrated")));
        // Level 1: 5.0, 5.1, 5.2, 5.3, mean 5.15, SD 0.1291, CV 2.51 %. Level 2
        // without the discarded 10.2: 10.0, 10.4, mean 10.2, SD 0.2828, CV 2.77 %.
        QVERIFY(text.contains(QRegularExpression("Mean +5.150 +10.200 +mmol/L")));
        QVERIFY(text.contains(QRegularExpression("CV +2.5 +2.8 +%")));
        QVERIFY(text.contains(QRegularExpression("N +4 +2\n")));
        QCOMPARE(text.count("Statistics"), 1); // one merged cell for the three rows
        TRecordingCanvas unused;
        QCOMPARE(PrintDataReport(
                     unused, f.Analyte, f.Serums, { QDate(2026, 4, 1), QDate(2026, 4, 2), true, {} }, TRisks(), 0),
            TPrintOutcome::NothingToPrint);
        QVERIFY(unused.Calls.isEmpty());
        QVERIFY(text.contains(
            QStringLiteral("- Page 1/1 - QC data for Glucose - Printed on %1 -").arg(ShortDateText(today))));
    }
};

VANTOREL_TEST(TestDataReport)
#include "TestDataReport.moc"
