// Day counts since 1899-12-30 and the date and time texts.
#include "TDates.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

class TestDates : public QObject {
    Q_OBJECT

private slots:
    void convertsDayCounts()
    {
        QCOMPARE(DayCountToDateTime(0), QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
        QCOMPARE(DayCountToDateTime(45000.5), QDateTime(QDate(2023, 3, 15), QTime(12, 0)));
        QCOMPARE(DateTimeToDayCount(QDateTime(QDate(2023, 3, 15), QTime(12, 0))), 45000.5);
        // Before the epoch the fraction is still the time of day.
        QCOMPARE(DayCountToDateTime(-1.25), QDateTime(QDate(1899, 12, 28), QTime(18, 0)));
        QCOMPARE(DateToDayCount(QDate(2026, 12, 6)), 46362.0);
    }

    void roundsToTheMillisecond()
    {
        const QDateTime t(QDate(2026, 3, 15), QTime(9, 41, 27, 123));
        QCOMPARE(DayCountToDateTime(DateTimeToDayCount(t)), t);
        // A count a hair below midnight rounds to midnight of the next day.
        QCOMPARE(DayCountToDateTime(45001.0 - 1e-10), QDateTime(QDate(2023, 3, 16), QTime(0, 0)));
    }

    void hostileCountsDoNotCrash()
    {
        QVERIFY(DayCountToDateTime(1e300).isValid());
        QVERIFY(DayCountToDateTime(std::nan("")).isValid());
    }

    void shortDateHasAFourDigitYear()
    {
        QVERIFY(ShortDateFormat().contains("yyyy"));
        const QString text = ShortDateText(45000.5);
        QCOMPARE(QDate::fromString(text, ShortDateFormat()), QDate(2023, 3, 15));
        QCOMPARE(LongTimeText(45000.75 + 5.0 / 86400), QString("18:00:05"));
    }
};

VANTOREL_TEST(TestDates)
#include "TestDates.moc"
