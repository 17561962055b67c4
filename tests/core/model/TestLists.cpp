#include "TAnalyte.h"
#include "TListAnalytes.h"
#include "TListSerum.h"
#include "TOperatorList.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

class TestLists : public QObject {
    Q_OBJECT

private slots:
    void materialsAndAnalytes()
    {
        // Materials: names cut to 15 and lots to 10 characters, sorted by the upper-cased name and lot
        // with no separator ("LYPHOCHECK 2" before "LYPHOCHECK100"), an equal key after the entry there.
        TListSerum serums;
        for (const auto& [name, lot] : { std::pair { "lyphocheck", "200" }, { "Alpha", "9" }, { "LYPHOCHECK", "100" },
                 { "Lyphocheck 2", "" }, { "ALPHA", "9" }, { "A material name too long", "LOT-1234567890" } })
            serums.Add(name, lot);
        QStringList order;
        for (int i = 0; i < serums.Count(); ++i)
            order << Join(serums.Item(i).ID, serums.Item(i).Name + "/" + serums.Item(i).Lot);
        QCOMPARE(order.join(", ") + Join("", serums.NextID()),
            QString("5 A material name/LOT-123456, 1 Alpha/9, 4 ALPHA/9, 3 Lyphocheck 2/, 2 LYPHOCHECK/100, 0 "
                    "lyphocheck/200 6"));
        // Analytes: found by name in any case; a material counts only at the levels in use.
        TListAnalytes list;
        TAnalyte& a = list.Add(TAnalyte("A", "U", 0, 1));
        TAnalyte& b = list.Add(TAnalyte("B", "U", 0, 2));
        list.Add(TAnalyte("C", "U", 0, 1));
        QCOMPARE(list.FindByName("b"), &b);
        a.SerumID = { 5, 7, 7 };
        b.SerumID = { 1, 7, -1 };
        QList<TAnalyte*> users;
        list.AnalytesUsingSerum(7, users);
        list.AnalytesUsingSerum(5, users); // appends
        QCOMPARE(users, QList<TAnalyte*>({ &b, &a }));
        TAnalyte* c = list.At(2);
        list.Move(2, 0);
        QCOMPARE(list.At(0), c); // the same object, moved
        TListAnalytes copy = list;
        QVERIFY(copy.At(0) != c && copy.Item(0).Name == "C");
        QCOMPARE(list.Take(1)->Name, QString("A"));
        QCOMPARE(Join(list.Count(), copy.Count()), QString("2 3"));
    }

    void operatorCodes()
    {
        // Sorted ignoring case, equal codes in their order: from the grid's cells, trimmed and without
        // blanks; and one at a time, a new code after its equals.
        QCOMPARE(OperatorsFromCells({ "zz", "AB", "   ", " ab ", "", "Mc", "AB", "mA" }),
            QStringList({ "AB", "ab", "AB", "mA", "Mc", "zz" }));
        QStringList codes, at;
        for (const char* code : { "b", "A", "c", "B", "x", "x", "" })
            at << QString::number(InsertSorted(codes, code));
        QCOMPARE(Join(codes.join(','), at.join(',')), QString(",A,b,B,c,x,x 0,0,2,2,4,5,0"));
        // The grid has at least 16 rows and one empty row below the codes.
        QCOMPARE(Join(OperatorGridRows(0), OperatorGridRows(14), OperatorGridRows(16)), QString("16 16 17"));
    }

    void deletedOperatorsByPosition_data()
    {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QStringList>("deleted"); // of the stored codes AB, CD
        QTest::newRow("nothing cleared") << QStringList { "AB", "CD", "", "" } << QStringList();
        QTest::newRow("second cleared") << QStringList { "AB", " ", "", "" } << QStringList { "CD" };
        QTest::newRow("overwritten is not deleted") << QStringList { "XY", "CD", "" } << QStringList();
        QTest::newRow("code moved down counts as deleted") << QStringList { "", "CD", "AB" } << QStringList { "AB" };
        QTest::newRow("fewer cells") << QStringList { "AB" } << QStringList { "CD" };
        QTest::newRow("all cleared") << QStringList { "", "" } << QStringList { "AB", "CD" };
    }
    void deletedOperatorsByPosition()
    {
        QFETCH(QStringList, cells);
        QTEST(DeletedOperators({ "AB", "CD" }, cells), "deleted");
    }
};

VANTOREL_TEST(TestLists)
#include "TestLists.moc"
