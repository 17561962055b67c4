// The number checks of the edits and their exact failure texts.
#include "TFormat.h"
#include "TInputCheck.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

class TestInputCheck : public QObject {
    Q_OBJECT

private slots:
    void splitTabsKeepsEmptyFields()
    {
        QStringList list;
        SplitTabs("", list);
        QCOMPARE(list, QStringList({ "" }));
        list.clear();
        SplitTabs("a\tb\t", list);
        QCOMPARE(list, QStringList({ "a", "b", "" }));
        SplitTabs("\tc", list); // appends
        QCOMPARE(list, QStringList({ "a", "b", "", "", "c" }));
    }

    void integerOutOfRangeGivesTheTwoLineMessage()
    {
        const TIntegerCheck high = CheckIntegerText(" 12 ", 1, 10);
        QVERIFY(!high.Ok);
        QCOMPARE(high.Error, QString("12 is too high\n\rMaximum allowed = 10"));
        const TIntegerCheck low = CheckIntegerText("-3", 0, 10);
        QCOMPARE(low.Error, QString("-3 is too low\n\rMinimum allowed = 0"));
        const TIntegerCheck ok = CheckIntegerText("  7 ", 1, 10);
        QVERIFY(ok.Ok);
        QCOMPARE(ok.Value, 7);
        QCOMPARE(ok.Trimmed, QString("7"));
    }

    void integerThatIsNoNumberFails()
    {
        for (const char* text : { "", "abc", "1.5", "99999999999" }) {
            const TIntegerCheck check = CheckIntegerText(text, 0, 100);
            QVERIFY2(!check.Ok, text);
            QVERIFY(check.Error.contains("is not a valid integer value"));
        }
    }

    void qcValueReadsEitherSeparator_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("status");
        QTest::addColumn<double>("value");
        QTest::newRow("empty") << "   " << true << int(psNoValue) << 0.0;
        QTest::newRow("comma") << "4,5" << true << int(psWithin) << 4.5;
        QTest::newRow("point") << " 4.5 " << true << int(psWithin) << 4.5;
        QTest::newRow("negative") << "-0,25" << true << int(psWithin) << -0.25;
        QTest::newRow("two separators") << "4,5.1" << false << 0 << 0.0;
        QTest::newRow("letters") << "4.5a" << false << 0 << 0.0;
        QTest::newRow("beyond single precision") << "1e40" << false << 0 << 0.0;
    }
    void qcValueReadsEitherSeparator()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(int, status);
        QFETCH(double, value);
        const TQCValueCheck check = ReadQCValueText(text);
        QCOMPARE(check.Ok, ok);
        if (!ok) {
            QCOMPARE(check.Error, QString("Incorrect floating number"));
            return;
        }
        QCOMPARE(int(check.Cell.Status), status);
        QCOMPARE(check.Cell.Value, float(value));
    }

    void floatRefusesNegativesWhenAsked()
    {
        const TFloatCheck negative = ReadFloatText(" -1,5 ", true);
        QVERIFY(!negative.Ok);
        const QString shown = QString("-1") + DecimalSeparator() + "5";
        QCOMPARE(negative.Error, shown + " is a negative value (not allowed)");
        const TFloatCheck accepted = ReadFloatText(" -1,5 ", false);
        QVERIFY(accepted.Ok);
        QCOMPARE(accepted.Value, -1.5);
        // The edit shows the number with the system separator.
        QCOMPARE(accepted.Trimmed, shown);
        QVERIFY(!ReadFloatText("", false).Ok);
        QVERIFY(ReadFloatText("x", false).Error.contains("is not a valid floating point value"));
    }
};

VANTOREL_TEST(TestInputCheck)
#include "TestInputCheck.moc"
