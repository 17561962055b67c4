#include "TAnalyte.h"
#include "TDates.h"
#include "TLimitModes.h"
#include "TPictures.h"
#include "TPrintWindowFixture.h"
#include "TTestRegistry.h"
#include "TWinDailyQC.h"
#include "TWinPrnCharts.h"
#include "TWinPrnData.h"
#include "TWinShowLimits.h"
#include "TWindowTestKit.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

using namespace Qt::StringLiterals;

namespace {

using TLimitsFixture = TPrintWindowFixture<TWinShowLimits>;

// The daily window on Glucose (two levels) and Calcium (three), daily points at noon up to yesterday.
struct TDailyFixture : TPrintWindowFixture<TWinDailyQC> {
    TPictures Pictures;
    TDailyFixture()
        : TPrintWindowFixture<TWinDailyQC>(2, 10)
    {
        Pictures.Load();
        Win.Pictures = &Pictures;
        AddDailyAnalyte(*Context, "Calcium", 3, 10, Context->Clock().TodayDays());
    }
    QDate Yesterday() const { return Context->Clock().Now().date().addDays(-1); }
};

} // namespace

// The windows that print, driven through their boxes, pickers and buttons: the charts and the
// data printing windows, the control-limits view and the daily QC window. What the pages hold
// is the printing layer's; here the choices each window passes and what the user is told.
class TestPrintWindows : public QObject {
    Q_OBJECT
private slots:
    void chartLevelBoxesFollowTheAnalyte_data()
    {
        QTest::addColumn<int>("levels");
        QTest::addColumn<QString>("boxes"); // caption, then shown, ticked and enabled as 1 or 0
        QTest::newRow("one level cannot be cleared") << 1 << "Lyphocheck 1 110 0 0 ";
        QTest::newRow("three levels") << 3 << "Lyphocheck 1 111 Lyphocheck 2 111 Lyphocheck 3 111 ";
    }
    void chartLevelBoxesFollowTheAnalyte()
    {
        QFETCH(int, levels);
        TPrintWindowFixture<TWinPrnCharts> f(levels, 40);
        QString boxes;
        for (const QCheckBox* box : f.Win.CBLevels)
            boxes += box->isVisible()
                ? QStringLiteral("%1 1%2%3 ").arg(box->text()).arg(box->isChecked()).arg(box->isEnabled())
                : QStringLiteral("0 ");
        QTEST(boxes, "boxes");
        QCOMPARE(f.Win.PanelNbPoints->text(), QString("40"));
        // The colour choice is kept in the settings and shown again.
        QTest::mouseClick(f.Win.CBColor, Qt::LeftButton);
        QCOMPARE(f.Context->Config.PrintInColour, true);
        f.Win.hide();
        f.Win.show();
        QVERIFY(f.Win.CBColor->isChecked());
    }

