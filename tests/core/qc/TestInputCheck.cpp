// Number and date texts both ways: fixed-point notation with a precision, day counts and the date
// and time texts; the number checks of the edits with their exact failure texts. The password
// rules: upper-cased and trimmed when set, upper-cased only when typed.
#include "TConfigRecord.h"
#include "TDates.h"
#include "TFormat.h"
#include "TInputCheck.h"
#include "TPassword.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QtTest>

class TestInputCheck : public QObject {
    Q_OBJECT

private slots:
    void integers()
    {
        QStringList outcomes;
        for (const char* text : { "  7 ", "0", "10", " 11 ", "-1", "", "abc", "1.5", "99999999999" }) {
            const TIntegerCheck check = CheckIntegerText(text, 0, 10);
            outcomes << (check.Ok ? QString("%1 '%2'").arg(check.Value).arg(check.Trimmed) : check.Error);
        }
        QCOMPARE(outcomes,
            QStringList({ "7 '7'", "0 '0'", "10 '10'", "11 is too high\n\rMaximum allowed = 10",
                "-1 is too low\n\rMinimum allowed = 0", "'' is not a valid integer value",
                "'abc' is not a valid integer value", "'1.5' is not a valid integer value",
                "'99999999999' is not a valid integer value" }));
    }

    void qcValueReadsEitherSeparator_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("cell"); // value/status, or the error
        // clang-format off
        QTest::newRow("empty") << "   " << "0/6";
        QTest::newRow("comma") << "4,5" << "4.5/0";
        QTest::newRow("point") << " 4.5 " << "4.5/0";
        QTest::newRow("negative") << "-0,25" << "-0.25/0";
        QTest::newRow("two separators") << "4,5.1" << "Incorrect floating number";
        QTest::newRow("letters") << "4.5a" << "Incorrect floating number";
        QTest::newRow("beyond single precision") << "1e40" << "Incorrect floating number";
        // clang-format on
    }
    void qcValueReadsEitherSeparator()
    {
        QFETCH(QString, text);
        const TQCValueCheck check = ReadQCValueText(text);
        QTEST(check.Ok ? QString("%1/%2").arg(check.Cell.Value).arg(check.Cell.Status) : check.Error, "cell");
    }

    void floatsAndTabs()
    {
        // The edit shows the number with the system separator.
        const QString shown = QString("-0") + DecimalSeparator() + "5";
        const TFloatCheck negative = ReadFloatText(" -0,5 ", true);
        QVERIFY(!negative.Ok);
        QCOMPARE(negative.Error, shown + " is a negative value (not allowed)");
        const TFloatCheck accepted = ReadFloatText(" -0,5 ", false);
        QVERIFY(accepted.Ok && accepted.Value == -0.5);
        QCOMPARE(accepted.Trimmed, shown);
        QCOMPARE(ReadFloatText("x", false).Error, QString("'x' is not a valid floating point value"));
        QVERIFY(!ReadFloatText("", false).Ok);
        QStringList list;
        SplitTabs("", list);
        SplitTabs("a\tb\t", list); // appends, keeping empty fields
        QCOMPARE(list, QStringList({ "", "a", "b", "" }));
    }

    void change_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("typed"); // old, new, confirmation
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("after");
        const int ok = int(TPasswordChange::Accepted), wrongOld = int(TPasswordChange::WrongOld);
        const int mismatch = int(TPasswordChange::Mismatch), unstorable = int(TPasswordChange::Unstorable);
        // clang-format off
        QTest::newRow("first password, lower case") << "" << QStringList { "", "secret", "SeCrEt" } << ok << "SECRET";
        QTest::newRow("blanks trimmed") << "" << QStringList { "", "  lab 1 ", "lab 1" } << ok << "LAB 1";
        QTest::newRow("old in lower case with blanks") << "LAB" << QStringList { " lab ", "new", "new" } << ok << "NEW";
        QTest::newRow("wrong old") << "LAB" << QStringList { "lob", "new", "new" } << wrongOld << "LAB";
        QTest::newRow("old missing") << "LAB" << QStringList { "", "new", "new" } << wrongOld << "LAB";
        QTest::newRow("old given where none is set") << "" << QStringList { "x", "new", "new" } << wrongOld << "";
        QTest::newRow("confirmation differs") << "LAB" << QStringList { "lab", "new", "news" } << mismatch << "LAB";
        QTest::newRow("removed by an empty pair") << "LAB" << QStringList { "lab", "", "  " } << ok << "";
        QTest::newRow("upper case outside the code page") << "" << QStringList { "", "\u00b5g", "\u00b5g" } << unstorable << "";
        QTest::newRow("accented letters kept") << "" << QStringList { "", "\u00e9t\u00e9", "\u00c9T\u00c9" } << ok << "\u00c9T\u00c9";
        // A sharp s has no single upper-case letter: the whole-string rule would make it "SS".
        QTest::newRow("length kept") << "" << QStringList { "", "stra\u00dfe", "STRA\u00dfE" } << ok << "STRA\u00dfE";
        // clang-format on
    }
    void change()
    {
        QFETCH(QString, stored);
        QFETCH(QStringList, typed);
        QFETCH(QString, after);
        TConfigRecord config;
        config.Password = stored;
        QTEST(int(ChangePassword(config, typed[0], typed[1], typed[2])), "result");
        QCOMPARE(config.Password, after);
        QCOMPARE(PasswordIsSet(config), !after.isEmpty());
    }

    void entryUpperCasesButDoesNotTrim()
    {
        TConfigRecord config;
        config.Password = "LAB 1";
        QStringList accepted;
        for (const char* typed : { "lab 1", "LaB 1", " lab 1", "lab 1 ", "lab1" })
            if (PasswordMatches(config, typed))
                accepted << typed;
        QCOMPARE(accepted, QStringList({ "lab 1", "LaB 1" }));
        config.Password.clear();
        QVERIFY(PasswordMatches(config, "") && !PasswordMatches(config, " "));
    }

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
        // Without a separator given, the system's.
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
        // The short date has a four-digit year.
        QVERIFY(ShortDateFormat().contains("yyyy"));
        QCOMPARE(QDate::fromString(ShortDateText(45000.5), ShortDateFormat()), QDate(2023, 3, 15));
        QCOMPARE(LongTimeText(45000.75 + 5.0 / 86400), QString("18:00:05"));
    }
};

VANTOREL_TEST(TestInputCheck)
#include "TestInputCheck.moc"
