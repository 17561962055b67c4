#include "TConfigRecord.h"
#include "TFormat.h"
#include "TInputCheck.h"
#include "TPassword.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

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
};

VANTOREL_TEST(TestInputCheck)
#include "TestInputCheck.moc"
