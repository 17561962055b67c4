#include "TAnalyte.h"
#include "TArchive.h"
#include "TArchiveReport.h"
#include "TChartReport.h"
#include "TDailyReport.h"
#include "TDates.h"
#include "TLimitsReport.h"
#include "TPdfCanvas.h"
#include "TPdfText.h"
#include "TQCContext.h"
#include "TStatistics.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QTemporaryDir>
#include <QTest>

// Every report drawn on a painter canvas, A4 and US Letter, names as long as their fields allow.
class TestPainterCanvas : public QObject {
    Q_OBJECT

private slots:
    // Widths in average characters: Arial's 904 units of a 2048-unit em from Liberation Sans (its
    // own tables say about 1176): 29 pixels at 8 points and 600 dpi.
    void averageCharacterIsArials()
    {
        TPdfCanvas canvas(QTemporaryDir().filePath("unused.pdf"));
        QCOMPARE(canvas.TextMetrics().AverageCharWidth, 29);
    }

    void everyReportStaysInsideThePaper_data()
    {
        QTest::addColumn<QString>("report");
        QTest::addColumn<int>("levels");
        for (const auto& [report, levels] :
            { std::pair { "data", 3 }, { "colour charts", 3 }, { "black charts", 3 }, { "daily", 3 }, { "limits", 1 },
                { "limits", 2 }, { "limits", 3 }, { "archives", 3 }, { "archive", 3 } })
            for (const char* paper : { "A4", "Letter" })
                QTest::addRow("%s, %d levels, %s", report, levels, paper) << QString(report) << levels;
    }
    void everyReportStaysInsideThePaper()
    {
        QFETCH(QString, report);
        QFETCH(int, levels);
        auto context = MakeTestContext();
        const double today = context->Clock().TodayDays();
        for (int l = 0; l < levels; ++l)
            context->ListSerum.Add(QString(15, 'W'), QString(10, 'W'));
        TAnalyte& a = AddDailyAnalyte(*context, QString(15, 'W'), levels, 40, today);
        a.Units = QString(6, 'W');
        a.AddPoint(MakeResult(today - 0.25, 123456.7, -0.001234, 99999, "WWWW", QString(60, 'W')));
        RecomputeAll(a, context->Risks());
        ClassifyAll(a);
        const QDate first = DayCountToDate(a.Point(0).DateTime), last = DayCountToDate(today);
        const TArchiveList::TEntry archive { 1, ArchiveText(a, 0, context->ListSerum, context->Risks()).split("\r\n") };
        QTemporaryDir dir;
        const QString file = dir.filePath("report.pdf");
        {
            TPdfCanvas canvas(
                file, 300, QString(QTest::currentDataTag()).endsWith("A4") ? QPageSize::A4 : QPageSize::Letter);
            const TRisks risks = context->Risks();
            const TPrintOutcome printed = report == "data"
                ? PrintDataReport(canvas, a, context->ListSerum, { first, last, true, {} }, risks, today)
                : report.endsWith("charts") ? PrintChartReport(canvas, a, context->ListSerum,
                      { first, last, { true, true, true }, report == "colour charts" }, risks, today)
                : report == "daily"         ? PrintDailyReport(canvas, context->ListAnalytes, last.addDays(-1), today)
                : report == "limits"        ? PrintLimitsReport(canvas, a, context->ListSerum, today)
                                            : PrintReportTable(canvas,
                                         report == "archive" ? ArchiveReportTable(a.Name, archive)
                                                                    : ArchivesReportTable(a.Name, { archive, archive }),
                                                "", today);
            QCOMPARE(printed, TPrintOutcome::Printed);
        }
        const TPaperMargins margins = PaperMargins(file);
        qInfo("%s: words %.1f mm, ink %.1f mm from the edge", QTest::currentDataTag(), margins.Words, margins.Ink);
        QVERIFY(margins.Words >= 5 && margins.Ink >= 5);
    }
};

VANTOREL_TEST(TestPainterCanvas)
#include "TestPainterCanvas.moc"
