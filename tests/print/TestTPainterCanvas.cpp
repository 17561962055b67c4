#include "TAnalyte.h"
#include "TArchive.h"
#include "TArchiveReport.h"
#include "TChartReport.h"
#include "TDailyReport.h"
#include "TDates.h"
#include "TLimitsReport.h"
#include "TPaperMargins.h"
#include "TPdfCanvas.h"
#include "TQCContext.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

enum TReport { Data, ChartsColour, ChartsBlack, Daily, Limits1, Limits2, Limits3, Archives, Archive };

// Prints one report of an analyte whose names fill their fields with the widest letter.
TPrintOutcome Print(TPrintCanvas& canvas, TReport report)
{
    auto context = MakeTestContext();
    const double today = context->Clock().TodayDays();
    const int levels = report == Limits1 ? 1 : report == Limits2 ? 2 : 3;
    for (int l = 0; l < levels; ++l)
        context->ListSerum.Add(QString(15, 'W'), QString(10, 'W'));
    TAnalyte& a = AddDailyAnalyte(*context, QString(15, 'W'), levels, 40, today);
    a.Units = QString(6, 'W');
    for (int i = 0; i < a.Count(); i += 3)
        a.Point(i).Values[0].Status = psHighAction;
    const QString comment = QString(60, 'W');
    a.AddPoint(MakeResult(today - 1 + 0.75, 123456.7, -0.001234, 99999, "WWWW", comment));
    a.RecomputeAll(context->Risks());
    const QDate first = DayCountToDate(a.Point(0).DateTime), last = DayCountToDate(today);
    const TArchiveList::TEntry archive { 1, ArchiveText(a, 0, context->ListSerum, context->Risks()).split("\r\n") };
    switch (report) {
    case Data:
        return PrintDataReport(canvas, a, context->ListSerum, { first, last, true }, context->Risks(), today);
    case ChartsColour:
    case ChartsBlack:
        return PrintChartReport(canvas, a, context->ListSerum,
            { first, last, { true, true, true }, report == ChartsColour, true }, context->Risks(), today);
    case Daily:
        return PrintDailyReport(canvas, context->ListAnalytes, DayCountToDate(today - 1), today);
    case Limits1:
    case Limits2:
    case Limits3:
        return PrintLimitsReport(canvas, a, context->ListSerum, today);
    case Archives:
        return PrintReportTable(canvas, ArchivesReportTable(a.Name, { archive, archive }), "archives", today);
    case Archive:
        return PrintReportTable(canvas, ArchiveReportTable(a.Name, archive), QString(), today);
    }
    return TPrintOutcome::NothingToPrint;
}

} // namespace

// Every report, on A4 and on US Letter, with the longest names: nothing it
// prints (word or ink) comes nearer than 5 mm to the paper's edge.
class TestTPainterCanvas : public QObject {
    Q_OBJECT

private slots:
    void everyReportStaysInsideThePaper_data()
    {
        QTest::addColumn<int>("report");
        QTest::addColumn<int>("paper");
        const char* names[] = { "data", "charts in colour", "charts in black", "daily", "limits, 1 level",
            "limits, 2 levels", "limits, 3 levels", "archives", "one archive" };
        for (int r = Data; r <= Archive; ++r)
            for (auto [paper, name] : { std::pair { QPageSize::A4, "A4" }, { QPageSize::Letter, "Letter" } })
                QTest::addRow("%s, %s", names[r], name) << r << int(paper);
    }
    void everyReportStaysInsideThePaper()
    {
        QFETCH(int, report);
        QFETCH(int, paper);
        QTemporaryDir dir;
        const QString file = dir.filePath("report.pdf");
        {
            TPdfCanvas canvas(file, 300, QPageSize::PageSizeId(paper));
            QCOMPARE(Print(canvas, TReport(report)), TPrintOutcome::Printed);
        }
        const TPaperMargins margins = PaperMargins(file);
        qInfo("MARGIN %s words %.1f ink %.1f", QTest::currentDataTag(), margins.Words, margins.Ink);
        QVERIFY2(margins.Words >= 5 && margins.Ink >= 5, qPrintable(QString::number(margins.Ink)));
    }
};

VANTOREL_TEST(TestTPainterCanvas)
#include "TestTPainterCanvas.moc"
