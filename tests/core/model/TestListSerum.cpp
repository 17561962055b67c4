// Control materials: sorted by name + lot, ids, the "Unknown" entry.
#include "TListSerum.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

class TestListSerum : public QObject {
    Q_OBJECT

private slots:
    void keepsEntriesSortedByUpperCasedNameAndLot()
    {
        TListSerum list;
        QCOMPARE(list.Add("lyphocheck", "200"), 0);
        QCOMPARE(list.Add("Alpha", "9"), 1);
        QCOMPARE(list.Add("LYPHOCHECK", "100"), 2);
        QCOMPARE(list.Add("Lyphocheck 2", ""), 3);
        QStringList order;
        for (int i = 0; i < list.Count(); ++i)
            order << list.Item(i).Name + "/" + list.Item(i).Lot;
        // No separator between name and lot: "LYPHOCHECK 2" sorts before "LYPHOCHECK100".
        QCOMPARE(order, QStringList({ "Alpha/9", "Lyphocheck 2/", "LYPHOCHECK/100", "lyphocheck/200" }));
        QCOMPARE(list.NextID(), 4);
    }

    void equalKeyGoesAfterTheExistingEntry()
    {
        TListSerum list;
        list.Add("Control", "A1");
        list.Add("Zeta", "1");
        list.Add("CONTROL", "a1");
        QCOMPARE(list.Item(0).ID, 0);
        QCOMPARE(list.Item(1).ID, 2);
        QCOMPARE(list.Item(1).Name, QString("CONTROL"));
    }

    void cutsNameAndLot()
    {
        TListSerum list;
        list.Add("A material name too long", "LOT-1234567890");
        QCOMPARE(list.Item(0).Name, QString("A material name"));
        QCOMPARE(list.Item(0).Lot, QString("LOT-123456"));
    }

    void unknownIdGivesTheBuiltInEntry()
    {
        TListSerum list;
        list.Add("Control", "1");
        QCOMPARE(list.FindByID(0).Name, QString("Control"));
        const TSerum& missing = list.FindByID(7);
        QCOMPARE(missing.ID, -1);
        QCOMPARE(missing.Name, QString("Unknown"));
        QVERIFY(missing.Lot.isEmpty());
        QCOMPARE(list.FindByID(-1).Name, QString("Unknown"));
    }
};

VANTOREL_TEST(TestListSerum)
#include "TestListSerum.moc"