    void printChartsOutcome_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("result");
        QTest::newRow("two of three levels") << false << "" << int(QDialog::Accepted);
        QTest::newRow("no level ticked") << false << "Nothing to print" << int(QDialog::Rejected);
        QTest::newRow("print dialog cancelled") << true << "" << -1;
    }
    void printChartsOutcome()
    {
        QFETCH(bool, cancel);
        QFETCH(QString, box);
        QFETCH(int, result);
        TPrintWindowFixture<TWinPrnCharts> f(3, 40);
        f.Win.setResult(-1);
        for (int level : box.isEmpty() ? QList<int> { 1 } : QList<int> { 0, 1, 2 })
            f.Win.CBLevels[size_t(level)]->setChecked(false);
        const QString text = f.Print(f.Win.BtPrint, !cancel);
        QCOMPARE(f.Dialogs.OnlyBoxDifference(TMsgType::Error, box, mbYes), QString());
        QCOMPARE(f.Asked, box.isEmpty() ? QStringList({ "Printing QC charts", "" }) : QStringList());
        QCOMPARE(f.Win.result(), result);
        QCOMPARE(f.Win.isVisible(), result == -1);
        const bool printed = result == QDialog::Accepted;
        QCOMPARE(text.contains("Lyphocheck 1 (A1)") && text.contains("Lyphocheck 3 (A1)"), printed);
        QVERIFY(!text.contains("Lyphocheck 2"));
    }

    void printDataOutcome_data()
    {
        QTest::addColumn<int>("day1");
        QTest::addColumn<int>("day2");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("box");
        QTest::newRow("three days in the wrong order") << 12 << 10 << false << "3" << QString();
        QTest::newRow("no point between the dates") << 16 << 20 << false << "0" << u"Nothing to print"_s;
        QTest::newRow("print dialog cancelled") << 10 << 12 << true << "3" << QString();
    }
    void printDataOutcome()
    {
        QFETCH(int, day1);
        QFETCH(int, day2);
        QFETCH(bool, cancel);
        QFETCH(QString, box);
        TPrintWindowFixture<TWinPrnData> f(1, 10); // March 5 to 14
        QCOMPARE(f.Win.PanelNbLines->text(), QString("10"));
        QVERIFY(f.Win.CBPrnStats->isChecked());
        f.Win.DatePicker1->setDate(QDate(2026, 3, day1));
        f.Win.DatePicker2->setDate(QDate(2026, 3, day2));
        QTEST(f.Win.PanelNbLines->text(), "count");
        f.Win.CBPrnStats->setChecked(false);
        const QString text = f.Print(f.Win.BtPrint, !cancel);
        QCOMPARE(f.Dialogs.OnlyBoxDifference(TMsgType::Error, box, mbYes), QString());
        QCOMPARE(f.Asked, box.isEmpty() ? QStringList({ "Printing QC data", "" }) : QStringList());
        const bool printed = box.isEmpty() && !cancel;
        QCOMPARE(f.Win.isVisible(), !printed);
        QCOMPARE(QFile::exists(f.File), printed);
        for (int day = 9; day <= 13; ++day) // the points of the 10th to the 12th, without statistics
            QCOMPARE(
                text.contains(ShortDateText(DateToDayCount(QDate(2026, 3, day)))), printed && day >= 10 && day <= 12);
        QVERIFY(!text.contains("Statistics"));
        if (printed) { // the next print offers the file chosen
            f.Win.show();
            f.Print(f.Win.BtPrint, false);
            QCOMPARE(f.Asked.last(), f.File);
        }
    }

    // The grid and the buttons under it follow the levels; the common-CV switch is hidden once every level is fixed.
    void limitsLayoutByLevelsAndModes()
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
    void limitsCommonCVSwitch_data()
    {
        QTest::addColumn<bool>("keep");
        QTest::newRow("cancel") << false;
        QTest::newRow("ok") << true;
    }
    void limitsCommonCVSwitch()
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

    void limitsPrintTheTable()
    {
        TLimitsFixture f(2, 10);
        const QString text = f.Print(f.Win.BtPrn).simplified();
        QCOMPARE(f.Asked.value(0), QString("QC limits for Glucose"));
        QVERIFY2(text.contains("QC limits for Glucose"), qPrintable(text));
        QVERIFY2(text.contains("Control materials Lyphocheck 1 Lyphocheck 2"), qPrintable(text));
    }

    void dailyCalendarChoosesTheDay()
    {
        TDailyFixture f;
        QCOMPARE(f.Win.Calendar->selectedDate(), QDate(2026, 3, 15));
        QCOMPARE(f.Win.LB->count(), 0); // nothing stored today
        f.Win.Calendar->setSelectedDate(f.Yesterday());
        QCOMPARE(f.Win.LB->count(), 2);
        QVERIFY(f.Win.LB->item(0)->text().startsWith("Glucose\t"));
        QCOMPARE(f.Win.LB->item(0)->text().section('\t', 4, 4), QString()); // two levels: no third value
        QVERIFY(f.Win.LB->item(1)->text().startsWith("Calcium\t"));
        // Each level within its limits shows a green dot: two for Glucose, three for Calcium.
        QCoreApplication::processEvents(); // the list lays its new lines out
        const QImage shot = Grab(*f.Win.LB->viewport());
        const QRect line = f.Win.LB->visualItemRect(f.Win.LB->item(0));
        const QRect thirdLevel(line.left() + 285, line.top() + 2, 12, 10);
        const QColor green(0, 200, 0);
        QVERIFY(CountPixels(shot, thirdLevel.translated(0, line.height()), green) > 10);
        QCOMPARE(CountPixels(shot, thirdLevel, green), 0);
        f.Win.BtToday->click();
        QCOMPARE(f.Win.LB->count(), 0);
        QTest::keyClick(f.Win.LB, Qt::Key_Return); // Enter and Escape close the window
        QVERIFY(!f.Win.isVisible());
        f.Win.show();
        QTest::keyClick(f.Win.LB, Qt::Key_Escape);
        QVERIFY(!f.Win.isVisible());
    }

    void dailyPrintOrNothing_data()
    {
        QTest::addColumn<bool>("yesterday");
        QTest::newRow("empty day") << false;
        QTest::newRow("yesterday") << true;
    }
    void dailyPrintOrNothing()
    {
        QFETCH(bool, yesterday);
        TDailyFixture f;
        if (yesterday)
            f.Win.Calendar->setSelectedDate(f.Yesterday());
        const QString text = f.Print(f.Win.BtPrn).simplified();
        QCOMPARE(f.Win.isVisible(), !yesterday);
        QCOMPARE(f.Dialogs.OnlyBoxDifference(TMsgType::Error, yesterday ? "" : "Nothing to print", mbOK), QString());
        QCOMPARE(text.contains("Cumulative daily QC : " + ShortDateText(DateToDayCount(f.Yesterday()))), yesterday);
        QVERIFY2(
            !yesterday || text.contains("Glucose 12:00:00 5.4 10.8 Calcium 12:00:00 5.4 10.8 16.2"), qPrintable(text));
    }
};

VANTOREL_TEST(TestPrintWindows)
#include "TestPrintWindows.moc"
