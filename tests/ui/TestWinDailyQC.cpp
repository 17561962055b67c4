#include "TDates.h"
#include "TPictures.h"
#include "TPrintWindowFixture.h"
#include "TTestRegistry.h"
#include "TWinDailyQC.h"
#include "TWindowTestKit.h"

#include <QCalendarWidget>
#include <QListWidget>
#include <QPushButton>

namespace {

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

class TestWinDailyQC : public QObject {
    Q_OBJECT
private slots:
    void calendarChoosesTheDay()
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
        QTest::keyClick(
            f.Win.Calendar->focusProxy(), Qt::Key_Return); // Enter and Escape close the window, even in the calendar
        QVERIFY(!f.Win.isVisible());
        f.Win.show();
        QTest::keyClick(f.Win.LB, Qt::Key_Escape);
        QVERIFY(!f.Win.isVisible());
    }

    void printOrNothing_data()
    {
        QTest::addColumn<bool>("yesterday");
        QTest::newRow("empty day") << false;
        QTest::newRow("yesterday") << true;
    }

    void printOrNothing()
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

VANTOREL_TEST(TestWinDailyQC)
#include "TestWinDailyQC.moc"
