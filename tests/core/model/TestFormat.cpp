#include "TDates.h"
#include "TFormat.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

class TestFormat : public QObject {
    Q_OBJECT

private slots:
    void formatsFixedPoint_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("precision");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("padding") << 5.2 << 8 << 2 << "5.20";
        QTest::newRow("rounding half up in decimals") << 2.345 << 8 << 2 << "2.35"; // 2.345 is 2.34500000000000019...
        QTest::newRow("zero decimals") << 41.6 << 8 << 0 << "42";
        QTest::newRow("negative") << -1.5 << 8 << 1 << "-1.5";
        QTest::newRow("small negative rounds to unsigned zero") << -0.004 << 8 << 2 << "0.00";
        QTest::newRow("leading zero") << 0.25 << 8 << 3 << "0.250";
        QTest::newRow("precision limits digits") << 123.456789 << 6 << 4 << "123.4570";
        QTest::newRow("precision before decimals") << 9.87654321 << 3 << 5 << "9.88000";
        QTest::newRow("rounding carries a digit") << 99.96 << 3 << 1 << "100.0";
        QTest::newRow("scientific beyond precision") << 1234567.0 << 6 << 2 << "1.23457E+06";
        QTest::newRow("exactly precision digits") << 123456.0 << 6 << 1 << "123456.0";
        QTest::newRow("zero") << 0.0 << 8 << 2 << "0.00";
        // 2.675 is stored as 2.67499999...; rounded to 8 digits first it is 2.6750000, then 2.68.
        QTest::newRow("decimal rounding after precision") << 2.675 << 8 << 2 << "2.68";
        QTest::newRow("half rounds up to a new digit") << 0.5 << 8 << 0 << "1";
        // Exact halves at the precision's last digit round away from zero, not to even.
        QTest::newRow("exact half at the precision") << 10.25 << 3 << 1 << "10.3";
        QTest::newRow("negative exact half at the precision") << -10.25 << 3 << 1 << "-10.3";
        QTest::newRow("exact half on an even digit") << 0.125 << 2 << 3 << "0.130";
        QTest::newRow("exact half of a large value") << 12345678.5 << 8 << 0 << "12345679";
        QTest::newRow("exact half carrying into scientific") << 999.5 << 3 << 0 << "1.00E+03";
        QTest::newRow("near half below stays down") << 10.2499999 << 3 << 1 << "10.2";
        QTest::newRow("tiny value") << 0.0004 << 8 << 2 << "0.00";
        QTest::newRow("more decimals than precision") << 1.0 / 3.0 << 6 << 8 << "0.33333300";
        QTest::newRow("negative scientific") << -2.5e9 << 8 << 2 << "-2.5000000E+09";
        // clang-format on
    }
    void formatsFixedPoint()
    {
        QFETCH(double, value);
        QFETCH(int, precision);
        QFETCH(int, decimals);
        QFETCH(QString, expected);
        QCOMPARE(FormatFixed(value, precision, decimals, QChar('.')), expected);
        QCOMPARE(FormatFixed(value, precision, decimals, QChar(',')), QString(expected).replace('.', ','));
        QCOMPARE(FormatFixed(value, precision, decimals), QString(expected).replace('.', DecimalSeparator()));
    }

    void dayCountsAndTheirTexts()
    {
        QCOMPARE(DayCountToDateTime(0), QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
        QCOMPARE(DayCountToDateTime(45000.5), QDateTime(QDate(2023, 3, 15), QTime(12, 0)));
        QCOMPARE(DateTimeToDayCount(QDateTime(QDate(2023, 3, 15), QTime(12, 0))), 45000.5);
        QCOMPARE(DateToDayCount(QDate(2026, 12, 6)), 46362.0);
        // Before the epoch the fraction is still the time of day.
        QCOMPARE(DayCountToDateTime(-1.25), QDateTime(QDate(1899, 12, 28), QTime(18, 0)));
        // Rounded to the millisecond: a count a hair below midnight is midnight of the next day.
        const QDateTime t(QDate(2026, 3, 15), QTime(9, 41, 27, 123));
        QCOMPARE(DayCountToDateTime(DateTimeToDayCount(t)), t);
        QCOMPARE(DayCountToDateTime(45001.0 - 1e-10), QDateTime(QDate(2023, 3, 16), QTime(0, 0)));
        QVERIFY(DayCountToDateTime(1e300).isValid() && DayCountToDateTime(std::nan("")).isValid());
        QVERIFY(ShortDateFormat().contains("yyyy"));
        QCOMPARE(QDate::fromString(ShortDateText(45000.5), ShortDateFormat()), QDate(2023, 3, 15));
        QCOMPARE(LongTimeText(45000.75 + 5.0 / 86400), QString("18:00:05"));
        // Texts of older files: the locale's own short date (here C's), a 12-hour time.
        QCOMPARE(ParseShortDate("26 Oct 2026"), QDate(2026, 10, 26));
        QCOMPARE(ParseLongTime("10:05:00 PM"), QTime(22, 5));
    }
};

VANTOREL_TEST(TestFormat)
#include "TestFormat.moc"
