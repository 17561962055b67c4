#include "TAnalyte.h"
#include "TDataTable.h"
#include "TDates.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

class TestDataTable : public QObject {
    Q_OBJECT

private slots:
    // A level without value is an empty field, a discarded one keeps its value,
    // the time is left out at midnight, the comment comes from the analyte's list.
    void LineText()
    {
        TAnalyte analyte(QStringLiteral("GLU"), QStringLiteral("g/l"), 2, 3);
        const double midnight = DateToDayCount(QDate(2026, 3, 2));
        const double afternoon = midnight + 0.75;
        analyte.AddPoint(MakeResult(midnight, 1.5, NAN, 3.25, QStringLiteral("AB"), QStringLiteral("new lot")));
        TResu0 discarded = MakeResult(afternoon, 1.25, 2, NAN, QStringLiteral("CD"));
        discarded.Values[1].Status = psDiscarded;
        analyte.AddPoint(discarded);

        QCOMPARE(
            TDataTable::LineText(analyte, 0), ShortDateText(midnight) + QStringLiteral("\t1.50\t\t3.25\tAB\tnew lot"));
        QCOMPARE(TDataTable::LineText(analyte, 1),
            ShortDateText(afternoon) + QLatin1Char(' ') + LongTimeText(afternoon)
                + QStringLiteral("\t1.25\t2.00\t\tCD\t"));
    }

    // The user removes lines one at a time at their position in the list as it
    // then stands; replaying the recorded positions leaves exactly the others.
    void Deletions_data()
    {
        QTest::addColumn<QList<int>>("removed");
        QTest::addColumn<QList<int>>("remaining");
        QTest::newRow("3 then 5") << QList<int> { 3, 5 } << QList<int> { 0, 1, 2, 4, 5, 7, 8, 9 };
        QTest::newRow("5 then 3") << QList<int> { 5, 3 } << QList<int> { 0, 1, 2, 4, 6, 7, 8, 9 };
        QTest::newRow("selection, last first") << QList<int> { 8, 5, 2 } << QList<int> { 0, 1, 3, 4, 6, 7, 9 };
        QTest::newRow("first line three times") << QList<int> { 0, 0, 0 } << QList<int> { 3, 4, 5, 6, 7, 8, 9 };
        QTest::newRow("all, last first") << QList<int> { 9, 8, 7, 6, 5, 4, 3, 2, 1, 0 } << QList<int> {};
        QTest::newRow("past the end") << QList<int> { 10, -1 } << QList<int> { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9 };
    }
    void Deletions()
    {
        QFETCH(QList<int>, removed);
        QFETCH(QList<int>, remaining);
        TAnalyte analyte(QStringLiteral("GLU"), QStringLiteral("g/l"), 0, 1); // values 0 .. 9, one a day at noon
        for (int i = 0; i < 10; ++i)
            analyte.AddPoint(MakeResult(46000 + i + 0.5, i));
        QCOMPARE(TDataTable::ApplyDeletions(analyte, removed), 10 - remaining.size());
        QList<int> left;
        for (int i = 0; i < analyte.Count(); ++i)
            left.append(int(analyte.Point(i).Values[0].Value));
        QCOMPARE(left, remaining);
    }
};

VANTOREL_TEST(TestDataTable)
#include "TestDataTable.moc"
