// The password rules: upper-cased and trimmed when set, upper-cased only when typed.
#include "TConfigRecord.h"
#include "TPassword.h"
#include "TTestRegistry.h"

#include <QtTest>

class TestTPassword : public QObject {
    Q_OBJECT

private slots:
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
        QFETCH(int, result);
        QFETCH(QString, after);
        TConfigRecord config;
        config.Password = stored;
        QCOMPARE(int(ChangePassword(config, typed[0], typed[1], typed[2])), result);
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

VANTOREL_TEST(TestTPassword)
#include "TestTPassword.moc"
