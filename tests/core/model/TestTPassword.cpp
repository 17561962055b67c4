#include "TConfigRecord.h"
#include "TPassword.h"
#include "TTestRegistry.h"

#include <QtTest>

// The password rules: upper-cased and trimmed when set, upper-cased only when typed.
class TestTPassword : public QObject {
    Q_OBJECT

private slots:
    void change_data();
    void change();
    void entryUpperCasesButDoesNotTrim();
    void upperCaseKeepsTheLength();
};

void TestTPassword::change_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("oldText");
    QTest::addColumn<QString>("newText");
    QTest::addColumn<QString>("confirm");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("after");
    const int ok = int(TPasswordChange::Accepted);
    const int wrongOld = int(TPasswordChange::WrongOld);
    const int mismatch = int(TPasswordChange::Mismatch);
    const int unstorable = int(TPasswordChange::Unstorable);
    QTest::newRow("first password, lower case") << ""
                                                << ""
                                                << "secret"
                                                << "SeCrEt" << ok << "SECRET";
    QTest::newRow("blanks trimmed") << ""
                                    << ""
                                    << "  lab 1 "
                                    << "lab 1" << ok << "LAB 1";
    QTest::newRow("old given in lower case with blanks") << "LAB"
                                                         << " lab "
                                                         << "new"
                                                         << "new" << ok << "NEW";
    QTest::newRow("wrong old") << "LAB"
                               << "lob"
                               << "new"
                               << "new" << wrongOld << "LAB";
    QTest::newRow("old missing") << "LAB"
                                 << ""
                                 << "new"
                                 << "new" << wrongOld << "LAB";
    QTest::newRow("old given where none is set") << ""
                                                 << "x"
                                                 << "new"
                                                 << "new" << wrongOld << "";
    QTest::newRow("confirmation differs") << "LAB"
                                          << "lab"
                                          << "new"
                                          << "news" << mismatch << "LAB";
    QTest::newRow("removed by empty pair") << "LAB"
                                           << "lab"
                                           << ""
                                           << "  " << ok << "";
    QTest::newRow("upper case outside the code page") << ""
                                                      << ""
                                                      << "\u00b5g"
                                                      << "\u00b5g" << unstorable << "";
    QTest::newRow("accented letters are kept") << ""
                                               << ""
                                               << "\u00e9t\u00e9"
                                               << "\u00c9T\u00c9" << ok << "\u00c9T\u00c9";
}

void TestTPassword::change()
{
    QFETCH(QString, stored);
    QFETCH(QString, oldText);
    QFETCH(QString, newText);
    QFETCH(QString, confirm);
    QFETCH(int, result);
    QFETCH(QString, after);
    TConfigRecord config;
    config.Password = stored;
    QCOMPARE(int(ChangePassword(config, oldText, newText, confirm)), result);
    QCOMPARE(config.Password, after);
    QCOMPARE(PasswordIsSet(config), !after.isEmpty());
}

void TestTPassword::entryUpperCasesButDoesNotTrim()
{
    TConfigRecord config;
    config.Password = "LAB 1";
    QVERIFY(PasswordMatches(config, "lab 1"));
    QVERIFY(PasswordMatches(config, "LaB 1"));
    QVERIFY(!PasswordMatches(config, " lab 1"));
    QVERIFY(!PasswordMatches(config, "lab 1 "));
    QVERIFY(!PasswordMatches(config, "lab1"));
    config.Password.clear();
    QVERIFY(PasswordMatches(config, ""));
    QVERIFY(!PasswordMatches(config, " "));
}

void TestTPassword::upperCaseKeepsTheLength()
{
    // A sharp s has no single upper-case letter; the whole-string rule would make it "SS".
    QCOMPARE(PasswordUpper("stra\u00dfe"), QString("STRA\u00dfE"));
    QCOMPARE(PasswordUpper("a1-b"), QString("A1-B"));
}

VANTOREL_TEST(TestTPassword)
#include "TestTPassword.moc"
