// The number checks of the edits and their exact failure texts.
#include "TFormat.h"
#include "TInputCheck.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

class TestInputCheck : public QObject {
    Q_OBJECT

private slots:
    void integers()
    {
        QStringList outcomes;
        for (const char* text : { "  7 ", " 12 ", "-3", "", "abc", "1.5", "99999999999" }) {
            const TIntegerCheck check = CheckIntegerText(text, 0, 10);
            outcomes << (check.Ok ? QString("%1 '%2'").arg(check.Value).arg(check.Trimmed) : check.Error);
        }
        QCOMPARE(outcomes,
            QStringList({ "7 '7'", "12 is too high\n\rMaximum allowed = 10", "-3 is too low\n\rMinimum allowed = 0",
                "'' is not a valid integer value", "'abc' is not a valid integer value",
                "'1.5' is not a valid integer value", "'99999999999' is not a valid integer value" }));
    }

    void qcValueReadsEitherSeparator_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("cell"); // value/status, or the error
        QTest::newRow("empty") << "   "
                               << "0/6";
        QTest::newRow("comma") << "4,5"
                               << "4.5/0";
        QTest::newRow("point") << " 4.5 "
                               << "4.5/0";
        QTest::newRow("negative") << "-0,25"
                                  << "-0.25/0";
        QTest::newRow("two separators") << "4,5.1"
                                        << "Incorrect floating number";
        QTest::newRow("letters") << "4.5a"
                                 << "Incorrect floating number";
        QTest::newRow("beyond single precision") << "1e40"
                                                 << "Incorrect floating number";
    }
    void qcValueReadsEitherSeparator()
    {
        QFETCH(QString, text);
        QFETCH(QString, cell);
        const TQCValueCheck check = ReadQCValueText(text);
        QCOMPARE(check.Ok ? QString("%1/%2").arg(check.Cell.Value).arg(check.Cell.Status) : check.Error, cell);
    }

    void floatsAndTabs()
    {
        // The edit shows the number with the system separator.
        const QString shown = QString("-1") + DecimalSeparator() + "5";
        const TFloatCheck negative = ReadFloatText(" -1,5 ", true);
        QVERIFY(!negative.Ok);
        QCOMPARE(negative.Error, shown + " is a negative value (not allowed)");
        const TFloatCheck accepted = ReadFloatText(" -1,5 ", false);
        QVERIFY(accepted.Ok && accepted.Value == -1.5);
        QCOMPARE(accepted.Trimmed, shown);
        QCOMPARE(ReadFloatText("x", false).Error, QString("'x' is not a valid floating point value"));
        QVERIFY(!ReadFloatText("", false).Ok);
        QStringList list;
        SplitTabs("", list);
        SplitTabs("a\tb\t", list); // appends, keeping empty fields
        QCOMPARE(list, QStringList({ "", "a", "b", "" }));
    }
};

VANTOREL_TEST(TestInputCheck)
#include "TestInputCheck.moc"
